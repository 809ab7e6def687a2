kavrina_add_test(kavrina_store_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/database_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schema_upgrade_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rec_lock_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copied_register_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/swrun_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_codec_test.cpp
  LIBS kavrina_store kavrina_commands kavrina_test_support)
target_compile_definitions(kavrina_store_tests PRIVATE KAVRINA_DBF_WORKER="$<TARGET_FILE:dbf_worker>")
add_dependencies(kavrina_store_tests dbf_worker)

find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
kavrina_add_test(app_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp ${CMAKE_CURRENT_LIST_DIR}/app_fixture.cpp
  LIBS kavrina_app kavrina_test_support Qt6::Test)
# Screenshots of each section land here for a person to look at.
target_compile_definitions(app_window_test PRIVATE
  KAVRINA_SCREENSHOTS="${CMAKE_CURRENT_BINARY_DIR}/screenshots")

kavrina_add_test(app_maintenance_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/maintenance_menu_test.cpp ${CMAKE_CURRENT_LIST_DIR}/app_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../ui/modal_driver.cpp
  LIBS kavrina_app kavrina_test_support Qt6::Test)
set_target_properties(app_maintenance_test PROPERTIES AUTOMOC ON)

# The real program, started as a process of its own.
kavrina_add_test(program_error_log_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_error_log_test.cpp
  LIBS kavrina_test_support)
target_compile_definitions(program_error_log_test PRIVATE KAVRINA_PROGRAM="$<TARGET_FILE:kavrina>")
add_dependencies(program_error_log_test kavrina)

# The import dialog in the window, and kavrina-cli importing while the list is open.
kavrina_add_test(app_import_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/import_window_test.cpp ${CMAKE_CURRENT_LIST_DIR}/app_fixture.cpp
  LIBS kavrina_app kavrina_test_support Qt6::Test)
target_compile_definitions(app_import_test PRIVATE KAVRINA_CLI="$<TARGET_FILE:kavrina-cli>")
add_dependencies(app_import_test kavrina-cli)

# An end of the program raised inside a loop of its own (each case a process of its own).
kavrina_add_test(app_end_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_end_test.cpp
  LIBS kavrina_app)

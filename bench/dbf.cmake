add_executable(dbf_bench ${CMAKE_CURRENT_LIST_DIR}/dbf_bench.cpp)
target_link_libraries(dbf_bench PRIVATE kavrina_store kavrina_dbf)

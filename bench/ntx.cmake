add_executable(ntx_bench ${CMAKE_CURRENT_LIST_DIR}/ntx_bench.cpp)
target_link_libraries(ntx_bench PRIVATE kavrina_ntx kavrina_store kavrina_dbf)

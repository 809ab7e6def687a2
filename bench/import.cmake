# Importing 100,000 assets from CSV beside the table engine appending the same records.
add_executable(import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp)
target_link_libraries(import_bench PRIVATE kavrina_import kavrina_store)

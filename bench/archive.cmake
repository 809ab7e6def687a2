# The data archive of a 1 GB program folder against zip -r, and the index rebuild at the next
# start (bench/archive.sh).
add_executable(archive_bench ${CMAKE_CURRENT_LIST_DIR}/archive_bench.cpp)
target_link_libraries(archive_bench PRIVATE kavrina_archive kavrina_store)
if(TARGET kavrina-cli)
  add_dependencies(archive_bench kavrina-cli)
endif()

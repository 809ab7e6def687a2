# The reader of a count's scanner files (no table is opened).
add_library(kavrina_scan_import STATIC ${KAVRINA_ROOT}/src/import/scan_file.cpp
  ${KAVRINA_ROOT}/src/import/whole_file.cpp)
target_include_directories(kavrina_scan_import PUBLIC ${KAVRINA_ROOT}/src)
target_link_libraries(kavrina_scan_import PUBLIC kavrina_common)
kavrina_add_fuzzer(scan_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/scan_fuzz.cpp kavrina_scan_import)

kavrina_add_fuzzer(dbf_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/dbf_fuzz.cpp kavrina_dbf)

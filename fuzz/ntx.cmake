# The NTX index reader: a damaged index file gives the corruption error, never a crash or hang.
kavrina_add_fuzzer(ntx_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/ntx_fuzz.cpp kavrina_ntx)

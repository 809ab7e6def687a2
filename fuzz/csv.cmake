# The CSV reader of the asset import, with the asset values it fills (no table is opened).
add_library(kavrina_csv_import STATIC ${KAVRINA_ROOT}/src/import/asset_csv.cpp
  ${KAVRINA_ROOT}/src/import/csv_number.cpp ${KAVRINA_ROOT}/src/import/csv_records.cpp
  ${KAVRINA_ROOT}/src/register/asset_values.cpp)
target_include_directories(kavrina_csv_import PUBLIC ${KAVRINA_ROOT}/src)
target_link_libraries(kavrina_csv_import PUBLIC kavrina_dbf kavrina_common)
kavrina_add_fuzzer(csv_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/csv_fuzz.cpp kavrina_csv_import)

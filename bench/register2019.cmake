# The register of assets acquired from 2019 on 100,000 new-rules assets: composing and the
# first page shown, beside reading the two result tables.
if(KAVRINA_BUILD_GUI)
  add_executable(register2019_bench ${CMAKE_CURRENT_LIST_DIR}/register2019_bench.cpp)
  target_link_libraries(register2019_bench PRIVATE kavrina_reports_qt kavrina_obracun kavrina_scripted_ui)
endif()

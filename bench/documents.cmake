# The documents of a calculation on 100,000 assets with ten years of results: the
# statements, form OA and one card, beside reading and opening the result tables.
if(KAVRINA_BUILD_GUI)
  add_executable(documents_bench ${CMAKE_CURRENT_LIST_DIR}/documents_bench.cpp)
  target_link_libraries(documents_bench PRIVATE kavrina_reports_qt kavrina_obracun kavrina_scripted_ui)
endif()

# The asset list of 100,000 assets: composing, first page in the preview, PDF, memory.
if(KAVRINA_BUILD_GUI)
  add_executable(reports_bench ${CMAKE_CURRENT_LIST_DIR}/reports_bench.cpp)
  target_link_libraries(reports_bench PRIVATE kavrina_reports_qt kavrina_scripted_ui)
endif()

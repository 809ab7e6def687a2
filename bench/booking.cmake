# The booking note of 100,000 assets beside reading the result table; the accounting
# statement as XLSX beside the same as PDF.
if(KAVRINA_BUILD_GUI)
  add_executable(booking_bench ${CMAKE_CURRENT_LIST_DIR}/booking_bench.cpp)
  target_link_libraries(booking_bench PRIVATE kavrina_reports_qt kavrina_obracun kavrina_scripted_ui)
endif()

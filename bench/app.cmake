# The main window starting on 100,000 assets with a year of results: time until the asset
# list is loaded and shown, sorting it on an amount column, peak memory.
if(KAVRINA_BUILD_GUI)
  add_executable(app_bench ${CMAKE_CURRENT_LIST_DIR}/app_bench.cpp)
  target_link_libraries(app_bench PRIVATE kavrina_app)
endif()

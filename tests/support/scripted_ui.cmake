# The scripted user interface of the tests and the benchmarks: a library of its own, kept
# out of the program, for both to link.
if(NOT TARGET kavrina_scripted_ui)
  add_library(kavrina_scripted_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/scripted_ui.cpp)
  target_include_directories(kavrina_scripted_ui PUBLIC ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(kavrina_scripted_ui PUBLIC kavrina_ui)
endif()

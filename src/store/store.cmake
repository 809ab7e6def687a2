# The program's side of the store: work areas (and the tables, opening and upgrade).
add_library(kavrina_store STATIC
  ${CMAKE_CURRENT_LIST_DIR}/work_areas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/schema.cpp)
target_include_directories(kavrina_store PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(kavrina_store PUBLIC kavrina_dbf)

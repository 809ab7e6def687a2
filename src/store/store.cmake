# The program's side of the store: work areas, the tables, opening, upgrade and locking.
add_library(kavrina_store STATIC
  ${CMAKE_CURRENT_LIST_DIR}/work_areas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/schema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/database.cpp
  ${CMAKE_CURRENT_LIST_DIR}/schema_upgrade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rec_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/swrun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/standing_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import_lock.cpp)
target_include_directories(kavrina_store PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(kavrina_store PUBLIC kavrina_dbf kavrina_ntx kavrina_settings kavrina_ui kavrina_errors)

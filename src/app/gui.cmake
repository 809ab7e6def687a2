# The Qt side: the main window TFOSMAIN, the grid model, the pictures, and `kavrina`.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(kavrina_app STATIC
  ${CMAKE_CURRENT_LIST_DIR}/column_widths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/focus_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_hooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kavrina_application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_save_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_calls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/service_calls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfosmain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfosmain_layout.cpp)
set_target_properties(kavrina_app PROPERTIES AUTOMOC ON)
target_link_libraries(kavrina_app PUBLIC kavrina_app_core kavrina_ui_qt kavrina_reports_qt kavrina_errors
  kavrina_online kavrina_archive kavrina_import
  Qt6::Widgets)

add_executable(kavrina ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(kavrina PRIVATE kavrina_app)

# The online services with Qt: the window's events during a stalled connect, the Info
# menu's entries, and the real program sending its report and checking its version.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
kavrina_add_test(online_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/online_window_test.cpp ${CMAKE_CURRENT_LIST_DIR}/ftp_server.cpp
    ${CMAKE_CURRENT_LIST_DIR}/online_fixture.cpp
  LIBS kavrina_app kavrina_online kavrina_ui_ftp kavrina_test_support Qt6::Test)
target_compile_definitions(online_window_test PRIVATE
  KAVRINA_FTP_SERVER="${CMAKE_CURRENT_LIST_DIR}/ftp_server.py"
  KAVRINA_PROGRAM="$<TARGET_FILE:kavrina>")
add_dependencies(online_window_test kavrina)

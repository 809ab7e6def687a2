# Installation (`cmake --install`) and the Debian package (`scripts/package`, CPack): the
# program and kavrina-cli in bin/, the desktop entry and the program icon at several sizes
# in share/. An installed program keeps its data in the user's data folder
# ($XDG_DATA_HOME/kavrina), not beside itself.
include(GNUInstallDirs)

install(TARGETS kavrina-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(KAVRINA_BUILD_GUI)
  install(TARGETS kavrina RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/kavrina.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  # The icon is the program's own picture, drawn at each size by kavrina-icons.
  add_executable(kavrina-icons ${PROJECT_SOURCE_DIR}/src/app/icon_writer.cpp)
  target_link_libraries(kavrina-icons PRIVATE kavrina_app)
  set(KAVRINA_ICON_SIZES 16 22 24 32 48 64 128 256)
  set(icon_dir ${CMAKE_BINARY_DIR}/icons)
  set(icon_files)
  foreach(size IN LISTS KAVRINA_ICON_SIZES)
    list(APPEND icon_files ${icon_dir}/${size}x${size}/apps/kavrina.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:kavrina-icons> ${icon_dir} ${KAVRINA_ICON_SIZES}
    DEPENDS kavrina-icons
    COMMENT "Program icon at ${KAVRINA_ICON_SIZES} pixels")
  add_custom_target(kavrina_icons ALL DEPENDS ${icon_files})
  install(DIRECTORY ${icon_dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavrina)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Registar osnovnih sredstava i obracun amortizacije (racunovodstvena i poreska)")
set(CPACK_PACKAGE_CONTACT "Kavrina <kavrina@example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the program links against name their Debian packages (dpkg-shlibdeps);
# the report font is a recommendation.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)

# Installing: the program, the receiver simulator and the station list tool with its manual
# page, the help files, the desktop entry, the icon in the hicolor theme, the AppStream data,
# and a Debian package through CPack (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

set(FENNIX_APP_ID org.fennix.fennix)
set(linux_files ${CMAKE_SOURCE_DIR}/resources/linux)

install(TARGETS fennix-sim fennix-list RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${linux_files}/fennix-list.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(FENNIX_BUILD_UI)
  install(TARGETS fennix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${linux_files}/${FENNIX_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${linux_files}/${FENNIX_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${linux_files}/${FENNIX_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # The PNG sizes are drawn by the program's own icon code at build time.
  set(icon_sizes 48 64 128 256)
  set(icon_outputs)
  foreach(size ${icon_sizes})
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${FENNIX_APP_ID}.png)
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_command(OUTPUT ${icon_outputs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:make_icon> ${CMAKE_BINARY_DIR}/icons ${FENNIX_APP_ID} ${icon_sizes}
    DEPENDS make_icon
    COMMENT "Drawing the program's icon")
  add_custom_target(fennix_icons ALL DEPENDS ${icon_outputs})
endif()

# The help files, when the source tree has them; OPTIONAL, so a tree without them installs
# all the same and one that gains them needs no change here.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fennix/help OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fennix)
set(CPACK_PACKAGE_VENDOR "The Fennix developers")
set(CPACK_PACKAGE_CONTACT "The Fennix developers <fennix@localhost>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control panel for the ICOM IC-R7100 receiver")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Fennix controls an ICOM IC-R7100 communications receiver over CI-V
and imitates its front panel in one window, in Japanese: tuning, scanning,
band scope, a station list of 10,000 entries and eight memory keys.
The receiver simulator fennix-sim comes with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps (Qt 6 Widgets, Gui, Core, the C++ runtime); Qt's
# platform plugins and the IPA fonts the windows are drawn with are needed as well.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
include(CPack)

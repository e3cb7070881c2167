# Installed like a desktop program: the executables in bin, the program folder's files in share/marlune
# (where the program looks for them beside its bin), and what the desktop needs to list the program,
# show its icon and open workspaces and tools with it.
include(GNUInstallDirs)

set(MARLUNE_DESKTOP_ID org.marlune.Marlune)
set(MARLUNE_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/desktop)

foreach(program marlune32 Sonvert)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/marlune)

install(FILES ${MARLUNE_DESKTOP_DIR}/${MARLUNE_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MARLUNE_DESKTOP_DIR}/${MARLUNE_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${MARLUNE_DESKTOP_DIR}/${MARLUNE_DESKTOP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${MARLUNE_DESKTOP_DIR}/icons/${MARLUNE_DESKTOP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${MARLUNE_DESKTOP_DIR}/icons/${size}/${MARLUNE_DESKTOP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# A Debian package; its dependencies come from the libraries the executables link (Qt's platform
# plugins and fonts come with its own packages).
set(CPACK_PACKAGE_NAME marlune)
set(CPACK_PACKAGE_VENDOR "The Marlune developers")
set(CPACK_PACKAGE_CONTACT "The Marlune developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Signal analysis workstation")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

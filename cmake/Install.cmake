# Installed like a desktop program: the executables in bin, the program folder's files in share/marlune
# (where the program looks for them beside its bin), and what the desktop needs to list the program,
# show its icon and open workspaces and tools with it.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/DebianBuildFlags.cmake)

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

# The manual pages (with this version in their header) and the Debian changelog are installed
# compressed as Debian does it (gzip -9n: no name, no time stamp), remade whenever their sources change.
set(MARLUNE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/marlune)
find_program(MARLUNE_GZIP gzip REQUIRED)
function(marlune_gzip source output)
  configure_file(${source} ${output}.plain @ONLY)
  execute_process(COMMAND ${MARLUNE_GZIP} -9n -c ${output}.plain OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
foreach(page marlune32 Sonvert)
  marlune_gzip(${MARLUNE_DESKTOP_DIR}/man/${page}.1 ${CMAKE_BINARY_DIR}/doc/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/doc/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
marlune_gzip(${MARLUNE_DESKTOP_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz)
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz ${MARLUNE_DESKTOP_DIR}/debian/copyright
        DESTINATION ${MARLUNE_DOC_DIR})
install(FILES ${MARLUNE_DESKTOP_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME marlune)

# The package's version is the changelog's newest entry, which must be this project's version.
file(STRINGS ${MARLUNE_DESKTOP_DIR}/debian/changelog MARLUNE_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT MARLUNE_CHANGELOG_TOP MATCHES "^marlune \\(${PROJECT_VERSION}-([0-9]+)\\) ")
  message(FATAL_ERROR "desktop/debian/changelog needs an entry for version ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_1})

# A Debian package; its dependencies come from the libraries the executables link (Qt's platform
# plugins and fonts come with its own packages). The executables are stripped the way Debian's own
# packaging does, which also drops the compiler's notes.
set(CPACK_PACKAGE_NAME marlune)
set(CPACK_PACKAGE_VENDOR "The Marlune developers")
set(CPACK_PACKAGE_CONTACT "Marlune developers <developers@marlune.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "signal analysis workstation")
set(CPACK_PACKAGE_DESCRIPTION [=[Marlune opens one-dimensional sampled signals (its own signal files, WAV and
other audio, ASCII tables, data logs), records live from the sound card and
grows a tree of linked windows under them: spectra, filters, cepstra,
calculator results, time-frequency pictures and instruments with alarms.
A change in any window recomputes its whole subtree.
Trees of windows are kept as workspaces and reused on other signals as custom
tools; a batch mode exports every window's data and picture without a display.
The package also holds Sonvert, which turns compressed audio into WAV files,
and the Python module marlune, which gives scripts the same analyses.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module is built for one version of the system's Python and imports numpy.
if(TARGET marlune)
  math(EXPR MARLUNE_PYTHON_NEXT "${Python_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3 (>= ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}~), python3 (<< ${Python_VERSION_MAJOR}.${MARLUNE_PYTHON_NEXT}), python3-numpy")
endif()
set(CPACK_MARLUNE_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianStrip.cmake)
include(CPack)

# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts in place, and the Debian package made from it
# (`cpack -G DEB`, see scripts/package):
#   bin/zorvane, bin/zorvane-cli, bin/zorvane-unit
#   share/zorvane/uk.bmp (found from bin/ by the program, map/MapFile.h)
#   share/applications/zorvane.desktop
#   share/icons/hicolor/<size>/apps/zorvane.png
#   share/man/man1/zorvane.1.gz, zorvane-cli.1.gz, zorvane-unit.1.gz (when
#     help2man is there)
#   share/doc/zorvane/copyright (machine-readable, Debian's format) and
#     changelog.Debian.gz (the package's version carries a Debian revision,
#     -1, as a package made apart from the program's own release is)
include(GNUInstallDirs)

install(TARGETS zorvane zorvane-cli zorvane-unit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/resources/uk.bmp DESTINATION ${CMAKE_INSTALL_DATADIR}/zorvane)
install(FILES ${CMAKE_SOURCE_DIR}/resources/zorvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/zorvane-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME zorvane.xml)

# The icon theme's sizes, drawn from the program's own icon.
set(ZORVANE_ICON_SOURCE ${CMAKE_SOURCE_DIR}/resources/icons/IDR_MAINFRAME.xpm)
set(ZORVANE_ICON_FILES)
foreach(size 48 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/zorvane.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps
    COMMAND zorvane-icons ${ZORVANE_ICON_SOURCE} ${size} ${icon}
    DEPENDS zorvane-icons ${ZORVANE_ICON_SOURCE}
    COMMENT "Icon ${size}x${size}")
  list(APPEND ZORVANE_ICON_FILES ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(zorvane_icons ALL DEPENDS ${ZORVANE_ICON_FILES})

# Man pages from the tools' own --help. Sanitizer builds must not report
# leaks at exit while help2man reads them.
find_program(ZORVANE_HELP2MAN help2man)
find_program(ZORVANE_GZIP gzip)
if(ZORVANE_HELP2MAN AND ZORVANE_GZIP)
  set(ZORVANE_MAN_PAGES)
  foreach(tool_and_name
      "zorvane|link a PC with a Dravikon road-safety-camera warning unit"
      "zorvane-cli|work with Dravikon camera databases, camera lists, firmware files and units"
      "zorvane-unit|an emulated Dravikon unit on a pseudo-terminal, for tests and demonstrations")
    string(REPLACE "|" ";" parts "${tool_and_name}")
    list(GET parts 0 tool)
    list(GET parts 1 name)
    set(page ${CMAKE_BINARY_DIR}/man/${tool}.1)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
              ${ZORVANE_HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
              "--name=${name}" --output=${page} $<TARGET_FILE:${tool}>
      COMMAND ${ZORVANE_GZIP} -9nf ${page}
      DEPENDS ${tool}
      COMMENT "Man page of ${tool}")
    list(APPEND ZORVANE_MAN_PAGES ${page}.gz)
  endforeach()
  add_custom_target(zorvane_man ALL DEPENDS ${ZORVANE_MAN_PAGES})
  install(FILES ${ZORVANE_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man or gzip was not found: the man pages of zorvane, zorvane-cli and zorvane-unit are not "
                  "built or installed (on Debian: apt install help2man)")
endif()

# The licence and the changelog, where Debian keeps a package's. The
# changelog is written by hand, an entry for each version; scripts/package
# --check holds its latest entry to the package's version. gzip -n leaves
# out the name and time, so the same text gives the same bytes.
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(ZORVANE_GZIP)
  set(ZORVANE_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz)
  add_custom_command(OUTPUT ${ZORVANE_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND ${ZORVANE_GZIP} -9n -c ${CMAKE_SOURCE_DIR}/resources/debian/changelog > ${ZORVANE_CHANGELOG}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog
    COMMENT "Debian changelog")
  add_custom_target(zorvane_changelog ALL DEPENDS ${ZORVANE_CHANGELOG})
  install(FILES ${ZORVANE_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# --- The Debian package.
set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "zorvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "link a PC with a Dravikon road-safety-camera warning unit")
set(CPACK_PACKAGE_DESCRIPTION
  "zorvane reads the camera database of a Dravikon road-safety-camera warning\n"
  "unit over an RS232 or USB-serial cable, writes it back, imports camera\n"
  "positions from CSV lists, saves and merges database files, shows every\n"
  "camera on a map of the UK and upgrades the unit's software from an Intel\n"
  "HEX file. It comes with zorvane-cli, which does the same from a terminal,\n"
  "and zorvane-unit, an emulated unit for trying it without one.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "zorvane maintainers <maintainers@zorvane.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_GENERATOR DEB)
include(CPack)

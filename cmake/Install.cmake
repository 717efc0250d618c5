# Installing the clock like a desktop program, and the Debian package made
# from the same rules (cpack -G DEB in the build folder).
#
#   PREFIX/lib/velclock/velclock          the program, with the folders it
#   PREFIX/lib/velclock/VEL文件/ image/    finds beside itself
#   PREFIX/lib/velclock/velclock.shipped  the list of those files; it marks
#                                         the folder as an install
#   PREFIX/bin/velclock                   a link to the program
#   PREFIX/share/applications/velclock.desktop
#   PREFIX/share/icons/hicolor/{48x48,256x256}/apps/velclock.png
#   PREFIX/share/metainfo/org.velclock.VelClock.metainfo.xml
#   PREFIX/share/doc/velclock/copyright, changelog.gz
#
# The prefix is known only when installing (cmake --install --prefix), so the
# desktop entry, whose Exec line names the program by its full path, is
# written then.

# Not CMAKE_INSTALL_LIBDIR: the program's own folder, not a library folder.
set(VEL_INSTALL_DIR lib/velclock)
set(VEL_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)

install(TARGETS velclock RUNTIME DESTINATION ${VEL_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/VEL文件 ${PROJECT_SOURCE_DIR}/resources/image
  DESTINATION ${VEL_INSTALL_DIR}
  PATTERN README.txt EXCLUDE)

# Each user's copy of these is refreshed after an upgrade only for the files
# the program reads and never writes; the other settings are the user's.
install(CODE "
  set(VEL_RESOURCES \"${PROJECT_SOURCE_DIR}/resources\")
  set(VEL_INSTALL_DIR \"${VEL_INSTALL_DIR}\")
  set(VEL_DATA_FILES \"VEL文件/about.vel;VEL文件/help.vel\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/InstallShippedList.cmake\")")

# A relative link keeps the installed tree movable (and right inside a package).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ../${VEL_INSTALL_DIR}/velclock ${CMAKE_BINARY_DIR}/install/velclock SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install/velclock DESTINATION bin)

foreach(size 48 256)
  install(FILES ${VEL_DESKTOP_DIR}/velclock-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME velclock.png)
endforeach()
install(FILES ${VEL_DESKTOP_DIR}/org.velclock.VelClock.metainfo.xml DESTINATION share/metainfo)
install(CODE "
  set(VEL_DESKTOP_TEMPLATE \"${VEL_DESKTOP_DIR}/velclock.desktop.in\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")")

# The licences (the project's, and the fonts' drawn into the pictures) and
# the package's changelog, compressed as Debian wants it (gzip -9n).
set(VEL_PACKAGE_DIR ${PROJECT_SOURCE_DIR}/resources/package)
configure_file(${VEL_PACKAGE_DIR}/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/package/changelog
  OUTPUT_FILE ${CMAKE_BINARY_DIR}/package/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${VEL_PACKAGE_DIR}/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
  DESTINATION share/doc/velclock)

# The Debian package: installs under /usr; the libraries come from the
# program's own links (dpkg-shlibdeps), the packages below are what the
# program needs beyond them (one list entry each).
set(VEL_DEB_DEPENDS
  fonts-wqy-zenhei       # the CJK font
  qt6-translations-l10n  # Qt's Chinese button texts
  libpulse0              # loaded when a sound first plays, so the package tools cannot see it
)
list(JOIN VEL_DEB_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velclock)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "VEL时钟 maintainers <maintainers@velclock.invalid>")
# The summary is the description's first line; the rest follows it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VEL时钟, an analogue clock on the desktop with chimes and alarms")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A borderless analogue clock over a colour or picture background, with a
spoken chime on the hour and half hour, daily alarms, keep on top, embed in
the desktop, click-through and three window shapes, reached through its menu
and tray icon.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

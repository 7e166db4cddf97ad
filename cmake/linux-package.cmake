# Installing the Linux program (`cmake --install`, prefix /usr or /usr/local) and its
# Debian package (`cpack` in the build folder: kalo-dc_<version>_<arch>.deb).
include(GNUInstallDirs)

set(KALO_APPSTREAM_ID io.github.kalodc.kalo_dc)
set(KALO_MAINTAINER "KALO DC team <team@kalo-dc.example>")
set(KALO_DATA ${CMAKE_SOURCE_DIR}/data)
set(KALO_STAGED ${CMAKE_BINARY_DIR}/package-data)
set(KALO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kalo-dc)

install(TARGETS kalo_dc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package's) also drops the compiler's notes, as Debian's own
# packages do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kalo-dc\"
    COMMAND_ERROR_IS_FATAL ANY)
endif()")
install(FILES ${KALO_DATA}/kalo-dc.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon, data/kalo-dc.svg, draws what the program draws for its tray and windows; its
# pixel sizes were rendered once from it (rsvg-convert -w N -h N) and are kept beside it.
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${KALO_DATA}/icons/kalo-dc-${size}.png RENAME kalo-dc.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${KALO_DATA}/kalo-dc.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

configure_file(${KALO_DATA}/kalo-dc.metainfo.xml.in
  ${KALO_STAGED}/${KALO_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${KALO_STAGED}/${KALO_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the change log, compressed as Debian wants them: gzip -9n, so that
# neither a name nor a time stamp makes two builds differ.
execute_process(COMMAND date -u -R -d ${KALO_RELEASE_DATE}
  OUTPUT_VARIABLE KALO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
configure_file(${KALO_DATA}/kalo-dc.1.in ${KALO_STAGED}/kalo-dc.1 @ONLY)
# The package is made here, from no separate upstream source: its change log is
# changelog.gz, as for a Debian native package.
configure_file(${KALO_DATA}/changelog.in ${KALO_STAGED}/changelog @ONLY)
execute_process(COMMAND gzip -9nkf kalo-dc.1 changelog
  WORKING_DIRECTORY ${KALO_STAGED} COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${KALO_STAGED}/kalo-dc.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KALO_DATA}/copyright ${KALO_STAGED}/changelog.gz DESTINATION ${KALO_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalo-dc)
set(CPACK_PACKAGE_VENDOR "KALO DC team")
set(CPACK_PACKAGE_CONTACT ${KALO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop wallpaper changer that also lets it snow")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "KALO DC lives in the notification area. It changes the desktop wallpaper on a
schedule, in turn, from a list of pictures you choose, and it can let snow fall
over the desktop.

It sets the wallpaper through the desktop's own settings on GNOME, Cinnamon,
MATE, Budgie, KDE Plasma, Xfce, LXQt and sway, and paints the root window on a
bare X11 display. It can start by itself when you log on.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs that set the wallpaper on GNOME and its kin (gsettings) and on Xfce
# (xfconf-query), Qt's image plug-ins for pictures beyond BMP, JPEG, GIF and PNG
# (TIFF, WebP), and Qt's Wayland plug-in, without which the program cannot start in a
# Wayland session that offers no X display. LXQt and sway bring their own setters
# (pcmanfm-qt, swaymsg); KDE Plasma is reached over D-Bus.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "libglib2.0-bin, xfconf, qt6-image-formats-plugins, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pcmanfm-qt, sway")
set(CPACK_STRIP_FILES ON)
include(CPack)

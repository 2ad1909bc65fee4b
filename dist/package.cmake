# The Debian package, built by `cpack` from the install rules: tovik-suite_VERSION_ARCH.deb.
# Its library dependencies are computed from the programs by dpkg-shlibdeps. Configure with
# CMAKE_INSTALL_PREFIX=/usr, as scripts/package.sh does: the user unit names the programs by
# their full path.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovik-suite)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TOVIK desktop suite developers <tovik-suite@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: the faces the label and panel fonts map to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-liberation2")
# Rotela's MIXER button opens the desktop's volume control.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pavucontrol | pavucontrol-qt")
# Rotela's QUESTION button opens its help page in the desktop's browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "desktop software for the TOVIK MiniDisc sound card
The TOVIK DIGITAL SOUND CARD is a PC card whose unit carries a MiniDisc
recorder. This package holds its desktop software:
 - Rotela, the MD controller panel: transport, recording, disc editing;
 - Sleevon, the label editor that prints MiniDisc case and disc labels;
 - Traymote, the tray launcher that starts Rotela when the unit is ready;
 - vtovikmd, a simulated card that stands in for the card's driver;
 - mdctl, slvtool and vtovikmd-ctl, the command-line tools.
With the simulated card the whole suite runs without the hardware.")
# The user service is enabled for every user, as dh_installsystemduser would; the autostart
# entry in /etc is the administrator's to change.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/conffiles "${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart/traymote.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm ${CMAKE_CURRENT_BINARY_DIR}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

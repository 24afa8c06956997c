# The Debian package: "cpack -G DEB" in the build folder makes vantrel_VERSION_ARCH.deb. Its
# Depends come from the shared libraries the executables link (dpkg-shlibdeps) and the
# ephemeris data the engine reads.
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Thelemic calendar with planetary hours and alarms")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel shows the Thelemic date for a civil date, a time and a place: the\n"
    "year in 22-year cycles, the zodiac signs of the Sun and the Moon, the Latin\n"
    "weekday and the civil date. Around it: planetary hours, alarms at rises,\n"
    "sets and planetary hours, a live mode, batch conversion of files of dates,\n"
    "verses and tips, and a tray icon. Positions come from its own chart engine\n"
    "on the Swiss Ephemeris.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The engine reads the ephemeris files; local times come from the system's zone database.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "swe-basic-data, tzdata")
# The windows are drawn in Arial, whose metrics Liberation Sans has; on a Wayland desktop the
# window runs natively with Qt's Wayland plugin. The letter opens LibreOffice Writer, which is
# large and serves that one command: the rest of the program works without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-writer")

include(CPack)

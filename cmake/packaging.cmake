# The Debian package: "cpack -G DEB" in the build folder makes vantrel_VERSION_ARCH.deb. Its
# Depends come from the shared libraries the executables link (dpkg-shlibdeps) and the
# ephemeris data the engine reads.
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_CONTACT "The Vantrel developers <maintainers@users.noreply.c-seed-867ce777.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Thelemic calendar with planetary hours and alarms")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel shows the Thelemic date for a civil date, a time and a place: the year in\n"
    "22-year cycles, the zodiac signs of the Sun and the Moon, the Latin weekday and the\n"
    "civil date. Around it: planetary hours, alarms at rises, sets and planetary hours, a\n"
    "live mode, batch conversion of files of dates, verses and tips, and a tray icon.\n"
    "Positions come from its own chart engine on the Swiss Ephemeris.")
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
# The letter opens LibreOffice Writer; without it the rest of the program works. The windows are
# drawn in Arial, whose metrics Liberation Sans has.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer, fonts-liberation2")

include(CPack)

# The Debian package, made by CPack from the install rules:
#   bash scripts/package.sh
# The library dependencies are read from the binary by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarq)
set(CPACK_PACKAGE_VENDOR "TARQ")
set(CPACK_PACKAGE_CONTACT "TARQ developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based strategy on a square tile map")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Land on a random world of islands or winding strips, pick a clan and your starting gold, buy an initial "
    "force from a catalogue of 67 units and structures, place your base and build it up turn by turn. "
    "The game speaks Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Russian buttons and the window's fallback font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2")
include(CPack)

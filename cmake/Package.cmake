# The Debian package, made by CPack from the install rules:
#   bash scripts/package.sh
# which configures the package preset (the binary in /usr/games, Debian's
# hardening flags) and checks the result with ctest --preset package.
# The library dependencies are read from the binary by dpkg-shlibdeps.

set(TARQ_MAINTAINER "TARQ developers <developers@tarq.example>" CACHE STRING
    "Name and mail address of the package's maintainer; set it to the project's own")

# What Debian asks of every package besides the program: the copyright, the
# changelog and a manual page, the last two compressed with gzip -9n (no name
# or time stamp, so the same sources make the same package).
find_program(TARQ_GZIP gzip REQUIRED)
set(debian_dir ${CMAKE_BINARY_DIR}/debian)
configure_file(data/tarq.6.in ${debian_dir}/man/man6/tarq.6 @ONLY)
configure_file(data/tarq.ru.6.in ${debian_dir}/man/ru/man6/tarq.6 @ONLY)
configure_file(data/changelog ${debian_dir}/doc/changelog.Debian COPYONLY)
set(debian_docs)
foreach(file man/man6/tarq.6 man/ru/man6/tarq.6 doc/changelog.Debian)
  add_custom_command(
    OUTPUT ${debian_dir}/${file}.gz
    COMMAND ${TARQ_GZIP} -9nkf ${debian_dir}/${file}
    DEPENDS ${debian_dir}/${file}
    VERBATIM)
  list(APPEND debian_docs ${debian_dir}/${file}.gz)
endforeach()
add_custom_target(debian_docs ALL DEPENDS ${debian_docs})
install(FILES data/copyright ${debian_dir}/doc/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarq)
install(FILES ${debian_dir}/man/man6/tarq.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${debian_dir}/man/ru/man6/tarq.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarq)
set(CPACK_PACKAGE_VENDOR "TARQ")
set(CPACK_PACKAGE_CONTACT "${TARQ_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based strategy on a square tile map")
# Debian's description lines stay under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Land on a random world of islands or winding strips, pick a clan and your\n"
    "starting gold, buy an initial force from a catalogue of 67 units and\n"
    "structures, place your base and build it up turn by turn.\n"
    "The game speaks Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The first packaging of the version: data/changelog names it.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Russian buttons and the window's fallback font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2")
include(CPack)

# The package's check, in the tree laid out for Debian (the package preset;
# its tests are off, so the test is registered here).
if(TARQ_BUILD_TOOLS AND CMAKE_INSTALL_BINDIR STREQUAL "games")
  enable_testing()
  add_test(NAME package COMMAND bash ${PROJECT_SOURCE_DIR}/tests/desktop/package_test.sh ${CMAKE_BINARY_DIR}
                                ${TARQ_APP_ID} ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
endif()

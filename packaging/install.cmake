# Installing the game and its manual page, and packaging both for Debian.

# Windows gets a zip for players instead.
if(WIN32)
  include(packaging/windows.cmake)
  return()
endif()

include(GNUInstallDirs)

# Debian puts games in /usr/games; most other systems put them with the other
# programs. The Debian package sets this to "games".
set(TESSAN_GAMES_DIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Folder below the install prefix that receives the game")

install(TARGETS tessan RUNTIME DESTINATION "${TESSAN_GAMES_DIR}")

# The manual page and the changelog carry the project's version; both are
# installed compressed, without a time stamp, as Debian expects.
find_program(GZIP gzip REQUIRED)
configure_file(man/tessan.6.in tessan.6 @ONLY)
configure_file(packaging/changelog.in changelog @ONLY)
foreach(file tessan.6 changelog)
  add_custom_command(
    OUTPUT "${PROJECT_BINARY_DIR}/${file}.gz"
    COMMAND "${GZIP}" -9 -n -c "${PROJECT_BINARY_DIR}/${file}"
            > "${PROJECT_BINARY_DIR}/${file}.gz"
    DEPENDS "${PROJECT_BINARY_DIR}/${file}"
    VERBATIM)
endforeach()
add_custom_target(tessan_docs ALL
  DEPENDS "${PROJECT_BINARY_DIR}/tessan.6.gz" "${PROJECT_BINARY_DIR}/changelog.gz")

install(FILES "${PROJECT_BINARY_DIR}/tessan.6.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
install(FILES packaging/copyright "${PROJECT_BINARY_DIR}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessan)
set(CPACK_PACKAGE_VENDOR "The Tessan developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console game of propositional logic")
# CPack puts the summary on the first line and indents this text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Four propositions, p, q, r and s, start FALSE. In each game the player
turns them TRUE one at a time, in an order of their own choosing. Before the
first step and after each one, seven formulas built from the propositions
and fourteen random truth constants are scored, one point for each TRUE
formula. The aim is to find the order that gives the highest total score.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tessan developers <developers@tessan.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

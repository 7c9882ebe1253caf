# Installing the game and its manual page, and packaging both for Debian
# and for RPM-based systems.

# The same sources give the same packages: their entries carry the time of
# the last commit (SOURCE_DATE_EPOCH, unless the caller sets it), not the
# time of the build.
set(TESSAN_SOURCE_DATE_EPOCH "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(
    COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    OUTPUT_VARIABLE TESSAN_SOURCE_DATE_EPOCH
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
endif()
set(CPACK_TESSAN_SOURCE_DATE_EPOCH "${TESSAN_SOURCE_DATE_EPOCH}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/packaging/cpack_config.cmake")
set(CPACK_PACKAGE_NAME tessan)
set(CPACK_PACKAGE_VENDOR "The Tessan developers")
set(CPACK_STRIP_FILES ON)

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

# The package presets set this to the package they build. CPack's DEB
# generator cannot build a package without `file`, and without dpkg-shlibdeps
# it quietly builds one whose Depends field is empty, a package that installs
# without the libraries the game needs; its RPM generator needs rpmbuild. So
# these are required up front, when a package is asked for, and none of them
# when the game is only built, installed or tested.
set(TESSAN_PACKAGE "" CACHE STRING
    "The package this build makes, DEB or RPM; its tools are checked for")
# Each tool as program:Debian package.
if(TESSAN_PACKAGE STREQUAL "DEB")
  set(tools dpkg-shlibdeps:dpkg-dev file:file)
elseif(TESSAN_PACKAGE STREQUAL "RPM")
  set(tools rpmbuild:rpm)
elseif(TESSAN_PACKAGE)
  message(FATAL_ERROR "TESSAN_PACKAGE is ${TESSAN_PACKAGE}; it can be DEB or RPM.")
endif()
foreach(tool IN LISTS tools)
  string(REPLACE ":" ";" tool "${tool}")
  list(GET tool 0 program)
  list(GET tool 1 debian_package)
  string(MAKE_C_IDENTIFIER "TESSAN_${program}" variable)
  string(TOUPPER "${variable}" variable)
  find_program(${variable} "${program}")
  if(NOT ${variable})
    message(FATAL_ERROR
      "Building the ${TESSAN_PACKAGE} package needs ${program}, which is not "
      "installed. Install the Debian package ${debian_package} "
      "(apt-get install ${debian_package}) and configure again.")
  endif()
endforeach()

# The maintainer of the package, whom the manual page names for bug reports.
set(TESSAN_MAINTAINER_NAME "The Tessan developers")
set(TESSAN_MAINTAINER_EMAIL "developers@tessan.invalid")

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
# Debian's copyright file carries the licence's text; every other layout
# gets the licence as it stands.
if(NOT TESSAN_PACKAGE STREQUAL "DEB")
  install(FILES LICENSE DESTINATION "${CMAKE_INSTALL_DOCDIR}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console game of propositional logic")
set(description
    "Four propositions, p, q, r and s, start FALSE. In each game the player
turns them TRUE one at a time, in an order of their own choosing. Before the
first step and after each one, seven formulas built from the propositions
and fourteen random truth constants are scored, one point for each TRUE
formula. The aim is to find the order that gives the highest total score.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The Debian package. CPack puts the summary on the first line and indents
# the description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSAN_MAINTAINER_NAME} <${TESSAN_MAINTAINER_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# The RPM package, for Fedora and its kin, built with Debian's rpm. Where
# rpmbuild would stamp the build's host and time, the release pins them, so
# that two builds of one commit are the same file.
set(CPACK_RPM_PACKAGE_SUMMARY "Console game of propositional logic")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${description}")
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP "Amusements/Games")
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_RELOCATABLE OFF)
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/share/man /usr/share/man/man6)
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${CPACK_DEBIAN_PACKAGE_MAINTAINER}
%define _buildhost reproducible
%define _build_id_links none
%define debug_package %{nil}
%define clamp_mtime_to_source_date_epoch 1
%define use_source_date_epoch_as_buildtime 1")
include(CPack)

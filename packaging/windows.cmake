# The download for Windows players: a zip with tessan.exe, a README for
# them and the licence, made by CPack.

# Windows players read text files with Windows line ends.
function(tessan_write_crlf source destination)
  file(READ "${source}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${destination}" "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
endfunction()

configure_file(packaging/windows/README.txt.in windows/README.txt.lf @ONLY)
tessan_write_crlf("${PROJECT_BINARY_DIR}/windows/README.txt.lf"
                  "${PROJECT_BINARY_DIR}/windows/README.txt")

install(TARGETS tessan RUNTIME DESTINATION .)
install(FILES "${PROJECT_BINARY_DIR}/windows/README.txt" DESTINATION .)
if(EXISTS "${PROJECT_SOURCE_DIR}/LICENSE")
  tessan_write_crlf("${PROJECT_SOURCE_DIR}/LICENSE"
                    "${PROJECT_BINARY_DIR}/windows/LICENSE.txt")
  install(FILES "${PROJECT_BINARY_DIR}/windows/LICENSE.txt" DESTINATION .)
endif()

# The same sources give the same zip: its entries carry the time of the
# last commit (SOURCE_DATE_EPOCH, unless the caller sets it), not the time
# of the build.
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
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/packaging/windows/cpack.cmake")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tessan)
set(CPACK_PACKAGE_VENDOR "The Tessan developers")
set(CPACK_PACKAGE_FILE_NAME "tessan-${PROJECT_VERSION}-win64")
set(CPACK_STRIP_FILES ON)
include(CPack)

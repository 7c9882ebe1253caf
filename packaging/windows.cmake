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

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "tessan-${PROJECT_VERSION}-win64")
include(CPack)

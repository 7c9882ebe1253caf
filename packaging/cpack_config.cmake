# Read by CPack before it packs: fixes the time stamps of every package's
# entries.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND CPACK_TESSAN_SOURCE_DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} "${CPACK_TESSAN_SOURCE_DATE_EPOCH}")
endif()

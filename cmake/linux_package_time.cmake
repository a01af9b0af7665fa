# Run by cpack before it makes the Debian package: unless SOURCE_DATE_EPOCH is set already, every
# time stamp in the package is the time of the commit it is built from, so that two builds of the
# same commit give the same bytes. Outside a git checkout the time stamps are the build's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${CPACK_MIREBORA_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_status ERROR_QUIET)
  if(git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()

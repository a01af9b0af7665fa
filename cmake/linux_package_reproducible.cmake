# Run by cpack before it makes the Debian package, so that two builds of the same commit give the
# same bytes:
#  - unless SOURCE_DATE_EPOCH is set already, every time stamp in the package is the time of the
#    commit it is built from (outside a git checkout, the build's);
#  - cpack gives the package's folders and archive members the permissions the umask leaves, so
#    it must run under umask 022: under another the folders would differ, and under 077 the
#    installed folders would be the administrator's alone.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${CPACK_MIREBORA_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_status ERROR_QUIET)
  if(git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()

execute_process(COMMAND sh -c umask OUTPUT_VARIABLE umask OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT umask MATCHES "^0*22$")
  message(FATAL_ERROR "The Debian package is made under umask 022, not ${umask}: "
                      "(umask 022 && cpack --preset linux)")
endif()

# SPDX-License-Identifier: MIT
# Read by cpack before it builds each package: the files in the packages take
# the time SOURCE_DATE_EPOCH gives, which CPack and the tools it runs (makensis)
# read. Unless the caller has set it, it is the last commit's time, or outside
# a git checkout the release date of the changelog's entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_MOLVANE_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  else()
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_MOLVANE_RELEASE_EPOCH})
  endif()
endif()

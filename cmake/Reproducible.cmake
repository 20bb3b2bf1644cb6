# SPDX-License-Identifier: MIT
# Programs and packages that come out byte for byte the same from the same
# commit, whichever folder they are built in and whenever:
# - no object file holds the source or build folder (debugging information,
#   __FILE__): both are written as relative names. The build folder comes last,
#   as it may lie inside the source folder and the compiler takes the last match.
#   Coverage builds keep the real names, which gcov needs to find the sources.
# - no program holds the time it was linked: Windows programs carry a link
#   time in their header unless told not to.
# - Qt's resource compiler writes each file's modification time into the
#   program; format 1 of its data has no times at all, and Qt reads every format.
# - the times inside the packages come from SOURCE_DATE_EPOCH, which
#   cmake/CPackTimes.cmake sets when the caller has not.
if(NOT MOLVANE_COVERAGE)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
endif()
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
set(CMAKE_AUTORCC_OPTIONS --format-version 1)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackTimes.cmake)
set(CPACK_MOLVANE_SOURCE_DIR ${CMAKE_SOURCE_DIR})

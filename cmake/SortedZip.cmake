# SPDX-License-Identifier: MIT
# Run by CPack after it has built a package. CPack's zip lists the files in the
# order the file system returns them, which differs from machine to machine,
# and dates them in the local time zone; the zip is packed again from the same
# staged folder by cmake/sorted_zip.py, sorted and dated in UTC.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()
find_program(MOLVANE_PYTHON NAMES python3 REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${MOLVANE_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/sorted_zip.py
                          ${CPACK_TEMPORARY_DIRECTORY} ${package} $ENV{SOURCE_DATE_EPOCH}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()

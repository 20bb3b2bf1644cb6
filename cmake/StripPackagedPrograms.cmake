# SPDX-License-Identifier: MIT
# Run by CPack on the staged files, before it builds the packages: strips the
# programs as Debian's own packaging tools do, debugging symbols and the
# compilers' version notes (.comment, .note) included, which nothing reads at
# run time.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.exe")
if(NOT programs)
  message(FATAL_ERROR "no programs staged under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_MOLVANE_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# SPDX-License-Identifier: MIT
# What `cmake --install` puts where on Windows, and the two packages built from
# it: an installer (NSIS) and a portable zip. Both hold one folder with the two
# programs and, in help\, the help document that F1 opens from beside the program.
set(CPACK_PACKAGE_NAME molvane)
set(CPACK_PACKAGE_VENDOR "The Molvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME molvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Molvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Molvane)

install(TARGETS molvane-cli RUNTIME DESTINATION .)
# The licence beside the programs, with Windows line ends so that every editor
# shows its lines; the installer shows the same text as its licence page.
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt DESTINATION .)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt)

# The programs are linked statically with the mingw-w64 run-time (start-up
# code, parts of the C library, the POSIX threads library) and GCC's C++ and
# support libraries, whose licences ask for their notices to come with the
# programs. The toolchain's own copyright files hold them.
set(notices "Molvane's programs for Windows carry code of the mingw-w64 run-time and of
GCC's run-time libraries, linked in when they were built. Their copyright and
licence notices follow, as the toolchain that built them states them.
")
foreach(copyright IN ITEMS /usr/share/doc/mingw-w64-common/copyright
                           /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright)
  if(NOT EXISTS ${copyright})
    message(FATAL_ERROR "${copyright} is missing: the Windows packages need the toolchain's notices")
  endif()
  file(READ ${copyright} text)
  string(APPEND notices "\n\n==== ${copyright} ====\n\n${text}")
endforeach()
string(REPLACE "\n" "\r\n" notices "${notices}")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/THIRD-PARTY-NOTICES.txt "${notices}")
install(FILES ${CMAKE_BINARY_DIR}/packaging/THIRD-PARTY-NOTICES.txt DESTINATION .)

if(TARGET molvane)
  install(TARGETS molvane RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/help/molvane-help.html DESTINATION help)
  # The Start menu entry, named by the program's own name.
  set(CPACK_NSIS_CREATE_ICONS_EXTRA "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Molvane.lnk' '$INSTDIR\\\\molvane.exe'")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Molvane.lnk'")
  set(CPACK_NSIS_INSTALLED_ICON_NAME molvane.exe)
  set(CPACK_NSIS_MUI_ICON ${MOLVANE_ICON})
  set(CPACK_NSIS_MUI_UNIICON ${MOLVANE_ICON})
endif()

# Strips the programs before they are packed, as the Debian packages do.
set(CPACK_MOLVANE_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/StripPackagedPrograms.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/SortedZip.cmake)

# The installer itself is a 64-bit program installing into the 64-bit Program
# Files: a 64-bit Windows runs either, but Wine built for 64 bits alone cannot
# start a 32-bit installer. Run with /S it installs silently, for all users.
# The installer stores no file times (SetDateSave off), so that building it
# again gives the same bytes; installed files take the time of installing.
# Uninstalling removes the product's key under the vendor's and then, when
# nothing else is left there, the vendor's own key; the user's settings file
# stays, as Windows programs leave what belongs to the user.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
SetDateSave off
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}'
FunctionEnd")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Molvane)
set(CPACK_NSIS_DISPLAY_NAME Molvane)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")

set(CPACK_GENERATOR NSIS ZIP)
include(CPack)

# SPDX-License-Identifier: MIT
# The one place for who makes the packages and for the project's web site.
# The project has no web site or public repository yet: with the address left
# empty, the packages and the AppStream data name none rather than a made-up one.
set(MOLVANE_MAINTAINER "The Molvane developers <maintainers@users.noreply.c-seed-47a75741.example>")
set(MOLVANE_HOMEPAGE "")
set(packaging_folder ${CMAKE_BINARY_DIR}/packaging)

# The Debian changelog and the AppStream release note are CHANGELOG.md's entry
# for the version being built; without one, nothing is configured. Its date is
# the time of the files in the packages when neither the caller nor git gives
# one (cmake/CPackTimes.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
molvane_changelog_entry(${PROJECT_VERSION} "${MOLVANE_MAINTAINER}" ${packaging_folder}/changelog
                        MOLVANE_APPSTREAM_RELEASE CPACK_MOLVANE_RELEASE_EPOCH)

# Windows programs are packed their own way.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/PackagingWindows.cmake)
  return()
endif()

# What `cmake --install` puts where, and the two Debian packages built from it:
# molvane-cli (the command-line calculator, free of Qt) and molvane (the desktop
# program). Each package carries its own documentation folder with the
# copyright file and the changelog, as Debian expects.
include(GNUInstallDirs)

# Texts filled in from this file, and the gzip copies Debian wants of man pages
# and changelogs: -n leaves out the name and time, so builds are reproducible.
function(molvane_packaged_text source target)
  configure_file(${source} ${packaging_folder}/${target} @ONLY)
endfunction()
function(molvane_gzipped_text source target)
  molvane_packaged_text(${source} ${target})
  execute_process(COMMAND gzip -9nkf ${packaging_folder}/${target} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

molvane_packaged_text(${CMAKE_SOURCE_DIR}/resources/copyright copyright)
execute_process(COMMAND gzip -9nf ${packaging_folder}/changelog COMMAND_ERROR_IS_FATAL ANY)

function(molvane_package_documents component package)
  install(FILES ${packaging_folder}/copyright ${packaging_folder}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endfunction()

# molvane-cli
install(TARGETS molvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
molvane_gzipped_text(${CMAKE_SOURCE_DIR}/resources/molvane-cli.1 molvane-cli.1)
install(FILES ${packaging_folder}/molvane-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
molvane_package_documents(cli molvane-cli)
set(packaged_components cli)

# molvane
if(TARGET molvane)
  install(TARGETS molvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)
  molvane_gzipped_text(${CMAKE_SOURCE_DIR}/resources/molvane.1 molvane.1)
  install(FILES ${packaging_folder}/molvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/org.example.molvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/molvane.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME org.example.molvane.svg COMPONENT desktop)
  if(MOLVANE_HOMEPAGE)
    set(MOLVANE_HOMEPAGE_ELEMENT "<url type=\"homepage\">${MOLVANE_HOMEPAGE}</url>")
  endif()
  molvane_packaged_text(${CMAKE_SOURCE_DIR}/resources/org.example.molvane.metainfo.xml
                        org.example.molvane.metainfo.xml)
  install(FILES ${packaging_folder}/org.example.molvane.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT desktop)
  file(GLOB help_documents ${CMAKE_SOURCE_DIR}/resources/help/*)
  install(FILES ${help_documents} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/molvane COMPONENT desktop)
  # The help's entry in the system's list of documents (doc-base), which
  # names it by its place in the package.
  install(FILES ${CMAKE_SOURCE_DIR}/resources/molvane.doc-base
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc-base RENAME molvane COMPONENT desktop)
  molvane_package_documents(desktop molvane)
  list(APPEND packaged_components desktop)
endif()

set(CPACK_PACKAGE_NAME molvane)
set(CPACK_PACKAGE_VENDOR "The Molvane developers")
set(CPACK_PACKAGE_CONTACT "${MOLVANE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${MOLVANE_HOMEPAGE}")
# Each package has its own summary, the first line of its description; an
# empty common summary keeps CPack from putting one in front of both.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${packaged_components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_MOLVANE_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/StripPackagedPrograms.cmake)
# Dependencies come from the libraries the programs actually link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME molvane-cli)
set(CPACK_DEBIAN_CLI_DESCRIPTION "command-line calculator that understands chemical formulas
molvane-cli answers tasks given as arguments, in a file or on standard input,
one a line: arithmetic, functions in radians, degrees or grads, quadratic
equations, and molar masses of chemical formulas typed in any letter case.
Answers are plain text or JSON, so the calculator fits shells and scripts.
It shares its settings file with the desktop calculator in the molvane package.")

# molvane-cli opens libedit only when a terminal asks for line editing, where
# dpkg-shlibdeps cannot see it; without it, typed lines are read plainly.
set(CPACK_DEBIAN_CLI_PACKAGE_RECOMMENDS "libedit2")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME molvane)
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION "desktop calculator that understands chemical formulas
Molvane answers a task typed on one line: arithmetic with brackets, powers,
roots and factorials, functions in radians, degrees or grads, quadratic
equations, and molar masses of chemical formulas typed in any letter case,
such as h2so4 or CuSO4+5H2O. It keeps a memory, a task history that can be
saved, printed and replayed from a file, and its display settings in a
plain-text file. The command-line calculator is in the molvane-cli package.")
# Qt loads plugins at run time, where dpkg-shlibdeps cannot see them: on
# Debian 12 the xcb window system plugin comes with libqt6gui6, which the
# program links anyway, and the SVG icon engine that draws the window icon
# comes with libqt6svg6.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "libqt6svg6")

set(CPACK_GENERATOR DEB)
include(CPack)

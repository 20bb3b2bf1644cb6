# What `cmake --install` puts where, and the Debian package built from it.
include(GNUInstallDirs)

configure_file(${CMAKE_SOURCE_DIR}/resources/molvane-cli.1 ${CMAKE_BINARY_DIR}/generated/molvane-cli.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/molvane-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET molvane)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/org.example.molvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/molvane.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME org.example.molvane.svg)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/org.example.molvane.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  file(GLOB help_documents ${CMAKE_SOURCE_DIR}/resources/help/*)
  if(help_documents)
    install(FILES ${help_documents} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  endif()
endif()

set(CPACK_PACKAGE_NAME molvane)
set(CPACK_PACKAGE_VENDOR "The Molvane developers")
set(CPACK_PACKAGE_CONTACT "The Molvane developers <developers@molvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Scientific calculator that understands chemical formulas")
set(CPACK_PACKAGE_DESCRIPTION
    "Molvane answers a task typed on one line: arithmetic, functions in radians, degrees or grads,
quadratic equations, and molar masses of chemical formulas typed in any letter case.
The package holds the Qt desktop program molvane and the command-line calculator molvane-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://molvane.example.org")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies come from the libraries the programs actually link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform and SVG icon plugins at run time, where dpkg-shlibdeps
# cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_GENERATOR DEB)
include(CPack)

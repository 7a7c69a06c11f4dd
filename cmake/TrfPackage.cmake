# The Debian package of the programs: `trf`, `trf-report` and `trf-desktop` under /usr/bin, the
# desktop entry and the icon, with the libraries they link declared as dependencies (dpkg-shlibdeps) and Qt's
# platform plugins, so that `apt install ./trf_*.deb` sets up a clean machine. The library's
# headers and archives stay out: they are for `make install`.
include(GNUInstallDirs)
install(TARGETS trf RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
if(TARGET trf-report)
  install(TARGETS trf-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
endif()
if(TARGET trf-desktop)
  install(TARGETS trf-desktop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/trf-desktop.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT programs)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/trf-desktop.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT programs)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trf)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TRF maintainers <trf@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "The monthly report of the homes, at a terminal and on the desktop")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL programs)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME trf)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)

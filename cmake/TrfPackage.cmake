# The Debian package of the programs: `trf`, `trf-report` and `trf-desktop` under /usr/bin, the
# desktop entry and the icon, the copyright and the change log, with the libraries they link declared
# as dependencies (dpkg-shlibdeps) and Qt's platform plugins, so that `apt install ./trf_*.deb` sets up
# a clean machine. The library's headers and archives stay out: they are for `make install`. The
# target `programs` builds every program the package holds.
include(GNUInstallDirs)
add_custom_target(programs)
foreach(program trf trf-report trf-desktop)
  if(TARGET ${program})
    add_dependencies(programs ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
  endif()
endforeach()
if(TARGET trf-desktop)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/trf-desktop.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT programs)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/trf-desktop.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT programs)
endif()
# A package of its own making (no Debian revision) carries its change log as changelog.gz, packed
# without a time stamp so that the same sources make the same package.
set(TRF_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
execute_process(COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog OUTPUT_FILE ${TRF_CHANGELOG})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${TRF_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trf COMPONENT programs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trf)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TRF maintainers <trf@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monthly report of the homes, at a terminal and on the desktop")
# The extended description, under the summary.
string(CONCAT CPACK_DEBIAN_PROGRAMS_DESCRIPTION
       "Residents, family groups, expenses and notes of each home's month, checked\n"
       "by the same rules at a terminal (trf) and on the desktop (trf-desktop) before\n"
       "the month is filed; trf-report writes a month's report as PDF, JSON or CSV.\n"
       "The data lives in an SQLite file or on a PostgreSQL server shared by desks.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL programs)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME trf)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)

# `cmake --install` lays the programs, their manual pages, the desktop entry, the icon
# and the documentation out at the usual places under the prefix (GNUInstallDirs).
include(GNUInstallDirs)

set(ZENDRA91_PROGRAMS zendra91-extract zendra91-makedata)
if(ZENDRA91_GUI)
  list(APPEND ZENDRA91_PROGRAMS zendra91)
endif()
install(TARGETS ${ZENDRA91_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages show the version in their footer, so they are configured like the header.
foreach(program IN LISTS ZENDRA91_PROGRAMS)
  set(page ${ZENDRA91_GENERATED_DIR}/man/${program}.1)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${program}.1.in ${page} @ONLY)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

if(ZENDRA91_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zendra91.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/src/window/resources/zendra91.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
  FILES_MATCHING PATTERN "*.md" PATTERN man EXCLUDE)

# `cmake --install` lays the programs, their manual pages, the desktop entry, the icons,
# the software-centre entry, the request file type and the documentation out at the
# usual places under the prefix (GNUInstallDirs).
include(GNUInstallDirs)

# ZENDRA91_APP_ID, the name the desktop knows the window by, is set in Version.cmake.
# The fixed icon sizes rendered from the scalable one (packaging/icons/regenerate.sh).
set(ZENDRA91_ICON_SIZES 16 22 24 32 48 64 128 256)

set(ZENDRA91_PROGRAMS zendra91-extract zendra91-makedata)
if(ZENDRA91_GUI)
  list(APPEND ZENDRA91_PROGRAMS zendra91)
endif()
install(TARGETS ${ZENDRA91_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The newest entry of packaging/changelog is the release: its version must be
# project()'s, and its date is the metainfo's release date.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_lines)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^zendra91 \\(([^)]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: expected \"zendra91 (VERSION) ...\" on line 1, found \"${changelog_head}\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: its newest entry is for ${CMAKE_MATCH_1}, but project() says "
    "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION} at its top")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(month_numbers 01 02 03 04 05 06 07 08 09 10 11 12)
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    list(FIND months ${CMAKE_MATCH_2} month)
    if(month GREATER_EQUAL 0)
      list(GET month_numbers ${month} month)
      set(ZENDRA91_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
    endif()
    break()
  endif()
endforeach()
if(NOT ZENDRA91_RELEASE_DATE)
  message(FATAL_ERROR "packaging/changelog: expected its newest entry to end in a line "
    "\" -- NAME <MAIL>  Day, DD Mon YYYY HH:MM:SS +ZONE\"")
endif()

# Debian wants manual pages and the changelog compressed; -n keeps the name and time
# out of the .gz, so that two builds give the same bytes.
set(compressed_files)
function(zendra91_gzip source_file output_var)
  add_custom_command(OUTPUT ${source_file}.gz
    COMMAND gzip -9nkf ${source_file}
    DEPENDS ${source_file}
    VERBATIM)
  set(${output_var} ${source_file}.gz PARENT_SCOPE)
endfunction()

# The manual pages show the version in their footer, so they are configured like the header.
foreach(program IN LISTS ZENDRA91_PROGRAMS)
  set(page ${ZENDRA91_GENERATED_DIR}/man/${program}.1)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${program}.1.in ${page} @ONLY)
  zendra91_gzip(${page} page_gz)
  list(APPEND compressed_files ${page_gz})
  install(FILES ${page_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# A native package's changelog is changelog.gz; the copyright is machine-readable.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog ${ZENDRA91_GENERATED_DIR}/doc/changelog COPYONLY)
zendra91_gzip(${ZENDRA91_GENERATED_DIR}/doc/changelog changelog_gz)
list(APPEND compressed_files ${changelog_gz})
add_custom_target(zendra91_compressed_docs ALL DEPENDS ${compressed_files})
install(FILES ${changelog_gz} ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(ZENDRA91_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ZENDRA91_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  set(metainfo ${ZENDRA91_GENERATED_DIR}/${ZENDRA91_APP_ID}.metainfo.xml)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${ZENDRA91_APP_ID}.metainfo.xml.in ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ZENDRA91_APP_ID}.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  # The window's own icon stays the SVG in its resources; the theme gets it under the id.
  install(FILES ${PROJECT_SOURCE_DIR}/src/window/resources/zendra91.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZENDRA91_APP_ID}.svg)
  foreach(size IN LISTS ZENDRA91_ICON_SIZES)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/${ZENDRA91_APP_ID}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
  FILES_MATCHING PATTERN "*.md" PATTERN man EXCLUDE)

# `make package`: a Debian package of what cmake/Install.cmake installs. Its dependencies
# are read from the binaries by dpkg-shlibdeps (from dpkg-dev, which needs `file`).
# The target check_package builds it and checks it with lintian.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zendra91)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZENDRA91 maintainers <zendra91@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "extracts synthetic 1991 Census microdata for small areas of Great Britain")
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop tool (zendra91) and its command-line front end (zendra91-extract):\n\
pick areas, household and person variables and output options, and get\n\
comma-separated files, one line per household or person.\n\
zendra91-makedata writes a demo data set to try them on.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(ZENDRA91_GUI)
  # Qt loads its display plugin at run time, so dpkg-shlibdeps cannot see it, and
  # libqt6gui6 only recommends it.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
include(CPack)

# The hardening Debian builds its own packages with (dpkg-buildflags), in the optimised
# builds that packages are made from: checked buffer functions, stack guards, and
# relocations bound and made read-only at start-up.
target_compile_options(zendra91_warnings INTERFACE
  "$<$<CONFIG:Release,RelWithDebInfo>:-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
target_link_options(zendra91_warnings INTERFACE "$<$<CONFIG:Release,RelWithDebInfo>:LINKER:-z,relro,-z,now>")

# The name CPack gives the package (DEB-DEFAULT), with dpkg's name for the machine.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_architecture
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(ZENDRA91_DEB ${PROJECT_BINARY_DIR}/${CPACK_PACKAGE_NAME}_${CPACK_PACKAGE_VERSION}_${deb_architecture}.deb)
add_custom_target(check_package
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake
  COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/check-package.sh ${ZENDRA91_DEB} ${ZENDRA91_APP_ID}
    "${ZENDRA91_ICON_SIZES}" ${ZENDRA91_GUI}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  VERBATIM)
add_dependencies(check_package ${ZENDRA91_PROGRAMS} zendra91_compressed_docs)

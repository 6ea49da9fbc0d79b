# `make package`: a Debian package of what cmake/Install.cmake installs. Its dependencies
# are read from the binaries by dpkg-shlibdeps (from dpkg-dev, which needs `file`).
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

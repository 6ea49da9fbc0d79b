# The one version number: project(... VERSION ...) feeds a generated header in the
# build tree, which zendra91_base puts on its include path as "base/Version.h".
set(ZENDRA91_DISPLAY_NAME "ZENDRA91")
# The name under which desktops, software centres and file managers know the window:
# the desktop entry, the metainfo, the MIME package, the icons and the window itself
# (setDesktopFileName) all carry it. AppStream wants it in lower case.
set(ZENDRA91_APP_ID org.zendra91.zendra91)
set(ZENDRA91_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${ZENDRA91_GENERATED_DIR}/base/Version.h @ONLY)

# The one version number: project(... VERSION ...) feeds a generated header in the
# build tree, which zendra91_base puts on its include path as "base/Version.h".
set(ZENDRA91_DISPLAY_NAME "ZENDRA91")
set(ZENDRA91_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${ZENDRA91_GENERATED_DIR}/base/Version.h @ONLY)

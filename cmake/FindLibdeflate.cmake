# Finds libdeflate; Debian's 1.14 installs a pkg-config file but no CMake package, and
# the header states the version, so no pkg-config is needed.
#
#   libdeflate::libdeflate  imported target
#   Libdeflate_FOUND, Libdeflate_VERSION, Libdeflate_INCLUDE_DIR, Libdeflate_LIBRARY
include(FindPackageHandleStandardArgs)

find_path(Libdeflate_INCLUDE_DIR libdeflate.h)
find_library(Libdeflate_LIBRARY deflate)

if(Libdeflate_INCLUDE_DIR AND EXISTS ${Libdeflate_INCLUDE_DIR}/libdeflate.h)
  file(STRINGS ${Libdeflate_INCLUDE_DIR}/libdeflate.h _libdeflate_version_line
    REGEX "^#define[ \t]+LIBDEFLATE_VERSION_STRING[ \t]+\"[^\"]+\"")
  if(_libdeflate_version_line MATCHES "\"([^\"]+)\"")
    set(Libdeflate_VERSION ${CMAKE_MATCH_1})
  endif()
  unset(_libdeflate_version_line)
endif()

find_package_handle_standard_args(Libdeflate
  REQUIRED_VARS Libdeflate_LIBRARY Libdeflate_INCLUDE_DIR
  VERSION_VAR Libdeflate_VERSION)
mark_as_advanced(Libdeflate_INCLUDE_DIR Libdeflate_LIBRARY)

if(Libdeflate_FOUND AND NOT TARGET libdeflate::libdeflate)
  add_library(libdeflate::libdeflate UNKNOWN IMPORTED)
  set_target_properties(libdeflate::libdeflate PROPERTIES
    IMPORTED_LOCATION ${Libdeflate_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${Libdeflate_INCLUDE_DIR})
endif()

# Finds the ReadStat library, which ships neither a CMake package nor a pkg-config file
# on Debian. Its header carries no version, so the version is read from the shared
# library's real file name (libreadstat.so.1.1.8).
#
#   ReadStat::ReadStat      imported target
#   ReadStat_FOUND, ReadStat_VERSION, ReadStat_INCLUDE_DIR, ReadStat_LIBRARY
include(FindPackageHandleStandardArgs)

find_path(ReadStat_INCLUDE_DIR readstat.h)
find_library(ReadStat_LIBRARY readstat)

if(ReadStat_LIBRARY)
  file(REAL_PATH ${ReadStat_LIBRARY} _readstat_real)
  get_filename_component(_readstat_name ${_readstat_real} NAME)
  if(_readstat_name MATCHES "\\.so\\.([0-9]+\\.[0-9]+(\\.[0-9]+)?)$")
    set(ReadStat_VERSION ${CMAKE_MATCH_1})
  endif()
  unset(_readstat_real)
  unset(_readstat_name)
endif()

find_package_handle_standard_args(ReadStat
  REQUIRED_VARS ReadStat_LIBRARY ReadStat_INCLUDE_DIR
  VERSION_VAR ReadStat_VERSION)
mark_as_advanced(ReadStat_INCLUDE_DIR ReadStat_LIBRARY)

if(ReadStat_FOUND AND NOT TARGET ReadStat::ReadStat)
  add_library(ReadStat::ReadStat UNKNOWN IMPORTED)
  set_target_properties(ReadStat::ReadStat PROPERTIES
    IMPORTED_LOCATION ${ReadStat_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${ReadStat_INCLUDE_DIR})
endif()

#pragma once

#include "extraction/EdList.h"

#include <string>

struct AreaTables;

/// The ED list Extract would walk right now: the user's codes as the data files name
/// them (in capitals, repeats kept), or every ED of the final wards, which it
/// recomputes in `areas` from the area choice. Throws DataFileError when the list
/// file cannot be read; a caller checks first that it exists, as Extract does.
EdList tableEdList(AreaTables& areas, bool useUserEdList, const std::string& edListFile);

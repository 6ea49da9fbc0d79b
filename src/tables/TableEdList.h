#pragma once

#include "extraction/EdList.h"

#include <cstddef>
#include <string>

struct AreaTables;
struct DataFolders;

/// The EDs a table counts, and how many listed codes have no household file (those
/// Extract would report in RejectedEDs.txt; a table writes no file, so the front
/// end says so instead).
struct TableEds {
    EdList list;
    std::size_t codesWithoutFile = 0;
};

/// The ED list Extract would walk right now: the user's codes as the data files name
/// them (in capitals, repeats kept), or every ED of the final wards, which it
/// recomputes in `areas` from the area choice. Throws DataFileError when the list
/// file cannot be read; a caller checks first that it exists, as Extract does.
TableEds tableEdList(AreaTables& areas, const DataFolders& folders, bool useUserEdList, const std::string& edListFile);

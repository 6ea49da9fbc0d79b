#pragma once

#include "geography/AreaTables.h"

struct DataFolders;

/// Loads the eleven geography files from programDataFolder into fresh tables, with
/// every level in "All" mode and no member flag set. The parent links, the ward
/// ranges of the districts and the ward codes' county numbers are checked as they
/// are read, so that no later look-up can leave its table.
///
/// Throws DataFileError naming the file, the line and the field on any missing
/// file, early end, non-number or out-of-range value; nothing partly loaded escapes.
AreaTables loadAreaTables(const DataFolders& folders);

#pragma once

#include "geography/AreaTables.h"
#include "variables/VariableCatalogue.h"


/// A full-size area tree built in memory, as loadAreaTables leaves it (every level in
/// "All" mode, no member flag set). Regions 1..10 are English, 11..13 are countries
/// 2..4; county k lies in region (k-1) % 13 + 1, district d in county (d-1) % 68 + 1,
/// and each district holds a consecutive run of wards. Names are "County k",
/// "District d" and "Ward w", except ward 2, "Ynys Môn" in UTF-8, and ward 3, the
/// same name in Latin-1.
AreaTables syntheticAreaTables();

/// The wards of district d in syntheticAreaTables: first and last ward number.
int firstWardOf(int district);
int lastWardOf(int district);

/// The catalogue with the identity list map and plain widths, as loadVariableCatalogue
/// returns it for such a file.
VariableCatalogue identityVariableCatalogue();

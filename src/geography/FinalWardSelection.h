#pragma once

struct AreaTables;

/// Rewrites finalWards from the five levels' flags: the deepest level in individual
/// mode (element 0 = 0) decides, expanded down to its wards; a level in mode 1 or 2
/// counts as "All", and all five in "All" choose every ward. Only a member flag of
/// exactly 1 counts.
void finalWardSelection(AreaTables& areas);

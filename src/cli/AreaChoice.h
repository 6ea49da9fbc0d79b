#pragma once

#include "geography/AreaTables.h"

#include <string>
#include <vector>

/// Puts `level` in individual choice with exactly `members` chosen (numbers from 1,
/// exact names, or for wards six-character codes), leaving every other level in
/// "All" mode. Throws UsageError for an unknown member or a name that is not unique
/// at its level, listing the candidates.
void applyAreaChoice(AreaTables& areas, AreaLevel level, const std::vector<std::string>& members);

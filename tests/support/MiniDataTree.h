#pragma once

#include <string>

/// Writes a small but complete and valid data tree under `base`: the eleven
/// geography files at their full record counts (plain generated names), an
/// identity VariableMap.dat and SAR files where household h has persons
/// 2h-1..2h (LastRes of the last household is 2514). Tests then break single
/// files to probe the loaders.
///
/// Layout: county k (1..67) has census number k, county 68 is Northern Ireland
/// ("NI" codes); district d lies in county ((d - 1) % 68) + 1; wards are spread
/// 24 or 23 per district in order; county k lies in region ((k - 1) % 10) + 1,
/// with the three counties 66, 67, 68 in regions 11, 12, 13.
void writeMiniDataTree(const std::string& base);

/// The code writeMiniDataTree gives ward w.
std::string miniWardCode(int ward);

#pragma once

#include "geography/AreaTables.h"

#include <string>

class TempDir;

/// A complete small data set written into a test folder: the eleven geography
/// files (generic wards of 2 EDs each, plus the special wards below; 24 wards to a
/// district, so districts past 480 have none; county k in region (k - 1) % 13 + 1,
/// district d in county (d - 1) % 68 + 1; names "County k", "District d", "Ward w"
/// but for wards 7..10, see write()), an identity
/// or reversed VariableMap.dat, SAR records with easily traced values, and the
/// sample ward's household files.
///
/// SAR household h: field 1 = h, field j = 10 * j + h % 10 for j = 2..13, and
/// FirstRes..LastRes giving households 1..514 three persons and the rest two.
/// SAR person p: field 1 = its household, field 2 = p, field j = (p + j) % 10 for
/// j = 3..33, except person 1 field 3 = -5.
/// Sample file 04BYFA<nn><letter>.res holds the households nn and 100 + letter
/// (letter 0 for none, 1..5 for A..E).
struct FixtureData {
    enum Ward {
        kWard3Eds = 1, ///< 08BYFA: 3 EDs, no parts
        kWard35Eds = 2, ///< 08BYFB: 35 EDs
        kWardNiParts = 3, ///< NIAACC: 2 EDs of 2 lettered parts
        kWard7Parts = 4, ///< 12CDEF: 1 ED of 7 lettered parts
        kWardSample = 5, ///< 04BYFA: 30 EDs
        kWard120Eds = 6, ///< 08BYFC: 120 EDs
    };

    /// Writes the data set under `dir`; `reversedMap` lists the variables in reverse.
    static void write(const TempDir& dir, bool reversedMap = false);
    /// The data set's area tables as loaded, read once.
    static const AreaTables& areaTables();
    /// The generic code of ward w >= 7.
    static std::string wardCode(int w);
};

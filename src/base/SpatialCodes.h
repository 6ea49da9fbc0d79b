#pragma once

#include <array>
#include <cstddef>

/// Positions of the six spatial codes, in the order they lead each output line.
enum SpatialCode { kSpatialCountry = 0, kSpatialRegion, kSpatialCounty, kSpatialDistrict, kSpatialWard, kSpatialEd };
inline constexpr int kNumSpatialCodes = 6;

/// One spatial code, as every front end and writer knows it.
struct SpatialCodeInfo {
    const char* name; ///< on the command line
    const char* header; ///< the column header in the output and its name in request files
    int width; ///< characters it is assumed to add to a line in the size estimate
    const char* label; ///< what the codebook says of it
    const char* checkBox; ///< the window's check box (objectName)
    const char* caption; ///< that check box's caption
    const char* exampleLabel; ///< the objectName of the greyed example beside it
    const char* example;
};

/// Indexed by SpatialCode; the window lists them the other way round, ED first.
inline constexpr std::array<SpatialCodeInfo, kNumSpatialCodes> kSpatialCodes = { {
    { "country", "Country", 9, "Country name", "cbCountry", "Country (name)", "Label27", "e.g. England" },
    { "region", "Region", 12, "Region name", "cbRegion", "Region (name)", "Label28", "e.g. North" },
    { "county", "County", 3, "County code: the first 2 characters of the ED code", "cbCounty", "County (ONS ID)",
        "Label32", "e.g. 08" },
    { "district", "District", 5, "District code: the first 4 characters of the ED code", "cbDistrict",
        "District (ONS ID)", "Label29", "e.g. 08BY" },
    { "ward", "Ward", 7, "Ward code: the first 6 characters of the ED code", "cbWard", "Ward (ONS ID)", "Label30",
        "e.g. 08BYFA" },
    { "ed", "ED", 9, "Enumeration district code", "cbED", "ED (ONS ID)", "Label31", "e.g. 08BYFA01" },
} };

/// Which spatial codes lead each line, by SpatialCode.
using SpatialCodeFlags = std::array<bool, kNumSpatialCodes>;

#pragma once

#include <array>

/// Positions of the six spatial codes, in the order they lead each output line.
enum SpatialCode { kSpatialCountry = 0, kSpatialRegion, kSpatialCounty, kSpatialDistrict, kSpatialWard, kSpatialEd };
inline constexpr int kNumSpatialCodes = 6;

/// One spatial code: its name on the command line, its column header in the output,
/// and the characters it is assumed to add to a line in the size estimate.
struct SpatialCodeInfo {
    const char* name;
    const char* header;
    int width;
};

/// Indexed by SpatialCode.
inline constexpr std::array<SpatialCodeInfo, kNumSpatialCodes> kSpatialCodes = { {
    { "country", "Country", 9 },
    { "region", "Region", 12 },
    { "county", "County", 3 },
    { "district", "District", 5 },
    { "ward", "Ward", 7 },
    { "ed", "ED", 9 },
} };

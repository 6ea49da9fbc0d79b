#pragma once

#include <array>

/// The five levels of the area tree, top down.
enum class AreaLevel { Country = 0, Region, County, District, Ward };
inline constexpr int kNumAreaLevels = 5;

/// Each level's name in the singular, lower case, indexed by AreaLevel.
inline constexpr std::array<const char*, kNumAreaLevels> kAreaLevelNames
    = { "country", "region", "county", "district", "ward" };
/// Each level's name in the plural, as the command line takes it.
inline constexpr std::array<const char*, kNumAreaLevels> kAreaPluralNames
    = { "countries", "regions", "counties", "districts", "wards" };

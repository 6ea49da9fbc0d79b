#pragma once

#include <span>

/// One county of the 1991 area tree as the demo data set describes it.
struct CountyInfo {
    const char* name;
    int region; // 1..13, in the program's fixed region numbering
    int districts; // how many districts it holds
};

/// The 67 counties of Great Britain in census county number order: element i has
/// census number i + 1. Their district counts add up to 459.
std::span<const CountyInfo> greatBritainCounties();

/// Northern Ireland, the 68th county; its ward codes begin "NI" (census number 0).
const CountyInfo& northernIrelandCounty();

#pragma once

#include "demodata/DemoGeography.h"

#include <string>
#include <vector>

/// One per-ED household file: the ED code and how many household record numbers
/// it lists.
struct HouseholdFileSpec {
    std::string code;
    int households = 0;
};

/// The per-ED files of ward `ward`: one per ED, or one per lettered part when its
/// EDs are divided. Their household counts add up to the ward's households. The
/// sample ward also gets the lettered files 01A..30E that stand in for lettered
/// parts in area extractions; those are extra and smaller (a part, not an ED).
std::vector<HouseholdFileSpec> householdFilesOfWard(const DemoGeography& geography, int ward);

/// Writes the files of `ward` into the district folder under `populationFolder`
/// (ending in "/"), each a list of SAR household record numbers 1..1000, ten to
/// a line. Returns how many files it wrote. The content depends only on the
/// ward, so a ward is written the same whichever set it is written with.
int writeHouseholdFiles(const DemoGeography& geography, int ward, const std::string& populationFolder);

/// The codes of the default user ED list: EDs of the wards that have files, one of
/// them twice, then a code without a file and one too short to be an ED code.
std::vector<std::string> defaultEdList(const DemoGeography& geography);

#pragma once

#include <array>
#include <string>
#include <vector>

/// A county of the demo area tree, at its list position (County_Names.dat order).
struct DemoCounty {
    std::string name;
    int region = 0;
    int censusNumber = 0; // 0 for Northern Ireland ("NI" codes), else 1..67
    int firstDistrict = 0;
    int lastDistrict = 0;
};

struct DemoDistrict {
    std::string name;
    int county = 0;
    std::string letters; // the two district letters of its ward codes
    int firstWard = 0;
    int lastWard = 0;
};

struct DemoWard {
    std::string name;
    std::string code;
    int district = 0;
    int eds = 0;
    int parts = 0; // lettered parts per ED, 0 when the EDs are not divided
    int persons = 0;
    int households = 0;
};

/// The whole demo area tree: 68 counties, 485 districts and 11499 wards, each
/// table indexed by member number from 1 (element 0 is unused), plus the wards
/// the household files and the default ED list are built around.
struct DemoGeography {
    std::vector<DemoCounty> counties;
    std::vector<DemoDistrict> districts;
    std::vector<DemoWard> wards;
    std::array<int, 68> regionOfCensusCounty {}; // by census county number 0..67

    int sampleWard = 0; // kSampleWardCode, which serves every area extraction
    int niWard = 0; // a Northern Ireland ward
    int letteredWard = 0; // EDs in 7 lettered parts
    int largeWard = 0; // more than 100 EDs
};

/// Builds the tree from a fixed seed; every call gives the same tree.
DemoGeography buildDemoGeography();

/// Writes the four names files and seven map files into `folder` (ending in "/").
/// Throws DataFileError naming the file when one cannot be written.
void writeGeographyFiles(const DemoGeography& geography, const std::string& folder);

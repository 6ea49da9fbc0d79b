#include "FixtureData.h"

#include "TempDir.h"

#include "base/DataFolders.h"
#include "base/DefaultNames.h"
#include "base/FixedSizes.h"
#include "geography/AreaTables.h"
#include "geography/AreaTablesLoader.h"
#include "geography/EdCode.h"

#include <string>

namespace {

constexpr int kWardsPerDistrict = 24;

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string letters(int n)
{
    return { static_cast<char>('A' + (n / 26) % 26), static_cast<char>('A' + n % 26) };
}

struct SpecialWard {
    int ward;
    const char* code;
    const char* eds; // EDs2WardMap.dat fields after the record number
};

constexpr SpecialWard kSpecialWards[] = {
    { FixtureData::kWard3Eds, "08BYFA", "3,0,700,300" },
    { FixtureData::kWard35Eds, "08BYFB", "35,0,9000,4000" },
    { FixtureData::kWardNiParts, "NIAACC", "2,2,400,150" },
    { FixtureData::kWard7Parts, "12CDEF", "1,7,100,40" },
    { FixtureData::kWardSample, kSampleWardCode, "30,0,6000,2500" },
    { FixtureData::kWard120Eds, "08BYFC", "120,0,20000,9000" },
};

const SpecialWard* special(int w)
{
    for (const SpecialWard& s : kSpecialWards)
        if (s.ward == w)
            return &s;
    return nullptr;
}

int districtOf(int w)
{
    return (w - 1) / kWardsPerDistrict + 1;
}

} // namespace

const AreaTables& FixtureData::areaTables()
{
    static const AreaTables tables = [] {
        TempDir dir;
        write(dir);
        return loadAreaTables(DataFolders::under(dir.path()));
    }();
    return tables;
}

std::string FixtureData::wardCode(int w)
{
    return twoDigits(w % 68) + letters(districtOf(w) + 26) + letters(w);
}

void FixtureData::write(const TempDir& dir, bool reversedMap)
{
    auto lines = [&](const std::string& file, const char* heading, int first, int last, auto line) {
        std::string text = heading;
        for (int k = first; k <= last; ++k)
            text += line(k) + "\r\n";
        dir.write("ProgramData/" + file, text);
    };
    auto map = [&](const char* file, int first, int last, auto values) {
        lines(file, "\"heading, with a comma\"\r\n", first, last,
            [&](int k) { return std::to_string(k) + "," + values(k); });
    };
    lines("County_Names.dat", "", 1, kNumCounties, [](int k) { return "County " + std::to_string(k); });
    lines("District_Names.dat", "", 1, kNumDistricts, [](int d) { return "District " + std::to_string(d); });
    // Wards 7 and 8 share a name, for the command line's ambiguity check; wards 9
    // and 10 hold one name in UTF-8 and in Latin-1, for the window's decoding.
    lines("Ward_Names.dat", "", 1, kNumWards, [](int w) {
        return w == 7 || w == 8 ? "Twin Ward"
            : w == 9            ? "Ynys M\xc3\xb4n"
            : w == 10           ? "Ynys M\xf4n"
                                : "Ward " + std::to_string(w);
    });
    lines("Ward_Codes.dat", "", 1, kNumWards,
        [](int w) { return special(w) ? std::string(special(w)->code) : wardCode(w); });
    map("Region2CountryMap.dat", 1, kNumRegions, [](int r) { return std::to_string(r <= 10 ? 1 : r - 9); });
    map("County2RegionMap.dat", 1, kNumCounties, [](int k) { return std::to_string((k - 1) % 13 + 1); });
    map("ONSCounty2RegionMap.dat", 0, 67, [](int n) { return std::to_string(n == 0 ? 13 : (n - 1) % 12 + 1); });
    map("District2CountyMap.dat", 1, kNumDistricts, [](int d) { return std::to_string((d - 1) % 68 + 1); });
    map("District2WardMap.dat", 1, kNumDistricts, [](int d) {
        int first = (d - 1) * kWardsPerDistrict + 1;
        int last = d * kWardsPerDistrict;
        if (first > kNumWards)
            return std::to_string(kNumWards) + "," + std::to_string(kNumWards - 1); // no wards
        return std::to_string(first) + "," + std::to_string(std::min(last, int { kNumWards }));
    });
    map("Ward2DistrictMap.dat", 1, kNumWards, [](int w) { return std::to_string(districtOf(w)); });
    map("EDs2WardMap.dat", 1, kNumWards,
        [](int w) { return std::string(special(w) ? special(w)->eds : "2,0,500,200"); });

    std::string text = "\"Household variables\"\r\n";
    for (int r = 0; r <= kNumHhVars; ++r)
        text += std::to_string(reversedMap && r > 0 ? kNumHhVars + 1 - r : r) + ",3\r\n";
    text += "\"Individual variables\"\r\n";
    for (int r = 0; r <= kNumIndVars; ++r)
        text += std::to_string(reversedMap && r > 0 ? kNumIndVars + 1 - r : r) + ",2\r\n";
    dir.write("ProgramData/VariableMap.dat", text);

    text.clear();
    int person = 1;
    for (int h = 1; h <= kNumSarHouseholds; ++h) {
        int size = h <= 514 ? 3 : 2;
        text += std::to_string(h);
        for (int j = 2; j <= 13; ++j)
            text += "," + std::to_string(10 * j + h % 10);
        text += "," + std::to_string(person) + "," + std::to_string(person + size - 1) + "\r\n";
        person += size;
    }
    dir.write("SARData/HHSAR.dat", text);
    text.clear();
    for (int p = 1, h = 1, left = 3; p <= kNumSarPersons; ++p) {
        text += std::to_string(h) + "," + std::to_string(p);
        for (int j = 3; j <= kNumIndVars; ++j)
            text += "," + std::to_string(p == 1 && j == 3 ? -5 : (p + j) % 10);
        text += "\r\n";
        if (--left == 0) {
            ++h;
            left = h <= 514 ? 3 : 2;
        }
    }
    dir.write("SARData/IndSAR.dat", text);

    const std::string population = std::string(kPopulationDataFolderName) + "/";
    for (int n = 1; n <= kSampleWardEds; ++n)
        for (int letter = 0; letter <= kSampleWardParts; ++letter)
            dir.write(*householdFilePath(population, edCode(kSampleWardCode, n, letter)),
                std::to_string(n) + "," + std::to_string(100 + letter) + "\r\n");
}

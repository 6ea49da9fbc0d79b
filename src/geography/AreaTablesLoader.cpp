#include "geography/AreaTablesLoader.h"

#include "base/DataFolders.h"
#include "geography/EdCode.h"
#include "textio/DataFileError.h"
#include "textio/FieldReader.h"

#include <string>

namespace {

const char* const kCountryNames[] = { "All", "England", "Scotland", "Wales", "Northern Ireland" };
const char* const kRegionNames[] = { "All", "East Anglia", "East Midlands", "Inner London", "North", "North-West",
    "Outer London", "Rest of South East", "South West", "West Midlands", "Yorks & Humbs", "Scotland", "Wales",
    "Northern Ireland" };

std::string recordLabel(const char* what, int record)
{
    return std::string(what) + " of record " + std::to_string(record);
}

void readNames(const std::string& path, std::vector<std::string>& table, int count, const char* what)
{
    FieldReader reader = FieldReader::open(path);
    for (int k = 1; k <= count; ++k)
        table[k] = reader.readTextDescribed([&] { return recordLabel(what, k); });
    reader.expectEnd(std::to_string(count) + " records");
}

/// Reads a map file: a heading field, then `count` records of a (discarded) member
/// number followed by `fields` values, each checked against [min, max].
template <typename Store>
void readMap(const std::string& path, int count, int fields, const char* const* what, int min, int max, Store store)
{
    FieldReader reader = FieldReader::open(path);
    reader.readText("a heading line");
    for (int k = 1; k <= count; ++k) {
        reader.readIntegerDescribed([&] { return recordLabel("the member number", k); }, INT16_MIN, INT16_MAX);
        for (int f = 0; f < fields; ++f) {
            auto value = reader.readIntegerDescribed([&] { return recordLabel(what[f], k); }, INT16_MIN, INT16_MAX);
            if (value < min || value > max)
                reader.fail("expected " + recordLabel(what[f], k) + " within " + std::to_string(min) + ".."
                    + std::to_string(max) + ", found " + std::to_string(value));
            store(k, f, static_cast<std::int16_t>(value), reader);
        }
    }
    reader.expectEnd(std::to_string(count) + " records");
}

void readWardCodes(const std::string& path, std::vector<std::string>& codes)
{
    FieldReader reader = FieldReader::open(path);
    for (int w = 1; w <= kNumWards; ++w) {
        std::string code = reader.readTextDescribed([&] { return recordLabel("the ward code", w); });
        // The code names folders and files later on; anything but letters and
        // digits in it, or a county part that maps to no region, is refused here.
        bool plain = code.size() == kWardCodeLength && isSafeEdCode(code);
        int county = censusCountyNumber(code);
        if (!plain || county < 0 || county > 67)
            reader.fail("expected " + recordLabel("the ward code", w)
                + " of six letters or digits beginning with 00..67 or \"NI\", found " + DataFileError::shown(code));
        codes[static_cast<std::size_t>(w)] = std::move(code);
    }
    reader.expectEnd(std::to_string(kNumWards) + " records");
}

// Each district's ward range must hold only its own wards.
void checkDistrictWardRanges(const AreaTables& t, const std::string& path, const std::vector<long>& rangeLines)
{
    const std::vector<std::int16_t>& ward2District = t.level(AreaLevel::Ward).parents;
    for (int d = 1; d <= kNumDistricts; ++d) {
        auto [first, last] = t.district2Ward[d];
        for (int w = first; w <= last; ++w)
            if (ward2District[w] != d)
                throw DataFileError(path, rangeLines[d], 0,
                    "record " + std::to_string(d) + ": " + "district " + std::to_string(d) + " lists wards "
                        + std::to_string(first) + ".." + std::to_string(last) + ", but Ward2DistrictMap.dat puts ward "
                        + std::to_string(w) + " in district " + std::to_string(ward2District[w]));
    }
}

} // namespace

AreaTables loadAreaTables(const DataFolders& folders)
{
    AreaTables t;
    const std::string& dir = folders.programDataFolder;

    for (AreaTables::Level& level : t.levels) {
        level.flags[0] = kModeAll;
        level.names[0] = "All";
    }
    for (int i = 1; i <= kNumCountries; ++i)
        t.level(AreaLevel::Country).names[i] = kCountryNames[i];
    for (int i = 1; i <= kNumRegions; ++i)
        t.level(AreaLevel::Region).names[i] = kRegionNames[i];

    readNames(dir + "County_Names.dat", t.level(AreaLevel::County).names, kNumCounties, "the county name");
    readNames(dir + "District_Names.dat", t.level(AreaLevel::District).names, kNumDistricts, "the district name");
    readNames(dir + "Ward_Names.dat", t.level(AreaLevel::Ward).names, kNumWards, "the ward name");
    readWardCodes(dir + "Ward_Codes.dat", t.wardCodes);

    const char* country[] = { "the country number" };
    readMap(dir + "Region2CountryMap.dat", kNumRegions, 1, country, 1, kNumCountries,
        [&](int k, int, std::int16_t v, FieldReader&) { t.level(AreaLevel::Region).parents[k] = v; });
    const char* region[] = { "the region number" };
    readMap(dir + "County2RegionMap.dat", kNumCounties, 1, region, 1, kNumRegions,
        [&](int k, int, std::int16_t v, FieldReader&) { t.level(AreaLevel::County).parents[k] = v; });
    readMap(dir + "ONSCounty2RegionMap.dat", 68, 1, region, 1, kNumRegions,
        [&](int k, int, std::int16_t v, FieldReader&) { t.onsCounty2Region[k - 1] = v; });
    const char* county[] = { "the county number" };
    readMap(dir + "District2CountyMap.dat", kNumDistricts, 1, county, 1, kNumCounties,
        [&](int k, int, std::int16_t v, FieldReader&) { t.level(AreaLevel::District).parents[k] = v; });
    const char* range[] = { "the first ward number", "the last ward number" };
    std::vector<long> rangeLines(kNumDistricts + 1); // for the consistency check below
    readMap(dir + "District2WardMap.dat", kNumDistricts, 2, range, 1, kNumWards,
        [&](int k, int f, std::int16_t v, FieldReader& reader) {
            t.district2Ward[k][f] = v;
            rangeLines[k] = reader.line();
        });
    const char* district[] = { "the district number" };
    readMap(dir + "Ward2DistrictMap.dat", kNumWards, 1, district, 1, kNumDistricts,
        [&](int k, int, std::int16_t v, FieldReader&) { t.level(AreaLevel::Ward).parents[k] = v; });
    const char* eds[] = { "the ED count", "the lettered part count", "the person count", "the household count" };
    // Lettered parts run from A; more than 26 would leave the alphabet.
    readMap(
        dir + "EDs2WardMap.dat", kNumWards, 4, eds, 0, 32767, [&](int k, int f, std::int16_t v, FieldReader& reader) {
            if (f == kLetteredParts && v > 26)
                reader.fail("expected " + recordLabel("the lettered part count", k) + " within 0..26, found "
                    + std::to_string(v));
            t.eds2Ward[k][f] = v;
        });
    checkDistrictWardRanges(t, dir + "District2WardMap.dat", rangeLines);
    return t;
}

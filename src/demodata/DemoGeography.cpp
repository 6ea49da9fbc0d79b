#include "demodata/DemoGeography.h"

#include "demodata/CountyList.h"
#include "demodata/SplitMix64.h"

#include "base/FixedSizes.h"
#include "geography/EdCode.h"
#include "textio/LineWriter.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

constexpr std::uint64_t kSeed = 0x5A454E4452413931ULL;
constexpr std::size_t kFileBuffer = 1 << 16;

// Place names are made of two pieces; 45 x 20 gives 900 distinct names, enough
// for the 485 districts to be told apart.
const char* const kNameStarts[] = { "Ash", "Bar", "Beck", "Black", "Bram", "Brook", "Burn", "Carl", "Castle", "Chap",
    "Clay", "Cold", "Crow", "Dun", "Eas", "Elm", "Fair", "Fen", "Glen", "Green", "Hal", "Har", "Hay", "High", "Holm",
    "Kings", "Lang", "Long", "Mar", "Mill", "Nether", "New", "Nor", "Oak", "Pen", "Red", "Rose", "Stan", "Stone",
    "Thorn", "Wal", "Wel", "Wes", "Whit", "Wood" };
const char* const kNameEnds[] = { "bury", "by", "dale", "den", "field", "ford", "gate", "ham", "hill", "hurst", "ley",
    "mere", "moor", "stead", "thorpe", "ton", "wick", "well", "worth", "combe" };
const char* const kQualifiers[]
    = { "North", "South", "East", "West", "Central", "Park", "Green", "Village", "Upper", "Lower" };
constexpr int kNumStarts = static_cast<int>(std::size(kNameStarts));
constexpr int kNumEnds = static_cast<int>(std::size(kNameEnds));
constexpr int kNumQualifiers = static_cast<int>(std::size(kQualifiers));

std::string placeName(int combination)
{
    return std::string(kNameStarts[combination / kNumEnds]) + kNameEnds[combination % kNumEnds];
}

std::string letterPair(int index)
{
    return { static_cast<char>('A' + index / 26), static_cast<char>('A' + index % 26) };
}

std::string twoDigits(int number)
{
    return { static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10) };
}

// Ward letters run from FA within each district, as in the census's own codes.
constexpr int kFirstWardLetters = 5 * 26;

struct DividedWard {
    const char* county; // the last ward of the county's first district
    int eds;
    int parts;
};

// Wards whose EDs are divided into lettered parts; Gwynedd's 7 parts go beyond
// the five lettered files of the sample ward.
constexpr DividedWard kDividedWards[] = {
    { "Gwynedd", 6, 7 },
    { "Cornwall", 8, 1 },
    { "Kent", 10, 2 },
    { "Highland", 5, 3 },
    { "Lancashire", 7, 4 },
    { "Dyfed", 6, 2 },
    { "Outer London", 12, 3 },
};

int drawEdCount(SplitMix64& rng)
{
    int r = rng.between(0, 999);
    if (r < 10)
        return rng.between(31, 60);
    if (r < 45)
        return rng.between(21, 30);
    if (r < 95)
        return rng.between(1, 4);
    // Mostly 5..18, small counts more common than large ones.
    return 5 + std::min(rng.between(0, 13), rng.between(0, 13));
}

void drawPopulation(DemoWard& ward, SplitMix64& rng)
{
    int personsPerEd = rng.between(400, 620);
    // The counts are 16-bit in EDs2WardMap.dat; the largest wards are capped.
    ward.persons = std::min(ward.eds * personsPerEd, 32767);
    ward.households = static_cast<int>(static_cast<long>(ward.persons) * 1000 / rng.between(2350, 2750));
}

int findCounty(const DemoGeography& g, const char* name)
{
    for (std::size_t k = 1; k < g.counties.size(); ++k)
        if (g.counties[k].name == name)
            return static_cast<int>(k);
    throw std::logic_error(std::string("no county named ") + name);
}

/// The first or last ward of the county's first district.
int wardOfFirstDistrict(const DemoGeography& g, const char* county, bool last)
{
    const DemoDistrict& district = g.districts[g.counties[findCounty(g, county)].firstDistrict];
    return last ? district.lastWard : district.firstWard;
}

void buildCounties(DemoGeography& g)
{
    std::vector<std::pair<CountyInfo, int>> all; // county and census number
    int census = 1;
    for (const CountyInfo& county : greatBritainCounties())
        all.emplace_back(county, census++);
    all.emplace_back(northernIrelandCounty(), 0);
    // The list is alphabetical, so list numbers and census numbers differ, as they
    // do in the census: code that mixes them up goes wrong at once.
    std::sort(all.begin(), all.end(),
        [](const auto& a, const auto& b) { return std::string_view(a.first.name) < std::string_view(b.first.name); });

    g.counties.assign(1, {});
    g.districts.assign(1, {});
    for (const auto& [info, number] : all) {
        DemoCounty county { info.name, info.region, number, 0, 0 };
        county.firstDistrict = static_cast<int>(g.districts.size());
        for (int i = 0; i < info.districts; ++i) {
            DemoDistrict district;
            district.county = static_cast<int>(g.counties.size());
            district.letters = letterPair(static_cast<int>(g.districts.size()) - 1);
            g.districts.push_back(district);
        }
        county.lastDistrict = static_cast<int>(g.districts.size()) - 1;
        g.regionOfCensusCounty[static_cast<std::size_t>(number)] = info.region;
        g.counties.push_back(county);
    }

    // District letters are unique across the country; the first district of the
    // sample ward's county takes its letters so that the sample ward exists.
    const std::string_view sampleLetters = districtLetters(kSampleWardCode);
    for (std::size_t k = 1; k < g.counties.size(); ++k) {
        if (g.counties[k].censusNumber != censusCountyNumber(kSampleWardCode))
            continue;
        DemoDistrict& sample = g.districts[g.counties[k].firstDistrict];
        for (DemoDistrict& other : g.districts)
            if (other.letters == sampleLetters)
                std::swap(other.letters, sample.letters);
    }
}

void buildDistrictsAndWards(DemoGeography& g, SplitMix64& rng)
{
    // District names: distinct place names in a shuffled order.
    std::vector<int> combinations(kNumStarts * kNumEnds);
    for (std::size_t i = 0; i < combinations.size(); ++i)
        combinations[i] = static_cast<int>(i);
    for (std::size_t i = combinations.size() - 1; i > 0; --i)
        std::swap(combinations[i], combinations[static_cast<std::size_t>(rng.between(0, static_cast<int>(i)))]);

    // Wards per district: every district has at least one, and the shares of the
    // rest follow random weights so that the total is exactly the table size.
    std::vector<long> weights(g.districts.size(), 0);
    long weightTotal = 0;
    for (std::size_t d = 1; d < g.districts.size(); ++d)
        weightTotal += weights[d] = rng.between(10, 38);
    const long spare = kNumWards - kNumDistricts;

    g.wards.assign(1, {});
    long cumulative = 0;
    for (std::size_t d = 1; d < g.districts.size(); ++d) {
        DemoDistrict& district = g.districts[d];
        district.name = placeName(combinations[d - 1]);
        long before = spare * cumulative / weightTotal;
        cumulative += weights[d];
        int count = 1 + static_cast<int>(spare * cumulative / weightTotal - before);

        const DemoCounty& county = g.counties[static_cast<std::size_t>(district.county)];
        std::string prefix = county.censusNumber == 0 ? std::string("NI") : twoDigits(county.censusNumber);
        district.firstWard = static_cast<int>(g.wards.size());
        std::set<std::string> names;
        for (int i = 0; i < count; ++i) {
            DemoWard ward;
            ward.district = static_cast<int>(d);
            ward.code = prefix + district.letters + letterPair(kFirstWardLetters + i);
            do {
                std::string stem = placeName(rng.between(0, kNumStarts * kNumEnds - 1));
                int form = rng.between(0, 999);
                const char* qualifier = kQualifiers[rng.between(0, kNumQualifiers - 1)];
                if (form < 3) // a few names carry a comma and are written quoted
                    ward.name = stem + ", " + qualifier;
                else if (form < 400)
                    ward.name = stem + " " + qualifier;
                else
                    ward.name = stem;
            } while (!names.insert(ward.name).second);
            ward.eds = drawEdCount(rng);
            drawPopulation(ward, rng);
            g.wards.push_back(ward);
        }
        district.lastWard = static_cast<int>(g.wards.size()) - 1;
    }
}

void placeSpecialWards(DemoGeography& g, SplitMix64& rng)
{
    auto setEds = [&](int w, int eds, int parts) {
        g.wards[static_cast<std::size_t>(w)].eds = eds;
        g.wards[static_cast<std::size_t>(w)].parts = parts;
        drawPopulation(g.wards[static_cast<std::size_t>(w)], rng);
    };
    for (std::size_t w = 1; w < g.wards.size(); ++w)
        if (g.wards[w].code == kSampleWardCode)
            g.sampleWard = static_cast<int>(w);
    if (g.sampleWard == 0)
        throw std::logic_error("the sample ward is missing");
    // Its own EDs are the numbered files every area extraction reads.
    setEds(g.sampleWard, kSampleWardEds, 0);

    g.niWard = wardOfFirstDistrict(g, "Northern Ireland", false);
    setEds(g.niWard, 9, 0);
    g.largeWard = wardOfFirstDistrict(g, "Strathclyde", false);
    setEds(g.largeWard, 104, 0);
    for (const DividedWard& divided : kDividedWards)
        setEds(wardOfFirstDistrict(g, divided.county, true), divided.eds, divided.parts);
    g.letteredWard = wardOfFirstDistrict(g, kDividedWards[0].county, true);
    // One name in UTF-8, so that the window's decoding of names is exercised.
    g.wards[static_cast<std::size_t>(g.letteredWard)].name = "Bryn-y-m\xC3\xB4r";
}

void writeName(LineWriter& out, const std::string& name)
{
    if (name.find(',') != std::string::npos) {
        out.put('"');
        out.append(name);
        out.put('"');
    } else {
        out.append(name);
    }
    out.endLine();
}

template <typename Get> void writeNames(const std::string& path, std::size_t count, Get get)
{
    LineWriter out(path, kFileBuffer);
    for (std::size_t k = 1; k <= count; ++k)
        writeName(out, get(k));
    out.close();
}

/// A map file: the heading, then per member its number and its values.
template <typename Get> void writeMap(const std::string& path, const char* heading, int first, int last, Get get)
{
    LineWriter out(path, kFileBuffer);
    out.append(heading);
    out.endLine();
    for (int k = first; k <= last; ++k) {
        out.appendInteger(k);
        for (int value : get(k)) {
            out.put(',');
            out.appendInteger(value);
        }
        out.endLine();
    }
    out.close();
}

} // namespace

DemoGeography buildDemoGeography()
{
    DemoGeography g;
    SplitMix64 rng = SplitMix64::stream(kSeed, 1);
    buildCounties(g);
    buildDistrictsAndWards(g, rng);
    placeSpecialWards(g, rng);
    return g;
}

void writeGeographyFiles(const DemoGeography& g, const std::string& folder)
{
    writeNames(folder + "County_Names.dat", g.counties.size() - 1, [&](std::size_t k) { return g.counties[k].name; });
    writeNames(
        folder + "District_Names.dat", g.districts.size() - 1, [&](std::size_t k) { return g.districts[k].name; });
    writeNames(folder + "Ward_Names.dat", g.wards.size() - 1, [&](std::size_t k) { return g.wards[k].name; });
    writeNames(folder + "Ward_Codes.dat", g.wards.size() - 1, [&](std::size_t k) { return g.wards[k].code; });

    using One = std::array<int, 1>;
    const auto at = [](const auto& table, int k) -> const auto&
    {
        return table[static_cast<std::size_t>(k)];
    };
    writeMap(folder + "Region2CountryMap.dat", "Region to country", 1, kNumRegions,
        [](int r) { return One { r <= 10 ? 1 : r - 9 }; });
    writeMap(folder + "County2RegionMap.dat", "County to region", 1, kNumCounties,
        [&](int k) { return One { at(g.counties, k).region }; });
    writeMap(folder + "ONSCounty2RegionMap.dat", "Census county number to region", 0, 67,
        [&](int n) { return One { at(g.regionOfCensusCounty, n) }; });
    writeMap(folder + "District2CountyMap.dat", "District to county", 1, kNumDistricts,
        [&](int d) { return One { at(g.districts, d).county }; });
    writeMap(folder + "District2WardMap.dat", "District to first and last ward", 1, kNumDistricts, [&](int d) {
        return std::array<int, 2> { at(g.districts, d).firstWard, at(g.districts, d).lastWard };
    });
    writeMap(folder + "Ward2DistrictMap.dat", "Ward to district", 1, kNumWards,
        [&](int w) { return One { at(g.wards, w).district }; });
    writeMap(folder + "EDs2WardMap.dat", "Ward: EDs; lettered parts; persons; households", 1, kNumWards, [&](int w) {
        const DemoWard& ward = at(g.wards, w);
        return std::array<int, 4> { ward.eds, ward.parts, ward.persons, ward.households };
    });
}

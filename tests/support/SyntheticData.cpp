#include "SyntheticData.h"

#include "TempDir.h"


int firstWardOf(int district)
{
    return (district - 1) * kNumWards / kNumDistricts + 1;
}

int lastWardOf(int district)
{
    return district * kNumWards / kNumDistricts;
}

AreaTables syntheticAreaTables()
{
    AreaTables t;
    for (auto* flags : {&t.countryFlags, &t.regionFlags, &t.countyFlags, &t.districtFlags, &t.wardFlags})
        (*flags)[0] = kModeAll;
    t.countryNames = {"All", "England", "Scotland", "Wales", "Northern Ireland"};
    t.regionNames = {"All",           "East Anglia",   "East Midlands", "Inner London", "North",
                     "North-West",    "Outer London",  "Rest of South East", "South West", "West Midlands",
                     "Yorks & Humbs", "Scotland",      "Wales",         "Northern Ireland"};
    t.countyNames[0] = t.districtNames[0] = t.wardNames[0] = "All";
    for (int r = 1; r <= kNumRegions; ++r)
        t.region2Country[r] = static_cast<std::int16_t>(r <= 10 ? 1 : r - 9);
    for (int k = 1; k <= kNumCounties; ++k) {
        t.countyNames[k] = "County " + std::to_string(k);
        t.county2Region[k] = static_cast<std::int16_t>((k - 1) % kNumRegions + 1);
        t.onsCounty2Region[k - 1] = t.county2Region[k];
    }
    for (int d = 1; d <= kNumDistricts; ++d) {
        t.districtNames[d] = "District " + std::to_string(d);
        t.district2County[d] = static_cast<std::int16_t>((d - 1) % kNumCounties + 1);
        t.district2Ward[d] = {static_cast<std::int16_t>(firstWardOf(d)), static_cast<std::int16_t>(lastWardOf(d))};
        for (int w = firstWardOf(d); w <= lastWardOf(d); ++w) {
            t.ward2District[w] = static_cast<std::int16_t>(d);
            const int county = t.district2County[d] - 1; // census county number 0..67
            t.wardCodes[w] = {static_cast<char>('0' + county / 10), static_cast<char>('0' + county % 10),
                              static_cast<char>('A' + d / 26 % 26), static_cast<char>('A' + d % 26),
                              static_cast<char>('A' + w / 26 % 26), static_cast<char>('A' + w % 26)};
        }
    }
    for (int w = 1; w <= kNumWards; ++w) {
        t.wardNames[w] = "Ward " + std::to_string(w);
        t.eds2Ward[w] = {2, 0, 500, 200};
    }
    t.wardNames[2] = "Ynys M\xc3\xb4n";
    t.wardNames[3] = "Ynys M\xf4n";
    return t;
}

VariableCatalogue identityVariableCatalogue()
{
    VariableCatalogue c = builtInVariableCatalogue();
    for (int r = 0; r <= kNumHhVars; ++r) {
        c.hhListMap[r] = static_cast<std::int16_t>(r);
        c.hhVarWidths[r] = 2;
    }
    for (int r = 0; r <= kNumIndVars; ++r) {
        c.indListMap[r] = static_cast<std::int16_t>(r);
        c.indVarWidths[r] = 2;
    }
    c.hhVarWidths[kHhHnum] = c.indVarWidths[kIndHnum] = c.indVarWidths[kIndPnum] = 4;
    return c;
}

namespace {

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"\r\n";
}

template <typename Value>
std::string mapFile(int first, int last, Value value)
{
    std::string out = "\"heading\"\r\n";
    for (int k = first; k <= last; ++k)
        out += std::to_string(k) + "," + value(k) + "\r\n";
    return out;
}

} // namespace

void writeProgramData(const TempDir& dir, const AreaTables& t)
{
    auto names = [&](const char* file, const std::vector<std::string>& table, int count) {
        std::string out;
        for (int k = 1; k <= count; ++k)
            out += quoted(table[k]);
        dir.write(std::string("ProgramData/") + file, out);
    };
    names("County_Names.dat", t.countyNames, kNumCounties);
    names("District_Names.dat", t.districtNames, kNumDistricts);
    names("Ward_Names.dat", t.wardNames, kNumWards);
    names("Ward_Codes.dat", t.wardCodes, kNumWards);
    auto number = [](const auto& table) { return [&table](int k) { return std::to_string(table[k]); }; };
    dir.write("ProgramData/Region2CountryMap.dat", mapFile(1, kNumRegions, number(t.region2Country)));
    dir.write("ProgramData/County2RegionMap.dat", mapFile(1, kNumCounties, number(t.county2Region)));
    dir.write("ProgramData/ONSCounty2RegionMap.dat", mapFile(0, 67, number(t.onsCounty2Region)));
    dir.write("ProgramData/District2CountyMap.dat", mapFile(1, kNumDistricts, number(t.district2County)));
    dir.write("ProgramData/District2WardMap.dat", mapFile(1, kNumDistricts, [&](int d) {
                  return std::to_string(t.district2Ward[d][0]) + "," + std::to_string(t.district2Ward[d][1]);
              }));
    dir.write("ProgramData/Ward2DistrictMap.dat", mapFile(1, kNumWards, number(t.ward2District)));
    dir.write("ProgramData/EDs2WardMap.dat", mapFile(1, kNumWards, [&](int w) {
                  const auto& e = t.eds2Ward[w];
                  return std::to_string(e[0]) + "," + std::to_string(e[1]) + "," + std::to_string(e[2]) + ","
                         + std::to_string(e[3]);
              }));

    std::string variables = "\"Household variables\"\r\n";
    for (int r = 0; r <= kNumHhVars; ++r)
        variables += std::to_string(r) + ",2\r\n";
    variables += "\"Individual variables\"\r\n";
    for (int r = 0; r <= kNumIndVars; ++r)
        variables += std::to_string(r) + ",2\r\n";
    dir.write("ProgramData/VariableMap.dat", variables);
}

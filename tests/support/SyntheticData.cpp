#include "SyntheticData.h"


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

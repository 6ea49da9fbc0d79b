#include "geography/AreaTables.h"

AreaTables::AreaTables()
    : countryNames(kNumCountries + 1)
    , regionNames(kNumRegions + 1)
    , countyNames(kNumCounties + 1)
    , districtNames(kNumDistricts + 1)
    , wardNames(kNumWards + 1)
    , region2Country(kNumRegions + 1)
    , county2Region(kNumCounties + 1)
    , district2County(kNumDistricts + 1)
    , ward2District(kNumWards + 1)
    , countryFlags(kNumCountries + 1)
    , regionFlags(kNumRegions + 1)
    , countyFlags(kNumCounties + 1)
    , districtFlags(kNumDistricts + 1)
    , wardFlags(kNumWards + 1)
    , regionListPos(kNumRegions + 1)
    , countyListPos(kNumCounties + 1)
    , districtListPos(kNumDistricts + 1)
    , wardListPos(kNumWards + 1)
    , wardCodes(kNumWards + 1)
    , district2Ward(kNumDistricts + 1)
    , eds2Ward(kNumWards + 1)
    , finalWards(kNumWards + 1)
{
}

AreaTables::Level AreaTables::level(AreaLevel which)
{
    switch (which) {
    case AreaLevel::Country:
        return {kNumCountries, &countryNames, &countryFlags, nullptr, nullptr, nullptr, &countryListExpanded};
    case AreaLevel::Region:
        return {kNumRegions, &regionNames, &regionFlags, &regionListPos, &region2Country, &countryFlags,
                &regionListExpanded};
    case AreaLevel::County:
        return {kNumCounties, &countyNames, &countyFlags, &countyListPos, &county2Region, &regionFlags,
                &countyListExpanded};
    case AreaLevel::District:
        return {kNumDistricts, &districtNames, &districtFlags, &districtListPos, &district2County, &countyFlags,
                &districtListExpanded};
    case AreaLevel::Ward:
        break;
    }
    return {kNumWards, &wardNames, &wardFlags, &wardListPos, &ward2District, &districtFlags, &wardListExpanded};
}

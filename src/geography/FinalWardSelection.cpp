#include "geography/FinalWardSelection.h"

#include "geography/AreaTables.h"

#include <algorithm>

namespace {

void markDistrict(AreaTables& t, int d)
{
    auto [first, last] = t.district2Ward[d];
    for (int w = first; w <= last; ++w)
        t.finalWards[w] = 1;
}

void markCounty(AreaTables& t, int k)
{
    for (int d = 1; d <= kNumDistricts; ++d)
        if (t.district2County[d] == k)
            markDistrict(t, d);
}

void markRegion(AreaTables& t, int r)
{
    for (int k = 1; k <= kNumCounties; ++k)
        if (t.county2Region[k] == r)
            markCounty(t, k);
}

} // namespace

void finalWardSelection(AreaTables& t)
{
    std::fill(t.finalWards.begin(), t.finalWards.end(), 0);
    if (t.wardFlags[0] == kModeIndividual) {
        for (int w = 1; w <= kNumWards; ++w)
            t.finalWards[w] = t.wardFlags[w] == 1 ? 1 : 0;
    } else if (t.districtFlags[0] == kModeIndividual) {
        for (int d = 1; d <= kNumDistricts; ++d)
            if (t.districtFlags[d] == 1)
                markDistrict(t, d);
    } else if (t.countyFlags[0] == kModeIndividual) {
        for (int k = 1; k <= kNumCounties; ++k)
            if (t.countyFlags[k] == 1)
                markCounty(t, k);
    } else if (t.regionFlags[0] == kModeIndividual) {
        for (int r = 1; r <= kNumRegions; ++r)
            if (t.regionFlags[r] == 1)
                markRegion(t, r);
    } else if (t.countryFlags[0] == kModeIndividual) {
        for (int c = 1; c <= kNumCountries; ++c)
            if (t.countryFlags[c] == 1)
                for (int r = 1; r <= kNumRegions; ++r)
                    if (t.region2Country[r] == c)
                        markRegion(t, r);
    } else {
        std::fill(t.finalWards.begin() + 1, t.finalWards.end(), 1);
    }
}

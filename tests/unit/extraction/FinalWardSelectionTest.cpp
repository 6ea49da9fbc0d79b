#include "geography/AreaTables.h"
#include "geography/FinalWardSelection.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

/// A small tree spread over the fixed-size tables: country 1 has region 1; region 1
/// has counties 1 and 2; county 1 has districts 1 and 2, county 2 district 3;
/// district 1 wards 1..3, district 2 wards 4..5, district 3 ward 6, district 4 no
/// ward (first > last). Every level starts in "All" mode.
AreaTables smallTree()
{
    AreaTables t;
    for (auto* flags : {&t.countryFlags, &t.regionFlags, &t.countyFlags, &t.districtFlags, &t.wardFlags})
        (*flags)[0] = kModeAll;
    t.region2Country[1] = 1;
    t.region2Country[2] = 2;
    t.county2Region[1] = t.county2Region[2] = 1;
    t.county2Region[3] = 2;
    t.district2County[1] = t.district2County[2] = 1;
    t.district2County[3] = 2;
    t.district2County[4] = 3;
    t.district2Ward[1] = {1, 3};
    t.district2Ward[2] = {4, 5};
    t.district2Ward[3] = {6, 6};
    t.district2Ward[4] = {8, 7};
    return t;
}

std::vector<int> chosenWards(const AreaTables& t)
{
    std::vector<int> wards;
    for (int w = 1; w <= kNumWards; ++w)
        if (t.finalWards[w] == 1)
            wards.push_back(w);
    return wards;
}

} // namespace

TEST(FinalWardSelection, AllModeChoosesEveryWardAndClearsTheLastResult)
{
    AreaTables t = smallTree();
    finalWardSelection(t);
    EXPECT_EQ(chosenWards(t).size(), static_cast<std::size_t>(kNumWards));

    t.districtFlags[0] = kModeIndividual;
    t.districtFlags[3] = 1;
    finalWardSelection(t);
    EXPECT_EQ(chosenWards(t), std::vector<int>{6});
}

TEST(FinalWardSelection, DeepestIndividualLevelDecides)
{
    struct Row {
        const char* name;
        void (*choose)(AreaTables&);
        std::vector<int> wards;
    };
    const Row rows[] = {
        {"country", [](AreaTables& t) { t.countryFlags[0] = kModeIndividual; t.countryFlags[1] = 1; }, {1, 2, 3, 4, 5, 6}},
        {"region", [](AreaTables& t) { t.regionFlags[0] = kModeIndividual; t.regionFlags[1] = 1; }, {1, 2, 3, 4, 5, 6}},
        {"county", [](AreaTables& t) { t.countyFlags[0] = kModeIndividual; t.countyFlags[2] = 1; }, {6}},
        // Higher choices do not count once a lower level is individual.
        {"district under a country",
         [](AreaTables& t) {
             t.countryFlags[0] = kModeIndividual;
             t.countryFlags[2] = 1;
             t.districtFlags[0] = kModeIndividual;
             t.districtFlags[2] = 1;
         },
         {4, 5}},
        {"ward", [](AreaTables& t) { t.wardFlags[0] = kModeIndividual; t.wardFlags[2] = 1; t.wardFlags[9] = 1; }, {2, 9}},
        {"expanded list with nothing chosen", [](AreaTables& t) { t.countyFlags[0] = kModeIndividual; }, {}},
        {"district without wards", [](AreaTables& t) { t.districtFlags[0] = kModeIndividual; t.districtFlags[4] = 1; }, {}},
        {"only a flag of exactly 1 counts", [](AreaTables& t) { t.wardFlags[0] = kModeIndividual; t.wardFlags[3] = 2; }, {}},
        {"rebuilding mode counts as All",
         [](AreaTables& t) {
             t.districtFlags[0] = kModeRebuilding;
             t.countyFlags[0] = kModeIndividual;
             t.countyFlags[2] = 1;
         },
         {6}},
    };
    for (const Row& row : rows) {
        AreaTables t = smallTree();
        row.choose(t);
        finalWardSelection(t);
        EXPECT_EQ(chosenWards(t), row.wards) << row.name;
    }
}

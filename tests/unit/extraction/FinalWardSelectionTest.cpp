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
    for (AreaTables::Level& level : t.levels)
        level.flags[0] = kModeAll;
    t.level(AreaLevel::Region).parents[1] = 1;
    t.level(AreaLevel::Region).parents[2] = 2;
    t.level(AreaLevel::County).parents[1] = t.level(AreaLevel::County).parents[2] = 1;
    t.level(AreaLevel::County).parents[3] = 2;
    t.level(AreaLevel::District).parents[1] = t.level(AreaLevel::District).parents[2] = 1;
    t.level(AreaLevel::District).parents[3] = 2;
    t.level(AreaLevel::District).parents[4] = 3;
    t.district2Ward[1] = { 1, 3 };
    t.district2Ward[2] = { 4, 5 };
    t.district2Ward[3] = { 6, 6 };
    t.district2Ward[4] = { 8, 7 };
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

    t.level(AreaLevel::District).flags[0] = kModeIndividual;
    t.level(AreaLevel::District).flags[3] = 1;
    finalWardSelection(t);
    EXPECT_EQ(chosenWards(t), std::vector<int> { 6 });
}

TEST(FinalWardSelection, DeepestIndividualLevelDecides)
{
    struct Row {
        const char* name;
        void (*choose)(AreaTables&);
        std::vector<int> wards;
    };
    const Row rows[] = {
        { "country",
            [](AreaTables& t) {
                t.level(AreaLevel::Country).flags[0] = kModeIndividual;
                t.level(AreaLevel::Country).flags[1] = 1;
            },
            { 1, 2, 3, 4, 5, 6 } },
        { "region",
            [](AreaTables& t) {
                t.level(AreaLevel::Region).flags[0] = kModeIndividual;
                t.level(AreaLevel::Region).flags[1] = 1;
            },
            { 1, 2, 3, 4, 5, 6 } },
        { "county",
            [](AreaTables& t) {
                t.level(AreaLevel::County).flags[0] = kModeIndividual;
                t.level(AreaLevel::County).flags[2] = 1;
            },
            { 6 } },
        // Higher choices do not count once a lower level is individual.
        { "district under a country",
            [](AreaTables& t) {
                t.level(AreaLevel::Country).flags[0] = kModeIndividual;
                t.level(AreaLevel::Country).flags[2] = 1;
                t.level(AreaLevel::District).flags[0] = kModeIndividual;
                t.level(AreaLevel::District).flags[2] = 1;
            },
            { 4, 5 } },
        { "ward",
            [](AreaTables& t) {
                t.level(AreaLevel::Ward).flags[0] = kModeIndividual;
                t.level(AreaLevel::Ward).flags[2] = 1;
                t.level(AreaLevel::Ward).flags[9] = 1;
            },
            { 2, 9 } },
        { "expanded list with nothing chosen",
            [](AreaTables& t) { t.level(AreaLevel::County).flags[0] = kModeIndividual; }, {} },
        { "district without wards",
            [](AreaTables& t) {
                t.level(AreaLevel::District).flags[0] = kModeIndividual;
                t.level(AreaLevel::District).flags[4] = 1;
            },
            {} },
        { "only a flag of exactly 1 counts",
            [](AreaTables& t) {
                t.level(AreaLevel::Ward).flags[0] = kModeIndividual;
                t.level(AreaLevel::Ward).flags[3] = 2;
            },
            {} },
        { "rebuilding mode counts as All",
            [](AreaTables& t) {
                t.level(AreaLevel::District).flags[0] = kModeRebuilding;
                t.level(AreaLevel::County).flags[0] = kModeIndividual;
                t.level(AreaLevel::County).flags[2] = 1;
            },
            { 6 } },
    };
    for (const Row& row : rows) {
        AreaTables t = smallTree();
        row.choose(t);
        finalWardSelection(t);
        EXPECT_EQ(chosenWards(t), row.wards) << row.name;
    }
}

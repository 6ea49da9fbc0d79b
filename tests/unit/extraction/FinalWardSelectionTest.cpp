#include "geography/AreaTables.h"
#include "geography/FinalWardSelection.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

/// One level's mode and the members flagged 1.
struct Choice {
    AreaLevel level;
    int mode;
    std::vector<int> members;
};

/// A small tree: country 1 has region 1; region 1 has counties 1 and 2; county 1 has
/// districts 1 and 2, county 2 district 3; district 1 wards 1..3, district 2 wards
/// 4..5, district 3 ward 6.
std::vector<int> chosenWards(const std::vector<Choice>& choices)
{
    AreaTables t;
    for (AreaTables::Level& level : t.levels)
        level.flags[0] = kModeAll;
    t.level(AreaLevel::Region).parents[1] = 1;
    t.level(AreaLevel::Region).parents[2] = 2;
    std::vector<std::int16_t>& counties = t.level(AreaLevel::County).parents;
    std::vector<std::int16_t>& districts = t.level(AreaLevel::District).parents;
    counties[1] = counties[2] = 1;
    counties[3] = 2;
    districts[1] = districts[2] = 1;
    districts[3] = 2;
    t.district2Ward[1] = { 1, 3 };
    t.district2Ward[2] = { 4, 5 };
    t.district2Ward[3] = { 6, 6 };
    std::fill(t.finalWards.begin(), t.finalWards.end(), 1); // an earlier result, to be replaced
    for (const Choice& c : choices) {
        t.level(c.level).flags[0] = static_cast<std::uint8_t>(c.mode);
        for (int m : c.members)
            t.level(c.level).flags[m] = 1;
    }
    finalWardSelection(t);
    std::vector<int> wards;
    for (int w = 1; w <= kNumWards; ++w)
        if (t.finalWards[w] == 1)
            wards.push_back(w);
    return wards;
}

} // namespace

TEST(FinalWardSelection, DeepestIndividualLevelDecides)
{
    struct Row {
        const char* name;
        std::vector<Choice> choices;
        std::vector<int> wards;
    };
    const Row rows[] = {
        { "country", { { AreaLevel::Country, kModeIndividual, { 1 } } }, { 1, 2, 3, 4, 5, 6 } },
        { "county", { { AreaLevel::County, kModeIndividual, { 2 } } }, { 6 } },
        // Higher choices do not count once a lower level is individual.
        { "district under a country",
            { { AreaLevel::Country, kModeIndividual, { 2 } }, { AreaLevel::District, kModeIndividual, { 2 } } },
            { 4, 5 } },
        { "expanded list with nothing chosen", { { AreaLevel::County, kModeIndividual, {} } }, {} },
        { "rebuilding mode counts as All",
            { { AreaLevel::District, kModeRebuilding, {} }, { AreaLevel::County, kModeIndividual, { 2 } } }, { 6 } },
    };
    for (const Row& row : rows)
        EXPECT_EQ(chosenWards(row.choices), row.wards) << row.name;
    EXPECT_EQ(chosenWards({}).size(), static_cast<std::size_t>(kNumWards));
}

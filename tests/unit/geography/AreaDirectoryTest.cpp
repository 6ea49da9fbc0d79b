#include "geography/AreaDirectory.h"

#include "geography/SelectionSummary.h"

#include "FixtureData.h"

#include <gtest/gtest.h>

namespace {

class AreaDirectoryTest : public ::testing::Test {
protected:
    const AreaTables& m_tables = FixtureData::areaTables();
    const AreaDirectory m_directory { m_tables };
};

} // namespace

TEST_F(AreaDirectoryTest, DescribesEachLevelWithItsCodeAndParents)
{
    const AreaDirectory& d = m_directory;
    // Ward 5 (04BYFA) is in district 1, county 1, region 1, country 1.
    EXPECT_EQ(d.describe(d.entry(AreaLevel::Ward, FixtureData::kWardSample)),
        "Ward 5 (04BYFA) - ward in District 1, County 1");
    EXPECT_EQ(
        d.toolTip(d.entry(AreaLevel::Ward, FixtureData::kWardSample)), "04BYFA - District 1, County 1, East Anglia");
    // A district's code is the first four characters of its first ward's code, a
    // county's the first two of its first district's.
    EXPECT_EQ(d.describe(d.entry(AreaLevel::District, 1)), "District 1 (08BY) - district in County 1, East Anglia");
    EXPECT_EQ(d.describe(d.entry(AreaLevel::County, 1)), "County 1 (08) - county in East Anglia, England");
    EXPECT_EQ(d.describe(d.entry(AreaLevel::Region, 12)), "Wales - region in Wales");
    EXPECT_EQ(d.describe(d.entry(AreaLevel::Country, 4)), "Northern Ireland - country");
    EXPECT_EQ(d.toolTip(d.entry(AreaLevel::Region, 12)), "Wales");
    // Districts past 480 have no wards, hence no code.
    EXPECT_EQ(d.entry(AreaLevel::District, 485).code, "");
}

TEST_F(AreaDirectoryTest, FindsByNameOrCodeExactAndPrefixFirstAndSuggestsCloseNames)
{
    // Exact matches first, then prefixes, then the rest, whatever the member order.
    AreaTables t = m_tables;
    t.level(AreaLevel::Ward).names[11] = "Old Stanton";
    t.level(AreaLevel::Ward).names[12] = "Stanton Hill";
    t.level(AreaLevel::Ward).names[13] = "STANTON";
    AreaDirectory named(t);
    std::vector<int> ranked;
    for (const AreaEntry* e : named.find("stanton"))
        ranked.push_back(e->member);
    EXPECT_EQ(ranked, (std::vector<int> { 13, 12, 11 }));
    EXPECT_EQ(m_directory.find("ward", 50).size(), 50u);
    EXPECT_EQ(m_directory.find("county 1").at(0)->level, AreaLevel::County);
    EXPECT_TRUE(m_directory.find("").empty());

    // Namesakes are suggested once; nothing close, nothing suggested.
    EXPECT_EQ(m_directory.closestNames(AreaLevel::Ward, "Twin Wards"), std::vector<std::string> { "Twin Ward" });
    EXPECT_TRUE(m_directory.closestNames(AreaLevel::Region, "zzzzzzzzzz").empty());
}

TEST_F(AreaDirectoryTest, SummaryCountsTheWardsAnExtractWouldTake)
{
    // The NI ward's two EDs are written as their two lettered parts each.
    AreaTables t = m_tables;
    t.level(AreaLevel::Ward).flags[0] = kModeIndividual;
    t.level(AreaLevel::Ward).flags[FixtureData::kWard3Eds] = 1;
    t.level(AreaLevel::Ward).flags[FixtureData::kWardNiParts] = 1;
    SelectionCounts two = countSelection(t);
    EXPECT_EQ(two.wards, 2);
    EXPECT_EQ(two.eds, 3 + 2 * 2);
    EXPECT_EQ(two.households, t.eds2Ward[1][kHouseholds] + t.eds2Ward[3][kHouseholds]);
    EXPECT_EQ(
        selectionSummaryText({ false, 1, 1, 1234, 1234567 }), "1 ward, 1 ED, 1,234 households, 1,234,567 persons");
}

#include "geography/AreaDirectory.h"

#include "geography/SelectionSummary.h"

#include "FixtureData.h"

#include <gtest/gtest.h>

namespace {

class AreaDirectoryTest : public ::testing::Test {
protected:
    std::vector<std::string> described(const std::vector<const AreaEntry*>& entries)
    {
        std::vector<std::string> texts;
        for (const AreaEntry* e : entries)
            texts.push_back(m_directory.describe(*e));
        return texts;
    }

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

TEST_F(AreaDirectoryTest, FindsByNameOrCodeCaseInsensitivelyExactAndPrefixFirst)
{
    const AreaDirectory& d = m_directory;
    // By code: the ward whose code is typed, in any case.
    auto byCode = d.find("04byfa");
    ASSERT_FALSE(byCode.empty());
    EXPECT_EQ(byCode[0]->level, AreaLevel::Ward);
    EXPECT_EQ(byCode[0]->member, FixtureData::kWardSample);

    // Exact matches first, then prefixes, then the rest, whatever the member order.
    AreaTables t = m_tables;
    t.level(AreaLevel::Ward).names[11] = "Old Stanton";
    t.level(AreaLevel::Ward).names[12] = "Stanton Hill";
    t.level(AreaLevel::Ward).names[13] = "STANTON";
    AreaDirectory named(t);
    auto ranked = named.find("stanton");
    ASSERT_EQ(ranked.size(), 3u);
    EXPECT_EQ(ranked[0]->member, 13);
    EXPECT_EQ(ranked[1]->member, 12);
    EXPECT_EQ(ranked[2]->member, 11);
    EXPECT_EQ(d.find("ward", 50).size(), 50u);

    // Namesakes are told apart by their parents.
    auto twins = described(d.find("twin ward"));
    ASSERT_EQ(twins.size(), 2u);
    EXPECT_NE(twins[0], twins[1]);

    // A county name matches at county level and ranks before wards.
    auto county = d.find("county 1");
    ASSERT_FALSE(county.empty());
    EXPECT_EQ(county[0]->level, AreaLevel::County);
    EXPECT_TRUE(d.find("").empty());
}

TEST_F(AreaDirectoryTest, SuggestsCloseNamesForAMisspelling)
{
    const AreaDirectory& d = m_directory;
    auto names = d.closestNames(AreaLevel::County, "Conty 12");
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names[0], "County 12");
    EXPECT_LE(names.size(), 5u);
    // Namesakes are suggested once.
    auto twins = d.closestNames(AreaLevel::Ward, "Twin Wards");
    EXPECT_EQ(twins, std::vector<std::string> { "Twin Ward" });
    EXPECT_TRUE(d.closestNames(AreaLevel::Region, "zzzzzzzzzz").empty());
}

TEST_F(AreaDirectoryTest, SummaryCountsTheWardsAnExtractWouldTake)
{
    AreaTables t = m_tables;
    // Freshly loaded: everything.
    SelectionCounts all = countSelection(t);
    EXPECT_TRUE(all.allAreas);
    EXPECT_EQ(all.wards, kNumWards);

    // The NI ward's two EDs are written as their two lettered parts each.
    t.level(AreaLevel::Ward).flags[0] = kModeIndividual;
    t.level(AreaLevel::Ward).flags[FixtureData::kWard3Eds] = 1;
    t.level(AreaLevel::Ward).flags[FixtureData::kWardNiParts] = 1;
    SelectionCounts two = countSelection(t);
    EXPECT_FALSE(two.allAreas);
    EXPECT_EQ(two.wards, 2);
    EXPECT_EQ(two.eds, 3 + 2 * 2);
    EXPECT_EQ(two.households, t.eds2Ward[1][kHouseholds] + t.eds2Ward[3][kHouseholds]);
    EXPECT_EQ(
        selectionSummaryText({ false, 1, 1, 1234, 1234567 }), "1 ward, 1 ED, 1,234 households, 1,234,567 persons");
    EXPECT_EQ(selectionSummaryText({ true, 0, 0, 0, 100 }), "All areas: 0 wards, 0 EDs, 0 households, 100 persons");
}

#include "geography/AreaCascade.h"
#include "geography/FinalWardSelection.h"

#include "FakeListBox.h"
#include "FixtureData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Rows = std::vector<std::string>;

/// A copy of the fixture's area tables behind five fake lists.
struct Harness {
    explicit Harness(bool reentrant = true)
        : tables(FixtureData::areaTables())
    {
        AreaCascade::Lists lists {};
        for (int i = 0; i < kNumAreaLevels; ++i) {
            fakes[i].reentrant = reentrant;
            lists[i] = &fakes[i];
        }
        cascade = std::make_unique<AreaCascade>(tables, lists);
        for (int i = 0; i < kNumAreaLevels; ++i)
            fakes[i].onChange = [this, i] { cascade->listChanged(static_cast<AreaLevel>(i)); };
        cascade->buildLists();
    }

    FakeListBox& list(AreaLevel level) { return fakes[static_cast<int>(level)]; }
    AreaTables::Level& level(AreaLevel which) { return tables.level(which); }
    int mode(AreaLevel which) { return level(which).flags[0]; }
    int chosenCount(AreaLevel which)
    {
        const std::vector<std::uint8_t>& flags = level(which).flags;
        return static_cast<int>(std::count(flags.begin() + 1, flags.end(), 1));
    }
    // A missing guard shows as notifications nested deeper than one list change.
    ~Harness()
    {
        for (const FakeListBox& fake : fakes)
            EXPECT_LE(fake.maxDepth, 2);
    }

    AreaTables tables;
    std::array<FakeListBox, kNumAreaLevels> fakes;
    std::unique_ptr<AreaCascade> cascade;
};

constexpr AreaLevel kLevels[]
    = { AreaLevel::Country, AreaLevel::Region, AreaLevel::County, AreaLevel::District, AreaLevel::Ward };

void expectCollapsed(Harness& h, AreaLevel level, std::vector<int> selectedRows)
{
    SCOPED_TRACE(static_cast<int>(level));
    FakeListBox& lst = h.list(level);
    EXPECT_EQ(lst.rows, (Rows { AreaCascade::allRowText(h.tables, level), AreaCascade::selectRowText(level) }));
    EXPECT_EQ(lst.selectedRows(), selectedRows);
    EXPECT_EQ(h.mode(level), kModeAll);
    EXPECT_EQ(h.chosenCount(level), h.level(level).count());
    EXPECT_TRUE(lst.enabled);
    EXPECT_FALSE(h.level(level).listExpanded);
}

} // namespace

TEST(AreaCascade, StartupAndAddingTheAllRowCollapseTheList)
{
    for (bool reentrant : { true, false }) {
        SCOPED_TRACE(reentrant ? "re-entrant list" : "quiet list");
        Harness h(reentrant);
        for (AreaLevel level : kLevels)
            expectCollapsed(h, level, { 0 });
        h.list(AreaLevel::County).click(1);
        h.list(AreaLevel::County).click(4);
        h.list(AreaLevel::County).ctrlClick(0);
        expectCollapsed(h, AreaLevel::County, { 0 });
    }
}

TEST(AreaCascade, ExpandingListsOnlyMembersOfChosenParentsWithTheirRows)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(3); // Wales only
    h.list(AreaLevel::Region).click(1);

    // Counties of region 12 are 12, 25, 38, 51, 64; districts follow in member order.
    FakeListBox& counties = h.list(AreaLevel::County);
    counties.click(1);
    EXPECT_EQ(counties.rows,
        (Rows { "All selected regions", "County 12", "County 25", "County 38", "County 51", "County 64" }));
    counties.click(3);
    counties.ctrlClick(5);
    EXPECT_EQ(h.chosenCount(AreaLevel::County), 2);
    h.list(AreaLevel::District).click(1);
    EXPECT_EQ(h.list(AreaLevel::District).rows[2], "District 64");
}

TEST(AreaCascade, ExpandingAgainAfterTheParentChangedListsOnlyTheNewParentsMembers)
{
    Harness h;
    FakeListBox& countries = h.list(AreaLevel::Country);
    FakeListBox& regions = h.list(AreaLevel::Region);
    countries.click(1);
    countries.click(1); // England: ten regions
    regions.click(1);
    ASSERT_EQ(regions.count(), 11);
    regions.click(0);
    countries.click(2); // Scotland instead: region 11 only
    regions.click(1);
    EXPECT_EQ(regions.rows, (Rows { "All selected countries", "Scotland" }));
    // No England region keeps a row of the first expansion, so none is recorded.
    regions.click(1);
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 1);
}

TEST(AreaCascade, ControlClickExpandWithAllStillSelectedDefersRecording)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(2); // Scotland: region 11 only
    FakeListBox& regions = h.list(AreaLevel::Region);
    regions.ctrlClick(1);
    EXPECT_EQ(regions.selectedRows(), (std::vector<int> { 0, 1 }));
    EXPECT_EQ(h.mode(AreaLevel::Region), kModeIndividual);
    // Not recorded yet: every region keeps the flag it had in "All" mode.
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), kNumRegions);
    regions.ctrlClick(0);
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 1);
    EXPECT_EQ(h.level(AreaLevel::Region).flags[11], 1);
}

TEST(AreaCascade, DeselectingEveryMemberChoosesNothing)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(4);
    h.list(AreaLevel::Region).click(1);
    h.list(AreaLevel::County).click(1);
    h.list(AreaLevel::County).deselectAll();
    EXPECT_EQ(h.mode(AreaLevel::County), kModeIndividual);
    EXPECT_EQ(h.chosenCount(AreaLevel::County), 0);
    h.list(AreaLevel::District).click(1);
    EXPECT_EQ(h.list(AreaLevel::District).rows, (Rows { "All selected counties" }));
    EXPECT_EQ(h.chosenCount(AreaLevel::District), 0);
}

TEST(AreaCascade, ChoosingMembersExtractsExactlyThem)
{
    using enum AreaLevel;
    auto range = [](int first, int last, std::vector<int> v = {}) {
        for (int w = first; w <= last; ++w)
            v.push_back(w);
        return v;
    };
    const int first38 = 37 * 24 + 1; // district 38's wards
    struct Click {
        AreaLevel level;
        int row;
        bool ctrl = false;
    };
    struct Row {
        const char* name;
        std::vector<Click> before;
        AreaLevel level;
        int member;
        std::vector<int> wards;
    };
    const Row rows[] = {
        { "a ward outside the narrowed county and district", { { County, 1 }, { County, 3 }, { District, 1 } }, Ward,
            500, { 500 } },
        { "wards expanded under one district keep their choice",
            { { District, 1 }, { District, 2 }, { Ward, 1 }, { Ward, 3 } }, Ward, 500, { 27, 500 } },
        { "a district while wards are narrowed", { { Ward, 1 }, { Ward, 3 } }, District, 38,
            range(first38, first38 + 23) },
        { "a district added to an expanded district list", { { District, 1 }, { District, 2 } }, District, 38,
            range(first38, first38 + 23, range(25, 48)) },
        { "a ward while the ward list was expanded with row 0 still selected", { { Ward, 1, true } }, Ward, 30,
            { 30 } },
    };
    for (const Row& row : rows) {
        for (bool reentrant : { true, false }) {
            SCOPED_TRACE(std::string(row.name) + (reentrant ? ", re-entrant list" : ", quiet list"));
            Harness h(reentrant);
            for (const Click& click : row.before) {
                if (click.ctrl)
                    h.list(click.level).ctrlClick(click.row);
                else
                    h.list(click.level).click(click.row);
            }
            h.cascade->chooseMember(row.level, row.member);
            finalWardSelection(h.tables);
            std::vector<int> wards;
            for (int w = 1; w <= kNumWards; ++w)
                if (h.tables.finalWards[w] == 1)
                    wards.push_back(w);
            EXPECT_EQ(wards, row.wards);
        }
    }
}

#include "geography/AreaCascade.h"
#include "geography/AreaTablesLoader.h"
#include "base/DataFolders.h"
#include "geography/FinalWardSelection.h"

#include "FakeListBox.h"
#include "FixtureData.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

/// The fixture data set's area tables, loaded once.
const AreaTables& fixtureTables()
{
    static const AreaTables tables = [] {
        TempDir dir;
        FixtureData::write(dir);
        return loadAreaTables(DataFolders::under(dir.path()));
    }();
    return tables;
}

struct Harness {
    explicit Harness(bool reentrant = true)
        : tables(fixtureTables())
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
    int flag(AreaLevel which, int member) { return level(which).flags[member]; }
    int chosenCount(AreaLevel which)
    {
        const std::vector<std::uint8_t>& flags = level(which).flags;
        return static_cast<int>(std::count(flags.begin() + 1, flags.end(), 1));
    }
    int maxDepth()
    {
        int depth = 0;
        for (auto& fake : fakes)
            depth = std::max(depth, fake.maxDepth);
        return depth;
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
    ASSERT_EQ(lst.count(), 2);
    EXPECT_EQ(lst.rows[0], AreaCascade::allRowText(h.tables, level));
    EXPECT_EQ(lst.rows[1], AreaCascade::selectRowText(level));
    EXPECT_EQ(lst.selectedRows(), selectedRows);
    EXPECT_EQ(h.mode(level), kModeAll);
    EXPECT_EQ(h.chosenCount(level), h.level(level).count());
    EXPECT_TRUE(lst.enabled);
}

} // namespace

TEST(AreaCascade, StartupBuildCollapsesEveryListAndRowZeroThereChangesNothing)
{
    for (bool reentrant : { true, false }) {
        SCOPED_TRACE(reentrant ? "re-entrant list" : "quiet list");
        Harness h(reentrant);
        for (AreaLevel level : kLevels) {
            expectCollapsed(h, level, { 0 });
            EXPECT_FALSE(h.level(level).listExpanded);
        }
        FakeListBox& regions = h.list(AreaLevel::Region);
        regions.deselectAll();
        expectCollapsed(h, AreaLevel::Region, {});
        regions.click(0);
        expectCollapsed(h, AreaLevel::Region, { 0 });
    }
}

TEST(AreaCascade, ExpandingListsOnlyMembersOfChosenParentsWithTheirRows)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(3); // Wales only
    EXPECT_EQ(h.chosenCount(AreaLevel::Country), 1);
    EXPECT_EQ(h.flag(AreaLevel::Country, 3), 1);

    h.list(AreaLevel::Region).click(1);
    EXPECT_EQ(h.list(AreaLevel::Region).rows, (std::vector<std::string> { "All selected countries", "Wales" }));
    EXPECT_EQ(h.tables.level(AreaLevel::Region).listPos[12], 1);
    EXPECT_EQ(h.tables.level(AreaLevel::Region).listPos[1], 0);
    // Step C ran in the same notification: only the listed region counts.
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 1);
    EXPECT_EQ(h.flag(AreaLevel::Region, 12), 1);

    // Counties of region 12 are 12, 25, 38, 51, 64.
    h.list(AreaLevel::County).click(1);
    FakeListBox& counties = h.list(AreaLevel::County);
    EXPECT_EQ(counties.rows,
        (std::vector<std::string> {
            "All selected regions", "County 12", "County 25", "County 38", "County 51", "County 64" }));
    EXPECT_EQ(h.tables.level(AreaLevel::County).listPos[38], 3);
    counties.click(3);
    counties.ctrlClick(5);
    EXPECT_EQ(h.chosenCount(AreaLevel::County), 2);
    EXPECT_EQ(h.flag(AreaLevel::County, 38), 1);
    EXPECT_EQ(h.flag(AreaLevel::County, 64), 1);

    // Districts of county 38 and 64, in member order; then the wards of one district.
    h.list(AreaLevel::District).click(1);
    FakeListBox& districts = h.list(AreaLevel::District);
    ASSERT_GT(districts.count(), 2);
    EXPECT_EQ(districts.rows[1], "District 38");
    EXPECT_EQ(districts.rows[2], "District 64");
    districts.click(1);
    h.list(AreaLevel::Ward).click(1);
    FakeListBox& wards = h.list(AreaLevel::Ward);
    const int first = 37 * 24 + 1; // district 38's wards
    const int last = 38 * 24;
    ASSERT_EQ(wards.count(), last - first + 2);
    EXPECT_EQ(h.tables.level(AreaLevel::Ward).listPos[first], 1);
    EXPECT_EQ(h.tables.level(AreaLevel::Ward).listPos[last], last - first + 1);
    wards.click(2);
    EXPECT_EQ(h.mode(AreaLevel::Ward), kModeIndividual);
    EXPECT_EQ(h.chosenCount(AreaLevel::Ward), 1);
    EXPECT_EQ(h.flag(AreaLevel::Ward, first + 1), 1);
    EXPECT_LE(h.maxDepth(), 2);
}

TEST(AreaCascade, DeselectingEveryMemberChoosesNothingAndEmptiesTheLowerList)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).deselectAll();
    EXPECT_EQ(h.mode(AreaLevel::Country), kModeIndividual);
    EXPECT_EQ(h.chosenCount(AreaLevel::Country), 0);
    EXPECT_TRUE(h.tables.level(AreaLevel::Country).listExpanded);

    h.list(AreaLevel::Region).click(1);
    EXPECT_EQ(h.list(AreaLevel::Region).rows, (std::vector<std::string> { "All selected countries" }));
    EXPECT_EQ(h.mode(AreaLevel::Region), kModeIndividual);
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 0);
}

TEST(AreaCascade, SelectingTheAllRowOfAnExpandedListCollapsesIt)
{
    struct Case {
        const char* name;
        std::function<void(FakeListBox&)> action;
    };
    const Case cases[] = {
        { "plain click on All", [](FakeListBox& l) { l.click(0); } },
        { "All added to members", [](FakeListBox& l) { l.ctrlClick(0); } },
        { "All after deselecting everything",
            [](FakeListBox& l) {
                l.deselectAll();
                l.ctrlClick(0);
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.list(AreaLevel::County).click(1);
        h.list(AreaLevel::County).click(4);
        ASSERT_EQ(h.chosenCount(AreaLevel::County), 1);
        c.action(h.list(AreaLevel::County));
        expectCollapsed(h, AreaLevel::County, { 0 });
        EXPECT_FALSE(h.tables.level(AreaLevel::County).listExpanded);
        EXPECT_EQ(h.tables.level(AreaLevel::County).flags.back(), 1);
        EXPECT_LE(h.maxDepth(), 2);
    }
}

TEST(AreaCascade, ChangingAHigherListLeavesAnExpandedLowerListAlone)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(1); // England
    h.list(AreaLevel::Region).click(1);
    const std::vector<std::string> rows = h.list(AreaLevel::Region).rows;
    const std::vector<std::uint8_t> flags = h.tables.level(AreaLevel::Region).flags;
    ASSERT_EQ(rows.size(), 11u);

    h.list(AreaLevel::Country).click(2); // Scotland instead
    EXPECT_EQ(h.list(AreaLevel::Region).rows, rows);
    EXPECT_EQ(h.tables.level(AreaLevel::Region).flags, flags);
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

    EXPECT_EQ(regions.rows, (std::vector<std::string> { "All selected countries", "Scotland" }));
    // No England region keeps a row of the first expansion, so none is recorded.
    regions.click(1);
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 1);
    EXPECT_EQ(h.flag(AreaLevel::Region, 11), 1);
    for (int r = 1; r <= kNumRegions; ++r)
        EXPECT_EQ(h.level(AreaLevel::Region).listPos[r], r == 11 ? 1 : 0) << r;
}

TEST(AreaCascade, ControlClickExpandWithAllStillSelectedDefersRecording)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(2); // Scotland: region 11 only
    FakeListBox& regions = h.list(AreaLevel::Region);
    regions.ctrlClick(1); // rows 0 and 1 now selected

    EXPECT_EQ(regions.rows, (std::vector<std::string> { "All selected countries", "Scotland" }));
    EXPECT_EQ(regions.selectedRows(), (std::vector<int> { 0, 1 }));
    EXPECT_EQ(h.mode(AreaLevel::Region), kModeIndividual);
    EXPECT_TRUE(h.tables.level(AreaLevel::Region).listExpanded);
    // Not listed, not recorded: every region keeps the flag it had in "All" mode.
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), kNumRegions);

    // Deselecting All records the listed rows ...
    regions.ctrlClick(0);
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 1);
    EXPECT_EQ(h.flag(AreaLevel::Region, 11), 1);

    // ... while any change with All still selected collapses the list.
    Harness again;
    again.list(AreaLevel::Country).click(1);
    again.list(AreaLevel::Region).ctrlClick(1);
    again.list(AreaLevel::Region).ctrlClick(3);
    expectCollapsed(again, AreaLevel::Region, { 0 });
}

TEST(AreaCascade, ResetAllCollapsesEveryListWithNothingSelected)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(4);
    h.list(AreaLevel::Region).click(1);
    h.list(AreaLevel::County).click(1);
    h.list(AreaLevel::County).deselectAll();
    for (AreaLevel level : kLevels)
        h.list(level).setEnabled(false);

    h.cascade->resetAll();
    for (AreaLevel level : kLevels) {
        SCOPED_TRACE(static_cast<int>(level));
        FakeListBox& lst = h.list(level);
        ASSERT_EQ(lst.count(), 2);
        EXPECT_EQ(lst.rows[1], AreaCascade::selectRowText(level));
        EXPECT_TRUE(lst.selectedRows().empty());
        EXPECT_EQ(h.mode(level), kModeAll);
        EXPECT_EQ(h.chosenCount(level), h.level(level).count());
        EXPECT_FALSE(lst.enabled); // enabling is the caller's business
        for (std::int16_t pos : h.level(level).listPos)
            EXPECT_EQ(pos, 0);
    }
    EXPECT_EQ(h.list(AreaLevel::County).rows[1], "Select counties...");
    // List states are kept: expanded lists stay "expanded", collapsed ones not.
    EXPECT_TRUE(h.tables.level(AreaLevel::Country).listExpanded);
    EXPECT_TRUE(h.tables.level(AreaLevel::County).listExpanded);
    EXPECT_FALSE(h.tables.level(AreaLevel::District).listExpanded);

    // Row 0 then collapses only a list still marked expanded; Select expands as ever.
    for (AreaLevel level : kLevels)
        h.list(level).setEnabled(true);
    h.list(AreaLevel::Country).click(0);
    expectCollapsed(h, AreaLevel::Country, { 0 });
    EXPECT_FALSE(h.tables.level(AreaLevel::Country).listExpanded);
    h.list(AreaLevel::Ward).click(0);
    expectCollapsed(h, AreaLevel::Ward, { 0 });
    h.list(AreaLevel::District).click(1);
    EXPECT_EQ(h.list(AreaLevel::District).count(), kNumDistricts + 1);
    EXPECT_EQ(h.chosenCount(AreaLevel::District), kNumDistricts);
}

TEST(AreaCascade, NestedNotificationsLeaveTheSameStateAsNone)
{
    // The same user actions against lists that re-enter and lists that do not: the
    // guards must make the nested calls invisible.
    auto script = [](Harness& h) {
        h.list(AreaLevel::Country).click(1);
        h.list(AreaLevel::Country).ctrlClick(2);
        h.list(AreaLevel::Region).click(1);
        h.list(AreaLevel::Region).ctrlClick(3);
        h.list(AreaLevel::County).ctrlClick(1);
        h.list(AreaLevel::District).click(1);
        h.list(AreaLevel::District).ctrlClick(5);
        h.list(AreaLevel::Ward).click(1);
        h.list(AreaLevel::Ward).click(7);
        h.list(AreaLevel::County).ctrlClick(2);
        h.list(AreaLevel::Region).click(0);
    };
    Harness loud(true);
    Harness quiet(false);
    script(loud);
    script(quiet);

    EXPECT_LE(loud.maxDepth(), 2);
    for (AreaLevel level : kLevels) {
        SCOPED_TRACE(static_cast<int>(level));
        EXPECT_EQ(loud.list(level).rows, quiet.list(level).rows);
        EXPECT_EQ(loud.list(level).selected, quiet.list(level).selected);
        EXPECT_EQ(loud.level(level).flags, quiet.level(level).flags);
        EXPECT_EQ(loud.level(level).listExpanded, quiet.level(level).listExpanded);
        EXPECT_EQ(loud.level(level).listPos, quiet.level(level).listPos);
    }
    EXPECT_EQ(loud.chosenCount(AreaLevel::Ward), 1);
}

namespace {

std::vector<int> finalWards(Harness& h)
{
    finalWardSelection(h.tables);
    std::vector<int> wards;
    for (int w = 1; w < static_cast<int>(h.tables.finalWards.size()); ++w)
        if (h.tables.finalWards[w] == 1)
            wards.push_back(w);
    return wards;
}

/// The list shows what the flags say: exactly the chosen members' rows selected.
void expectListMatchesFlags(Harness& h, AreaLevel level)
{
    const AreaTables::Level& t = h.level(level);
    std::vector<int> rows;
    for (int m = 1; m <= t.count(); ++m)
        if (t.flags[m] == 1 && t.listPos[m] != 0)
            rows.push_back(t.listPos[m]);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(h.list(level).selectedRows(), rows);
    EXPECT_TRUE(h.list(level).enabled);
}

} // namespace

TEST(AreaCascade, ChoosingMembersLeavesAStateTheClicksReachAndExtractsExactlyThem)
{
    struct Row {
        const char* name;
        std::function<void(Harness&)> before;
        AreaLevel level;
        std::vector<int> choose;
        std::vector<int> wards; // extracted afterwards
    };
    auto range = [](int first, int last) {
        std::vector<int> v;
        for (int w = first; w <= last; ++w)
            v.push_back(w);
        return v;
    };
    const std::vector<Row> rows = {
        { "two wards from a fresh start", [](Harness&) {}, AreaLevel::Ward, { 30, 500 }, { 30, 500 } },
        { "the same ward twice", [](Harness&) {}, AreaLevel::Ward, { 30, 30 }, { 30 } },
        { "a ward outside the narrowed county and district",
            [](Harness& h) {
                h.list(AreaLevel::County).click(1);
                h.list(AreaLevel::County).click(3);
                h.list(AreaLevel::District).click(1);
            },
            AreaLevel::Ward, { 500 }, { 500 } },
        { "wards expanded under one district keep their choice",
            [](Harness& h) {
                h.list(AreaLevel::District).click(1);
                h.list(AreaLevel::District).click(2);
                h.list(AreaLevel::Ward).click(1);
                h.list(AreaLevel::Ward).click(3);
            },
            AreaLevel::Ward, { 500 }, { 27, 500 } },
        { "a district while wards are narrowed",
            [](Harness& h) {
                h.list(AreaLevel::Ward).click(1);
                h.list(AreaLevel::Ward).click(3);
            },
            AreaLevel::District, { 38 }, range(37 * 24 + 1, 38 * 24) },
        { "a district added to an expanded district list",
            [](Harness& h) {
                h.list(AreaLevel::District).click(1);
                h.list(AreaLevel::District).click(2);
            },
            AreaLevel::District, { 38 },
            [&] {
                std::vector<int> v = range(25, 48);
                std::vector<int> more = range(37 * 24 + 1, 38 * 24);
                v.insert(v.end(), more.begin(), more.end());
                return v;
            }() },
        { "a ward while the ward list was expanded with row 0 still selected",
            [](Harness& h) { h.list(AreaLevel::Ward).ctrlClick(1); }, AreaLevel::Ward, { 30 }, { 30 } },
    };
    for (const Row& row : rows) {
        for (bool reentrant : { true, false }) {
            SCOPED_TRACE(std::string(row.name) + (reentrant ? ", re-entrant list" : ", quiet list"));
            Harness h(reentrant);
            row.before(h);
            for (int member : row.choose)
                h.cascade->chooseMember(row.level, member);
            EXPECT_EQ(finalWards(h), row.wards);
            EXPECT_LE(h.maxDepth(), 2);
            for (AreaLevel level : kLevels) {
                SCOPED_TRACE(static_cast<int>(level));
                if (level == row.level) {
                    EXPECT_EQ(h.mode(level), kModeIndividual);
                    EXPECT_FALSE(h.list(level).isSelected(0));
                    expectListMatchesFlags(h, level);
                } else {
                    EXPECT_EQ(h.mode(level), kModeAll);
                }
            }
        }
    }
}

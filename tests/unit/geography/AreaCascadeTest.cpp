#include "geography/AreaCascade.h"
#include "shell/ListBox.h"

#include "SyntheticData.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

/// A list box that, like a real one, raises its change notification from inside
/// every call that changes its rows or selection. A quiet one raises it only for
/// the user's own clicks.
class FakeList : public ListBox {
public:
    explicit FakeList(bool reentrant)
        : m_reentrant(reentrant)
    {
    }

    std::function<void()> onChange;
    std::vector<std::string> rows;
    std::vector<bool> selected;
    bool enabled = true;
    int depth = 0;
    int maxDepth = 0;

    int count() const override { return static_cast<int>(rows.size()); }
    void clear() override
    {
        rows.clear();
        selected.clear();
        programChange();
    }
    void addRow(const std::string& text) override
    {
        rows.push_back(text);
        selected.push_back(false);
        programChange();
    }
    void removeRow(int row) override
    {
        rows.erase(rows.begin() + row);
        selected.erase(selected.begin() + row);
        programChange();
    }
    bool isSelected(int row) const override { return selected.at(row); }
    void setSelected(int row, bool on) override
    {
        if (selected.at(row) == on)
            return;
        selected[row] = on;
        programChange();
    }
    void setEnabled(bool on) override { enabled = on; }

    /// A user's plain click, control-click and "deselect everything": one change,
    /// one notification.
    void click(int row)
    {
        selected.assign(rows.size(), false);
        selected.at(row) = true;
        notify();
    }
    void ctrlClick(int row)
    {
        selected.at(row) = !selected.at(row);
        notify();
    }
    void deselectAll()
    {
        selected.assign(rows.size(), false);
        notify();
    }
    std::vector<int> selectedRows() const
    {
        std::vector<int> out;
        for (int r = 0; r < count(); ++r)
            if (selected[r])
                out.push_back(r);
        return out;
    }

private:
    void programChange()
    {
        if (m_reentrant)
            notify();
    }
    void notify()
    {
        // A missing guard shows up as runaway nesting, which would go on for ever; cut
        // it short and let the depth checks fail.
        if (depth >= kMaxDepth) {
            m_runaway = true;
            maxDepth = kMaxDepth + 1;
        }
        if (m_runaway || !onChange)
            return;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        onChange();
        --depth;
    }

    static constexpr int kMaxDepth = 3;
    bool m_reentrant;
    bool m_runaway = false;
};

struct Harness {
    explicit Harness(bool reentrant = true)
        : tables(syntheticAreaTables())
    {
        AreaCascade::Lists lists{};
        for (int i = 0; i < kNumAreaLevels; ++i) {
            fakes[i] = std::make_unique<FakeList>(reentrant);
            lists[i] = fakes[i].get();
        }
        cascade = std::make_unique<AreaCascade>(tables, lists);
        for (int i = 0; i < kNumAreaLevels; ++i)
            fakes[i]->onChange = [this, i] { cascade->listChanged(static_cast<AreaLevel>(i)); };
        cascade->buildLists();
    }

    FakeList& list(AreaLevel level) { return *fakes[static_cast<int>(level)]; }
    AreaTables::Level level(AreaLevel which) { return tables.level(which); }
    int mode(AreaLevel which) { return (*level(which).flags)[0]; }
    int flag(AreaLevel which, int member) { return (*level(which).flags)[member]; }
    int chosenCount(AreaLevel which)
    {
        AreaTables::Level t = level(which);
        int n = 0;
        for (int r = 1; r <= t.count; ++r)
            n += (*t.flags)[r] == 1;
        return n;
    }
    int maxDepth()
    {
        int depth = 0;
        for (auto& fake : fakes)
            depth = std::max(depth, fake->maxDepth);
        return depth;
    }

    AreaTables tables;
    std::array<std::unique_ptr<FakeList>, kNumAreaLevels> fakes;
    std::unique_ptr<AreaCascade> cascade;
};

constexpr AreaLevel kLevels[] = {AreaLevel::Country, AreaLevel::Region, AreaLevel::County, AreaLevel::District,
                                 AreaLevel::Ward};

void expectCollapsed(Harness& h, AreaLevel level, std::vector<int> selectedRows)
{
    SCOPED_TRACE(static_cast<int>(level));
    FakeList& lst = h.list(level);
    ASSERT_EQ(lst.count(), 2);
    EXPECT_EQ(lst.rows[0], AreaCascade::allRowText(h.tables, level));
    EXPECT_EQ(lst.rows[1], AreaCascade::selectRowText(level));
    EXPECT_EQ(lst.selectedRows(), selectedRows);
    EXPECT_EQ(h.mode(level), kModeAll);
    EXPECT_EQ(h.chosenCount(level), h.level(level).count);
    EXPECT_TRUE(lst.enabled);
}

} // namespace

TEST(AreaCascade, StartupBuildLeavesEveryListCollapsedWithRowZeroSelected)
{
    for (bool reentrant : {true, false}) {
        SCOPED_TRACE(reentrant ? "re-entrant list" : "quiet list");
        Harness h(reentrant);
        for (AreaLevel level : kLevels) {
            expectCollapsed(h, level, {0});
            EXPECT_FALSE(*h.level(level).listExpanded);
        }
        EXPECT_EQ(h.list(AreaLevel::Region).rows[0], "All selected countries");
        EXPECT_EQ(h.list(AreaLevel::Ward).rows[1], "Select wards...");
        EXPECT_EQ(h.list(AreaLevel::Country).rows[0], "All countries");
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
    EXPECT_EQ(h.list(AreaLevel::Region).rows, (std::vector<std::string>{"All selected countries", "Wales"}));
    EXPECT_EQ(h.tables.regionListPos[12], 1);
    EXPECT_EQ(h.tables.regionListPos[1], 0);
    // Step C ran in the same notification: only the listed region counts.
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 1);
    EXPECT_EQ(h.flag(AreaLevel::Region, 12), 1);

    // Counties of region 12 are 12, 25, 38, 51, 64.
    h.list(AreaLevel::County).click(1);
    FakeList& counties = h.list(AreaLevel::County);
    EXPECT_EQ(counties.rows,
              (std::vector<std::string>{"All selected regions", "County 12", "County 25", "County 38", "County 51",
                                        "County 64"}));
    EXPECT_EQ(h.tables.countyListPos[38], 3);
    counties.click(3);
    counties.ctrlClick(5);
    EXPECT_EQ(h.chosenCount(AreaLevel::County), 2);
    EXPECT_EQ(h.flag(AreaLevel::County, 38), 1);
    EXPECT_EQ(h.flag(AreaLevel::County, 64), 1);

    // Districts of county 38 and 64, in member order; then the wards of one district.
    h.list(AreaLevel::District).click(1);
    FakeList& districts = h.list(AreaLevel::District);
    ASSERT_GT(districts.count(), 2);
    EXPECT_EQ(districts.rows[1], "District 38");
    EXPECT_EQ(districts.rows[2], "District 64");
    districts.click(1);
    h.list(AreaLevel::Ward).click(1);
    FakeList& wards = h.list(AreaLevel::Ward);
    const int first = firstWardOf(38);
    const int last = lastWardOf(38);
    ASSERT_EQ(wards.count(), last - first + 2);
    EXPECT_EQ(h.tables.wardListPos[first], 1);
    EXPECT_EQ(h.tables.wardListPos[last], last - first + 1);
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
    EXPECT_TRUE(h.tables.countryListExpanded);

    h.list(AreaLevel::Region).click(1);
    EXPECT_EQ(h.list(AreaLevel::Region).rows, (std::vector<std::string>{"All selected countries"}));
    EXPECT_EQ(h.mode(AreaLevel::Region), kModeIndividual);
    EXPECT_EQ(h.chosenCount(AreaLevel::Region), 0);
}

TEST(AreaCascade, SelectingTheAllRowOfAnExpandedListCollapsesIt)
{
    struct Case {
        const char* name;
        std::function<void(FakeList&)> action;
    };
    const Case cases[] = {
        {"plain click on All", [](FakeList& l) { l.click(0); }},
        {"All added to members", [](FakeList& l) { l.ctrlClick(0); }},
        {"All after deselecting everything",
         [](FakeList& l) {
             l.deselectAll();
             l.ctrlClick(0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.list(AreaLevel::County).click(1);
        h.list(AreaLevel::County).click(4);
        ASSERT_EQ(h.chosenCount(AreaLevel::County), 1);
        c.action(h.list(AreaLevel::County));
        expectCollapsed(h, AreaLevel::County, {0});
        EXPECT_FALSE(h.tables.countyListExpanded);
        EXPECT_EQ(h.tables.countyFlags.back(), 1);
        EXPECT_LE(h.maxDepth(), 2);
    }
}

TEST(AreaCascade, RowZeroOfACollapsedListChangesNothing)
{
    Harness h;
    FakeList& regions = h.list(AreaLevel::Region);
    regions.click(0);
    expectCollapsed(h, AreaLevel::Region, {0});
    regions.deselectAll();
    expectCollapsed(h, AreaLevel::Region, {});
    regions.click(0);
    expectCollapsed(h, AreaLevel::Region, {0});
}

TEST(AreaCascade, ChangingAHigherListLeavesAnExpandedLowerListAlone)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(1); // England
    h.list(AreaLevel::Region).click(1);
    const std::vector<std::string> rows = h.list(AreaLevel::Region).rows;
    const std::vector<std::uint8_t> flags = h.tables.regionFlags;
    ASSERT_EQ(rows.size(), 11u);

    h.list(AreaLevel::Country).click(2); // Scotland instead
    EXPECT_EQ(h.list(AreaLevel::Region).rows, rows);
    EXPECT_EQ(h.tables.regionFlags, flags);
}

TEST(AreaCascade, ControlClickExpandWithAllStillSelectedDefersRecording)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.list(AreaLevel::Country).click(2); // Scotland: region 11 only
    FakeList& regions = h.list(AreaLevel::Region);
    regions.ctrlClick(1); // rows 0 and 1 now selected

    EXPECT_EQ(regions.rows, (std::vector<std::string>{"All selected countries", "Scotland"}));
    EXPECT_EQ(regions.selectedRows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(h.mode(AreaLevel::Region), kModeIndividual);
    EXPECT_TRUE(h.tables.regionListExpanded);
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
    expectCollapsed(again, AreaLevel::Region, {0});
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
        FakeList& lst = h.list(level);
        ASSERT_EQ(lst.count(), 2);
        EXPECT_EQ(lst.rows[1], AreaCascade::selectRowText(level));
        EXPECT_TRUE(lst.selectedRows().empty());
        EXPECT_EQ(h.mode(level), kModeAll);
        EXPECT_EQ(h.chosenCount(level), h.level(level).count);
        EXPECT_FALSE(lst.enabled); // enabling is the caller's business
        if (h.level(level).listPos) {
            for (std::int16_t pos : *h.level(level).listPos)
                EXPECT_EQ(pos, 0);
        }
    }
    EXPECT_EQ(h.list(AreaLevel::County).rows[1], "Select counties...");
    // List states are kept: expanded lists stay "expanded", collapsed ones not.
    EXPECT_TRUE(h.tables.countryListExpanded);
    EXPECT_TRUE(h.tables.countyListExpanded);
    EXPECT_FALSE(h.tables.districtListExpanded);
}

TEST(AreaCascade, AfterResetRowZeroCollapsesOnlyAListStillMarkedExpanded)
{
    Harness h;
    h.list(AreaLevel::Country).click(1);
    h.cascade->resetAll();

    // Countries were expanded: row 0 runs the collapse and stays selected.
    h.list(AreaLevel::Country).click(0);
    expectCollapsed(h, AreaLevel::Country, {0});
    EXPECT_FALSE(h.tables.countryListExpanded);

    // Regions never were: row 0 is merely selected.
    h.list(AreaLevel::Region).click(0);
    expectCollapsed(h, AreaLevel::Region, {0});

    // And the Select row expands as from the ordinary collapsed form.
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
        EXPECT_EQ(*loud.level(level).flags, *quiet.level(level).flags);
        EXPECT_EQ(*loud.level(level).listExpanded, *quiet.level(level).listExpanded);
        if (loud.level(level).listPos) {
            EXPECT_EQ(*loud.level(level).listPos, *quiet.level(level).listPos);
        }
    }
    EXPECT_EQ(loud.chosenCount(AreaLevel::Ward), 1);
}

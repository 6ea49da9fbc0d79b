#include "geography/AreaCascade.h"

#include "base/ListBox.h"

#include <algorithm>
#include <vector>

namespace {

struct LevelTexts {
    const char* allSuffix;
    const char* selectRow;
};

// Indexed by AreaLevel.
constexpr LevelTexts kTexts[kNumAreaLevels] = {
    { " countries", "Select countries..." },
    { " selected countries", "Select regions..." },
    { " selected regions", "Select counties..." },
    { " selected counties", "Select districts..." },
    { " selected districts", "Select wards..." },
};

constexpr int index(AreaLevel level)
{
    return static_cast<int>(level);
}

bool rowSelected(const ListBox& list, int row)
{
    return row < list.count() && list.isSelected(row);
}

} // namespace

AreaCascade::AreaCascade(AreaTables& tables, Lists lists)
    : m_tables(tables)
    , m_lists(lists)
{
}

std::string AreaCascade::allRowText(const AreaTables& tables, AreaLevel level)
{
    return tables.level(level).names[0] + kTexts[index(level)].allSuffix;
}

std::string AreaCascade::selectRowText(AreaLevel level)
{
    return kTexts[index(level)].selectRow;
}

void AreaCascade::buildLists()
{
    for (int i = 0; i < kNumAreaLevels; ++i) {
        auto level = static_cast<AreaLevel>(i);
        AreaTables::Level& t = m_tables.level(level);
        ListBox& lst = list(level);
        lst.addRow(t.names[0]);
        t.listExpanded = true;
        // The list's own notification runs the collapse before the next list is touched.
        lst.setSelected(0, true);
        // A list that does not report the program's own changes gets the collapse here.
        if (t.listExpanded)
            listChanged(level);
    }
}

void AreaCascade::listChanged(AreaLevel level)
{
    const AreaTables::Level& t = m_tables.level(level);
    ListBox& lst = list(level);
    // Each step looks at the list as the previous one left it.
    if (rowSelected(lst, 0) && t.listExpanded)
        collapse(level);
    if (rowSelected(lst, 1) && t.flags[0] == kModeAll)
        expand(level);
    if (!rowSelected(lst, 0) && t.flags[0] == kModeIndividual)
        record(level);
}

void AreaCascade::addCollapsedRows(AreaLevel level)
{
    ListBox& lst = list(level);
    lst.addRow(allRowText(m_tables, level));
    lst.addRow(selectRowText(level));
}

void AreaCascade::collapse(AreaLevel level)
{
    AreaTables::Level& t = m_tables.level(level);
    ListBox& lst = list(level);
    // Cleared first, so that the notifications raised below cannot collapse again.
    t.listExpanded = false;
    lst.setEnabled(false);
    lst.clear();
    addCollapsedRows(level);
    lst.setSelected(0, true);
    // Set only now: whatever a nested notification recorded above is overwritten.
    std::fill(t.flags.begin() + 1, t.flags.end(), 1);
    t.flags[0] = kModeAll;
    lst.setEnabled(true);
}

void AreaCascade::expand(AreaLevel level)
{
    AreaTables::Level& t = m_tables.level(level);
    // Countries have no parent: every one is listed.
    const std::vector<std::uint8_t>* parentFlags
        = level == AreaLevel::Country ? nullptr : &m_tables.level(static_cast<AreaLevel>(index(level) - 1)).flags;
    ListBox& lst = list(level);
    lst.setEnabled(false);
    // Neither "All" nor individual: nested notifications neither expand nor record.
    t.flags[0] = kModeRebuilding;
    lst.removeRow(1);

    std::vector<std::string> rows;
    int nextRow = lst.count();
    for (int r = 1; r <= t.count(); ++r) {
        t.listPos[r] = 0;
        bool listed = !parentFlags || (*parentFlags)[t.parents[r]] == 1;
        if (!listed)
            continue; // members not listed keep their flags
        rows.push_back(t.names[r]);
        t.listPos[r] = static_cast<std::int16_t>(nextRow++);
        t.flags[r] = 1;
    }
    lst.addRows(rows, true);

    t.listExpanded = true;
    t.flags[0] = kModeIndividual;
    lst.setEnabled(true);
}

void AreaCascade::record(AreaLevel level)
{
    AreaTables::Level& t = m_tables.level(level);
    const ListBox& lst = list(level);
    const int lastRow = lst.count() - 1;
    for (int r = 1; r <= t.count(); ++r) {
        int p = t.listPos[r];
        t.flags[r] = (p >= 1 && p <= lastRow && lst.isSelected(p)) ? 1 : 0;
    }
}

void AreaCascade::resetAll()
{
    for (int i = 0; i < kNumAreaLevels; ++i) {
        auto level = static_cast<AreaLevel>(i);
        AreaTables::Level& t = m_tables.level(level);
        ListBox& lst = list(level);
        lst.clear();
        addCollapsedRows(level);
        std::fill(t.flags.begin(), t.flags.end(), 1);
        t.flags[0] = kModeAll;
        std::fill(t.listPos.begin(), t.listPos.end(), 0);
    }
}

// Each list operation below is followed by the change operation itself, for lists
// that do not report the program's own changes; for those that do, the repeat finds
// nothing left to do.
void AreaCascade::showAll(AreaLevel level)
{
    list(level).setSelected(0, true);
    listChanged(level);
}

bool AreaCascade::listsEveryMember(AreaLevel level) const
{
    const AreaTables::Level& t = m_tables.level(level);
    return std::none_of(t.listPos.begin() + 1, t.listPos.end(), [](std::int16_t p) { return p == 0; });
}

void AreaCascade::chooseMember(AreaLevel level, int member)
{
    AreaTables::Level& t = m_tables.level(level);
    if (member < 1 || member > t.count())
        return;
    for (int i = 0; i < kNumAreaLevels; ++i) {
        auto other = static_cast<AreaLevel>(i);
        if (other != level && m_tables.level(other).flags[0] != kModeAll)
            showAll(other);
    }
    ListBox& lst = list(level);
    // With every level above on "All", an expanded list lists every member, unless it
    // was expanded under narrower parents; then it is built again.
    if (t.flags[0] == kModeIndividual && t.listExpanded && !lst.isSelected(0) && listsEveryMember(level)) {
        lst.setSelected(t.listPos[member], true);
        listChanged(level);
        return;
    }
    std::vector<int> chosen { member };
    // With row 0 still selected the list stands for "All", not for a choice to keep.
    if (t.flags[0] == kModeIndividual && !lst.isSelected(0))
        for (int r = 1; r <= t.count(); ++r)
            if (t.listPos[r] != 0 && t.flags[r] == 1)
                chosen.push_back(r);
    if (t.flags[0] != kModeAll || t.listExpanded)
        showAll(level);
    // A plain click on "Select ...": every member listed and chosen.
    lst.setSelected(0, false);
    listChanged(level);
    lst.setSelected(1, true);
    listChanged(level);

    std::vector<int> rows;
    for (int r : chosen)
        rows.push_back(t.listPos[r]);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Recorded once the selection is complete, not row by row.
    t.flags[0] = kModeRebuilding;
    lst.setSelectedRows(rows);
    t.flags[0] = kModeIndividual;
    listChanged(level);
}

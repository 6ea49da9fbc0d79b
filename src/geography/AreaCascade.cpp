#include "geography/AreaCascade.h"

#include "base/ListBox.h"

#include <vector>

namespace {

struct LevelTexts {
    const char* allSuffix;
    const char* selectRow;
};

// Indexed by AreaLevel.
constexpr LevelTexts kTexts[kNumAreaLevels] = {
    {" countries", "Select countries..."},
    {" selected countries", "Select regions..."},
    {" selected regions", "Select counties..."},
    {" selected counties", "Select districts..."},
    {" selected districts", "Select wards..."},
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
    // level() hands out non-const pointers, so read the name tables directly.
    const std::vector<std::string>* names[kNumAreaLevels]
        = {&tables.countryNames, &tables.regionNames, &tables.countyNames, &tables.districtNames, &tables.wardNames};
    return (*names[index(level)])[0] + kTexts[index(level)].allSuffix;
}

std::string AreaCascade::selectRowText(AreaLevel level)
{
    return kTexts[index(level)].selectRow;
}

void AreaCascade::buildLists()
{
    for (int i = 0; i < kNumAreaLevels; ++i) {
        auto level = static_cast<AreaLevel>(i);
        AreaTables::Level t = m_tables.level(level);
        ListBox& lst = list(level);
        lst.addRow((*t.names)[0]);
        *t.listExpanded = true;
        // The list's own notification runs the collapse before the next list is touched.
        lst.setSelected(0, true);
        // A list that does not report the program's own changes gets the collapse here.
        if (*t.listExpanded)
            listChanged(level);
    }
}

void AreaCascade::listChanged(AreaLevel level)
{
    AreaTables::Level t = m_tables.level(level);
    ListBox& lst = list(level);
    // Each step looks at the list as the previous one left it.
    if (rowSelected(lst, 0) && *t.listExpanded)
        collapse(level);
    if (rowSelected(lst, 1) && (*t.flags)[0] == kModeAll)
        expand(level);
    if (!rowSelected(lst, 0) && (*t.flags)[0] == kModeIndividual)
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
    AreaTables::Level t = m_tables.level(level);
    ListBox& lst = list(level);
    // Cleared first, so that the notifications raised below cannot collapse again.
    *t.listExpanded = false;
    lst.setEnabled(false);
    lst.clear();
    addCollapsedRows(level);
    lst.setSelected(0, true);
    // Set only now: whatever a nested notification recorded above is overwritten.
    std::vector<std::uint8_t>& flags = *t.flags;
    for (int r = 1; r <= t.count; ++r)
        flags[r] = 1;
    flags[0] = kModeAll;
    lst.setEnabled(true);
}

void AreaCascade::expand(AreaLevel level)
{
    AreaTables::Level t = m_tables.level(level);
    ListBox& lst = list(level);
    std::vector<std::uint8_t>& flags = *t.flags;
    lst.setEnabled(false);
    // Neither "All" nor individual: nested notifications neither expand nor record.
    flags[0] = kModeRebuilding;
    lst.removeRow(1);

    std::vector<std::string> rows;
    int nextRow = lst.count();
    for (int r = 1; r <= t.count; ++r) {
        if (t.listPos)
            (*t.listPos)[r] = 0;
        bool listed = !t.parent || (*t.parentFlags)[(*t.parent)[r]] == 1;
        if (!listed)
            continue; // members not listed keep their flags
        rows.push_back((*t.names)[r]);
        if (t.listPos)
            (*t.listPos)[r] = static_cast<std::int16_t>(nextRow);
        ++nextRow;
        flags[r] = 1;
    }
    lst.addRows(rows, true);

    *t.listExpanded = true;
    flags[0] = kModeIndividual;
    lst.setEnabled(true);
}

void AreaCascade::record(AreaLevel level)
{
    AreaTables::Level t = m_tables.level(level);
    const ListBox& lst = list(level);
    std::vector<std::uint8_t>& flags = *t.flags;
    const int lastRow = lst.count() - 1;
    for (int r = 1; r <= t.count; ++r) {
        int p = t.listPos ? (*t.listPos)[r] : r; // country i is always row i
        flags[r] = (p >= 1 && p <= lastRow && lst.isSelected(p)) ? 1 : 0;
    }
}

void AreaCascade::resetAll()
{
    for (int i = 0; i < kNumAreaLevels; ++i) {
        auto level = static_cast<AreaLevel>(i);
        AreaTables::Level t = m_tables.level(level);
        ListBox& lst = list(level);
        lst.clear();
        addCollapsedRows(level);
        (*t.flags)[0] = kModeAll;
        if (t.listPos)
            (*t.listPos)[0] = 0;
        for (int r = 1; r <= t.count; ++r) {
            (*t.flags)[r] = 1;
            if (t.listPos)
                (*t.listPos)[r] = 0;
        }
    }
}

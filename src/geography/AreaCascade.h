#pragma once

#include "geography/AreaTables.h"

#include <array>
#include <string>

class ListBox;

/// The five linked area lists, countries down to wards, kept in step with the
/// selection flags, list rows and list states of AreaTables.
///
/// Each list is either collapsed (an All row and a "Select ..." row) or expanded
/// (the All row, then one row per member whose parent is chosen one level up). A
/// list raises its change notification re-entrantly while the cascade rebuilds it;
/// the list state and the mode kept in flag element 0 make those nested calls
/// harmless, so listChanged may be called from inside any ListBox operation.
class AreaCascade {
public:
    using Lists = std::array<ListBox*, kNumAreaLevels>;

    /// Neither the tables nor the lists (indexed by AreaLevel) are owned; both must
    /// outlive the cascade.
    AreaCascade(AreaTables& tables, Lists lists);

    /// The first build at start-up, top down: each list gets its All row, its list
    /// state set and row 0 selected, and the notification that selection raises
    /// collapses it. Expects empty lists and freshly loaded tables.
    void buildLists();

    /// The change operation of one list: collapse when row 0 is selected, expand
    /// when the "Select ..." row is, then record which listed members are selected.
    void listChanged(AreaLevel level);

    /// All five lists back to their two collapsed rows with nothing selected and
    /// every level in "All" mode with every member chosen. The list states and the
    /// lists' enabled state are left as they are.
    void resetAll();

    /// Adds `member` to the choice at `level` as a user could have: every other level
    /// that is narrowed goes back to "All" through its own row 0; the level is
    /// expanded (again, when it was expanded under narrower parents, keeping the
    /// members chosen before) and the member's row selected. Afterwards an Extract
    /// takes that level's chosen members, this one included, and nothing else.
    void chooseMember(AreaLevel level, int member);

    /// "All" and the level's suffix, e.g. "All selected countries" for regions.
    static std::string allRowText(const AreaTables& tables, AreaLevel level);
    /// The collapsed form's second row, e.g. "Select regions...".
    static std::string selectRowText(AreaLevel level);

    ListBox& list(AreaLevel level) const { return *m_lists[static_cast<int>(level)]; }

private:
    void collapse(AreaLevel level);
    void expand(AreaLevel level);
    void record(AreaLevel level);
    void addCollapsedRows(AreaLevel level);
    void showAll(AreaLevel level);
    bool listsEveryMember(AreaLevel level) const;

    AreaTables& m_tables;
    Lists m_lists;
};

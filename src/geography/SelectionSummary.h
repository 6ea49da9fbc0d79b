#pragma once

#include <cstdint>
#include <string>

struct AreaTables;

/// What an Extract of the current area choice would take, from the ward counts the
/// size estimate uses.
struct SelectionCounts {
    bool allAreas = false; ///< every level in "All" mode: nothing narrowed
    std::int64_t wards = 0;
    std::int64_t eds = 0; ///< EDs written: the lettered parts of a divided ED, else the ED
    std::int64_t households = 0;
    std::int64_t persons = 0;
};

/// Runs the ward finalisation (which every Extract runs again anyway) and counts.
SelectionCounts countSelection(AreaTables& areas);

/// Counts the wards finalWards holds as it stands, without finalising again.
SelectionCounts countFinalWards(const AreaTables& areas);

/// "4 wards, 52 EDs, 18,350 households, 45,200 persons", with "All areas: " in front
/// when nothing is narrowed.
std::string selectionSummaryText(const SelectionCounts& counts);

/// 18350 as "18,350".
std::string groupedNumber(std::int64_t value);

#include "geography/SelectionSummary.h"

#include "geography/AreaTables.h"
#include "geography/FinalWardSelection.h"

SelectionCounts countSelection(AreaTables& t)
{
    finalWardSelection(t);
    return countFinalWards(t);
}

SelectionCounts countFinalWards(const AreaTables& t)
{
    SelectionCounts counts;
    counts.allAreas = true;
    for (const AreaTables::Level& level : t.levels)
        counts.allAreas = counts.allAreas && level.flags[0] != kModeIndividual;
    for (int w = 1; w <= kNumWards; ++w) {
        if (t.finalWards[w] != 1)
            continue;
        const auto& row = t.eds2Ward[w];
        ++counts.wards;
        counts.eds += static_cast<std::int64_t>(row[kEdCount]) * (row[kLetteredParts] > 0 ? row[kLetteredParts] : 1);
        counts.households += row[kHouseholds];
        counts.persons += row[kPersons];
    }
    return counts;
}

std::string groupedNumber(std::int64_t value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return value < 0 ? "-" + text : text;
}

namespace {

std::string counted(std::int64_t n, const char* one, const char* many)
{
    return groupedNumber(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string selectionSummaryText(const SelectionCounts& c)
{
    std::string text = c.allAreas ? "All areas: " : "";
    return text + counted(c.wards, "ward", "wards") + ", " + counted(c.eds, "ED", "EDs") + ", "
        + counted(c.households, "household", "households") + ", " + counted(c.persons, "person", "persons");
}

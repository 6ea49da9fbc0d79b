#include "geography/FinalWardSelection.h"

#include "geography/AreaTables.h"

#include <algorithm>

namespace {

/// Marks the wards of member `m` of `level`, going down one level at a time.
void markMember(AreaTables& t, AreaLevel level, int m)
{
    if (level == AreaLevel::Ward) {
        t.finalWards[m] = 1;
        return;
    }
    if (level == AreaLevel::District) {
        auto [first, last] = t.district2Ward[m];
        for (int w = first; w <= last; ++w)
            t.finalWards[w] = 1;
        return;
    }
    const auto below = static_cast<AreaLevel>(static_cast<int>(level) + 1);
    const AreaTables::Level& children = t.level(below);
    for (int c = 1; c <= children.count(); ++c)
        if (children.parents[c] == m)
            markMember(t, below, c);
}

} // namespace

void finalWardSelection(AreaTables& t)
{
    std::fill(t.finalWards.begin(), t.finalWards.end(), 0);
    // The lowest level chosen member by member decides; with none, every ward.
    for (int i = kNumAreaLevels - 1; i >= 0; --i) {
        const auto level = static_cast<AreaLevel>(i);
        const AreaTables::Level& chosen = t.level(level);
        if (chosen.flags[0] != kModeIndividual)
            continue;
        for (int m = 1; m <= chosen.count(); ++m)
            if (chosen.flags[m] == 1)
                markMember(t, level, m);
        return;
    }
    std::fill(t.finalWards.begin() + 1, t.finalWards.end(), 1);
}

#pragma once

#include "base/AreaLevel.h"
#include "base/FixedSizes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/// Mode values kept in element 0 of a level's flag table.
inline constexpr std::uint8_t kModeIndividual = 0;
inline constexpr std::uint8_t kModeAll = 1;
inline constexpr std::uint8_t kModeRebuilding = 2;

/// The area tree of the 1991 Census and the selection state of the five area lists.
/// Every table is indexed by member number from 1; index 0 is the level's "All"
/// entry (names) or its mode (flags). Names, codes and maps are written only by
/// loadAreaTables; the flags, list rows and list states by the cascade and the
/// ward finalisation.
struct AreaTables {
    /// One level of the tree and the state of its list.
    struct Level {
        explicit Level(int count);
        int count() const { return static_cast<int>(names.size()) - 1; }

        std::vector<std::string> names; // element 0: "All"
        std::vector<std::int16_t> parents; // member number one level up; all 0 for countries
        std::vector<std::uint8_t> flags; // element 0: the level's mode
        std::vector<std::int16_t> listPos; // list row of each member, 0 = not listed
        bool listExpanded = false;
    };

    AreaTables();

    Level& level(AreaLevel which) { return levels[static_cast<std::size_t>(which)]; }
    const Level& level(AreaLevel which) const { return levels[static_cast<std::size_t>(which)]; }

    std::array<Level, kNumAreaLevels> levels; // indexed by AreaLevel

    std::vector<std::string> wardCodes; // 1..11499, six characters
    std::vector<std::array<std::int16_t, 2>> district2Ward; // (d, 0) first ward, (d, 1) last ward
    std::array<std::int16_t, 69> onsCounty2Region {}; // census county number 0..67; 68 stays 0
    /// Per ward: ED count, lettered parts per ED, persons, households.
    std::vector<std::array<std::int16_t, 4>> eds2Ward;
    std::vector<std::uint8_t> finalWards; // 1..11499
};

/// Column indices of eds2Ward.
inline constexpr int kEdCount = 0;
inline constexpr int kLetteredParts = 1;
inline constexpr int kPersons = 2;
inline constexpr int kHouseholds = 3;

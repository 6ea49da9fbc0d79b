#pragma once

#include "base/FixedSizes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/// The five levels of the area tree, top down.
enum class AreaLevel { Country = 0, Region, County, District, Ward };
inline constexpr int kNumAreaLevels = 5;

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
    AreaTables();

    std::vector<std::string> countryNames;   // 0..4
    std::vector<std::string> regionNames;    // 0..13
    std::vector<std::string> countyNames;    // 0..68
    std::vector<std::string> districtNames;  // 0..485
    std::vector<std::string> wardNames;      // 0..11499

    std::vector<std::int16_t> region2Country;  // 0..13
    std::vector<std::int16_t> county2Region;   // 0..68
    std::vector<std::int16_t> district2County; // 0..485
    std::vector<std::int16_t> ward2District;   // 0..11499

    std::vector<std::uint8_t> countryFlags;  // element 0: the level's mode
    std::vector<std::uint8_t> regionFlags;
    std::vector<std::uint8_t> countyFlags;
    std::vector<std::uint8_t> districtFlags;
    std::vector<std::uint8_t> wardFlags;

    std::vector<std::int16_t> regionListPos;   // list row of each member, 0 = not listed
    std::vector<std::int16_t> countyListPos;
    std::vector<std::int16_t> districtListPos;
    std::vector<std::int16_t> wardListPos;

    bool countryListExpanded = false;
    bool regionListExpanded = false;
    bool countyListExpanded = false;
    bool districtListExpanded = false;
    bool wardListExpanded = false;

    std::vector<std::string> wardCodes;                      // 1..11499, six characters
    std::vector<std::array<std::int16_t, 2>> district2Ward;  // (d, 0) first ward, (d, 1) last ward
    std::array<std::int16_t, 69> onsCounty2Region{};         // census county number 0..67; 68 stays 0
    /// Per ward: ED count, lettered parts per ED, persons, households.
    std::vector<std::array<std::int16_t, 4>> eds2Ward;
    std::vector<std::uint8_t> finalWards;                    // 1..11499

    /// The pieces of one level, for code that treats the five levels alike.
    struct Level {
        int count = 0;
        std::vector<std::string>* names = nullptr;
        std::vector<std::uint8_t>* flags = nullptr;
        std::vector<std::int16_t>* listPos = nullptr;        // null for countries (member i is row i)
        const std::vector<std::int16_t>* parent = nullptr;   // null for countries
        std::vector<std::uint8_t>* parentFlags = nullptr;    // null for countries
        bool* listExpanded = nullptr;
    };
    Level level(AreaLevel which);
};

/// Column indices of eds2Ward.
inline constexpr int kEdCount = 0;
inline constexpr int kLetteredParts = 1;
inline constexpr int kPersons = 2;
inline constexpr int kHouseholds = 3;

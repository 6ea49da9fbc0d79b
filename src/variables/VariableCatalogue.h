#pragma once

#include "base/FixedSizes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ListBox;
struct DataFolders;

/// The 15 household and 33 individual SAR variables: names (stored with their
/// trailing blanks), output widths, the list row -> variable maps, the default
/// selection and the selection captured at Extract. Indexed by variable number;
/// number 0 is the "(None)   " placeholder, and element 0 of a selection table is 1
/// when any variable of that kind is selected.
struct VariableCatalogue {
    std::array<std::string, kNumHhVars + 1> hhVarNames;
    std::array<std::string, kNumIndVars + 1> indVarNames;
    std::array<std::int16_t, kNumHhVars + 1> hhVarWidths{};
    std::array<std::int16_t, kNumIndVars + 1> indVarWidths{};
    std::array<std::int16_t, kNumHhVars + 1> hhListMap{};    // by list row
    std::array<std::int16_t, kNumIndVars + 1> indListMap{};  // by list row
    std::array<bool, kNumHhVars + 1> hhDefaultVars{};
    std::array<bool, kNumIndVars + 1> indDefaultVars{};
    std::array<std::uint8_t, kNumHhVars + 1> hhSelected{};
    std::array<std::uint8_t, kNumIndVars + 1> indSelected{};
};

/// Household variable numbers the program itself relies on.
inline constexpr int kHhHnum = 1;
inline constexpr int kHhFirstRes = 14;
inline constexpr int kHhLastRes = 15;
inline constexpr int kIndHnum = 1;
inline constexpr int kIndPnum = 2;

/// The built-in names and default flags, with every width, map and selection at 0.
VariableCatalogue builtInVariableCatalogue();

/// Reads VariableMap.dat from programDataFolder. Throws DataFileError on a missing
/// or short file, a number out of 16-bit range, or a list map entry that points
/// outside its half (rows 1..N must map to 1..N, row 0 to 0..N).
VariableCatalogue loadVariableCatalogue(const DataFolders& folders);

/// The names with their trailing blanks removed, as the output header shows them.
std::string trimmedName(const std::string& name);

/// The number of decimal digits of a positive count (1000 gives 4).
int decimalDigits(long value);

/// Fills the two lists, row r showing the variable of list map entry r.
void fillVariableLists(const VariableCatalogue& catalogue, ListBox& hhList, ListBox& indList);

/// Sets the selection flags from the selected rows 1..N of the two lists; row 0 is
/// never looked at.
void captureVariableSelection(VariableCatalogue& catalogue, const ListBox& hhList, const ListBox& indList);

/// The variables selected in rows 1..N of the two lists, by name, household and
/// individual, each in variable number order.
struct VariableNames {
    std::vector<std::string> household;
    std::vector<std::string> individual;
};
VariableNames selectedVariableNames(const VariableCatalogue& catalogue, const ListBox& hhList, const ListBox& indList);

/// Sets the selection flags to exactly the variables named. Throws
/// std::invalid_argument for a name the catalogue does not know: front ends check
/// the names they take from users first.
void selectVariablesByName(
    VariableCatalogue& catalogue, const std::vector<std::string>& household, const std::vector<std::string>& individual);

/// Selects the default variables in rows 1..N of both lists (row 0 keeps its state),
/// with both lists disabled while it runs.
void setDefaultVars(const VariableCatalogue& catalogue, ListBox& hhList, ListBox& indList);

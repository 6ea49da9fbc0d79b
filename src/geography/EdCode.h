#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How enumeration district codes are spelt and where their household files live.
// A ward code is six characters: the census county number (two digits, or "NI"),
// two district letters and two ward letters. An ED code is the ward code, the ED
// number in at least two digits and, for a lettered part, one capital letter.
// Household files sit in Zen91Data, in a folder named by the district letters.

inline constexpr std::size_t kWardCodeLength = 6;

/// The ward whose household files serve every ED of an area selection: ED numbers
/// 1..kSampleWardEds and, for each, lettered parts A..(kSampleWardParts-th letter).
inline constexpr char kSampleWardCode[] = "04BYFA";
inline constexpr int kSampleWardEds = 30;
inline constexpr int kSampleWardParts = 5;

/// The code of ED `edNumber` (from 1) of `wardCode`, and for `partIndex` k >= 1 its
/// k-th lettered part: ("08BYFA", 1, 2) gives "08BYFA01B".
std::string edCode(std::string_view wardCode, int edNumber, int partIndex = 0);

/// The census county number of a ward or ED code: 0 for "NI", else its first two
/// characters as a number; -1 when they are neither two digits nor "NI".
int censusCountyNumber(std::string_view code);

/// True when `code` holds only ASCII letters and digits, the only codes that may
/// become part of a path.
bool isSafeEdCode(std::string_view code);

/// The district letters of a ward or ED code: its third and fourth characters.
/// Expects a code of at least four characters.
std::string_view districtLetters(std::string_view code);

/// The district folder of a code under `populationFolder` (which ends with "/"):
/// its district letters and "/". Expects a safe code of at least
/// four characters.
std::string districtFolderPath(const std::string& populationFolder, std::string_view code);

/// The household file of `code`: its district folder, the code, ".res". Empty when
/// the code is unsafe or too short to name a district folder, since such a code can
/// have no file.
std::optional<std::string> householdFilePath(const std::string& populationFolder, std::string_view code);

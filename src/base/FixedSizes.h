#pragma once

#include <cstdint>

// The fixed table sizes and estimate constants. They never change, so they are
// compile-time constants rather than values stored at start-up.
inline constexpr std::int16_t kNumCountries = 4;
inline constexpr std::int16_t kNumRegions = 13;
inline constexpr std::int16_t kNumCounties = 68;
inline constexpr std::int16_t kNumDistricts = 485;
inline constexpr std::int16_t kNumWards = 11499;
inline constexpr std::int16_t kNumHhVars = 15;
inline constexpr std::int16_t kNumIndVars = 33;

inline constexpr std::int16_t kAssumedHouseholdsPerEd = 150;
inline constexpr std::int16_t kAssumedPersonsPerEd = 250;
inline constexpr std::int32_t kBytesPerMegabyte = 1048576;

inline constexpr std::int32_t kNumSarHouseholds = 1000;
inline constexpr std::int32_t kNumSarPersons = 2514;
/// Capacity of one ED's household list.
inline constexpr std::int32_t kMaxHouseholdsPerEd = 1000;

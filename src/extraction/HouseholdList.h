#pragma once

#include "base/FixedSizes.h"

#include <array>
#include <cstdint>
#include <string>

/// The synthetic households of one ED: up to 1000 SAR household record numbers,
/// in file order, each within 1..kNumSarHouseholds.
class HouseholdList {
public:
    int count() const { return m_count; }
    /// Entry i, from 0.
    std::int32_t operator[](int i) const { return m_rows[static_cast<std::size_t>(i)]; }
    const std::int32_t* begin() const { return m_rows.data(); }
    const std::int32_t* end() const { return m_rows.data() + m_count; }

    /// Replaces the contents with the integers of the per-area household file at
    /// `path` (commas, blanks and line ends separate them; an empty file is an ED
    /// without households). Throws DataFileError naming the file and the value's
    /// line for a missing file, a value that is not an integer, a record number
    /// outside 1..1000, or more than 1000 values.
    void read(const std::string& path);

private:
    std::array<std::int32_t, kMaxHouseholdsPerEd> m_rows {};
    int m_count = 0;
};

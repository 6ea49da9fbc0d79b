#pragma once

#include "base/FixedSizes.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct DataFolders;

/// The SAR household and person records of one extraction, indexed from 1 by
/// record (row) and by field (variable number).
class SarTables {
public:
    SarTables() = default;
    SarTables(int numHouseholds, int numPersons, int hhFields, int indFields);

    int numHouseholds() const { return m_numHouseholds; }
    int numPersons() const { return m_numPersons; }
    int hhFields() const { return m_hhFields; }
    int indFields() const { return m_indFields; }

    std::int32_t household(int row, int field) const { return m_households[row * (m_hhFields + 1) + field]; }
    std::int32_t person(int row, int field) const { return m_persons[row * (m_indFields + 1) + field]; }
    /// Record `row`'s fields, field f at [f], for reading a whole record at once.
    const std::int32_t* householdRecord(int row) const { return &m_households[row * (m_hhFields + 1)]; }
    const std::int32_t* personRecord(int row) const { return &m_persons[row * (m_indFields + 1)]; }
    std::int32_t& household(int row, int field) { return m_households[row * (m_hhFields + 1) + field]; }
    std::int32_t& person(int row, int field) { return m_persons[row * (m_indFields + 1) + field]; }

    /// FirstRes..LastRes of household `row` (its last two fields). Throws
    /// DataFileError naming HHSAR.dat and the record when the range is empty or
    /// leaves 1..numPersons.
    std::pair<int, int> personRange(int row) const;

    /// Where household `row` was read from, for error messages.
    std::string householdPath;
    std::vector<long> householdLines; // line of each household record's first field

private:
    int m_numHouseholds = 0;
    int m_numPersons = 0;
    int m_hhFields = 0;
    int m_indFields = 0;
    std::vector<std::int32_t> m_households;
    std::vector<std::int32_t> m_persons;
};

/// Reads HHSAR.dat and IndSAR.dat from sarDataFolder: numHouseholds x hhFields and
/// numPersons x indFields 32-bit integers in record order; values after the last
/// expected one are not read. Throws DataFileError on a missing or short file or a
/// value that is not a 32-bit integer.
SarTables loadSarTables(const DataFolders& folders, int numHouseholds = kNumSarHouseholds,
    int numPersons = kNumSarPersons, int hhFields = kNumHhVars, int indFields = kNumIndVars);

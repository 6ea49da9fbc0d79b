#include "extraction/StatOutputWriter.h"

#include "extraction/CaseSelector.h"
#include "extraction/HouseholdList.h"
#include "extraction/OutputWriter.h"
#include "extraction/SarTables.h"
#include "base/SpatialCodes.h"

#include <algorithm>
#include <limits>

namespace {

/// The lowest and highest value each column takes anywhere in the SAR tables.
std::vector<std::pair<std::int64_t, std::int64_t>> columnRanges(
    const SarTables& sar, const std::vector<OutputColumn>& columns)
{
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    for (const OutputColumn& column : columns) {
        std::int64_t low = std::numeric_limits<std::int32_t>::max();
        std::int64_t high = std::numeric_limits<std::int32_t>::min();
        if (column.kind == ColumnKind::Household)
            for (int row = 1; row <= sar.numHouseholds(); ++row) {
                low = std::min<std::int64_t>(low, sar.household(row, column.number));
                high = std::max<std::int64_t>(high, sar.household(row, column.number));
            }
        else if (column.kind == ColumnKind::Person)
            for (int row = 1; row <= sar.numPersons(); ++row) {
                low = std::min<std::int64_t>(low, sar.person(row, column.number));
                high = std::max<std::int64_t>(high, sar.person(row, column.number));
            }
        ranges.emplace_back(std::min(low, high), high);
    }
    return ranges;
}

std::unique_ptr<StatFileWriter> openStatFile(LineWriter* out, const SarTables& sar,
    const std::vector<OutputColumn>& columns, StatFormat format, std::int64_t rows, std::int64_t fileTime)
{
    if (!out)
        return nullptr;
    return std::make_unique<StatFileWriter>(
        *out, format, statColumns(columns, columnRanges(sar, columns)), rows, std::string(), fileTime);
}

} // namespace

StatOutputWriter::StatOutputWriter(const SarTables& sar, const AreaTables& areas, const Files& files, StatFormat format,
    LineWriter* householdOut, std::int64_t householdRows, LineWriter* personOut, std::int64_t personRows,
    std::int64_t fileTime, const CaseRows* cases)
    : m_sar(sar)
    , m_areas(areas)
    , m_cases(cases)
    , m_household(
          plan(openStatFile(householdOut, sar, files.household, format, householdRows, fileTime), files.household))
    , m_person(plan(openStatFile(personOut, sar, files.person, format, personRows, fileTime), files.person))
{
}

StatOutputWriter::FilePlan StatOutputWriter::plan(
    std::unique_ptr<StatFileWriter> out, const std::vector<OutputColumn>& columns)
{
    FilePlan file;
    file.out = std::move(out);
    for (const OutputColumn& column : columns) {
        if (column.kind == ColumnKind::Spatial)
            file.spatialCodes.push_back(column.number);
        else
            (column.kind == ColumnKind::Person ? file.personFields : file.householdFields)
                .push_back({ file.householdFields.size() + file.personFields.size(), column.number });
    }
    file.strings.resize(file.spatialCodes.size());
    file.integers.resize(file.householdFields.size() + file.personFields.size());
    return file;
}

void StatOutputWriter::fill(FilePlan& file, const std::vector<FilePlan::Field>& fields, const std::int32_t* record)
{
    for (const FilePlan::Field& field : fields)
        file.integers[field.slot] = record[field.number];
}

// A whole row per call, and a household's values once for all its persons: value
// by value, the dispatch on each column's kind and type cost more than the
// library's own writing.
void StatOutputWriter::writeEdRecords(
    const HouseholdList& households, std::string_view edCode, int countryIndex, int regionIndex)
{
    const auto spatial = spatialCodeValues(m_areas, edCode, countryIndex, regionIndex);
    for (FilePlan* file : { &m_household, &m_person })
        for (std::size_t i = 0; i < file->spatialCodes.size(); ++i)
            file->strings[i] = spatial[static_cast<std::size_t>(file->spatialCodes[i])];
    for (std::int32_t row : households) {
        auto [first, last] = m_sar.personRange(row);
        if (m_cases && !m_cases->household[static_cast<std::size_t>(row)])
            continue;
        const std::int32_t* household = m_sar.householdRecord(row);
        if (m_household.out) {
            fill(m_household, m_household.householdFields, household);
            m_household.out->addRow(m_household.strings, m_household.integers);
        }
        if (m_person.out) {
            fill(m_person, m_person.householdFields, household);
            for (int p = first; p <= last; ++p) {
                if (m_cases && !m_cases->person[static_cast<std::size_t>(p)])
                    continue;
                fill(m_person, m_person.personFields, m_sar.personRecord(p));
                m_person.out->addRow(m_person.strings, m_person.integers);
            }
        }
    }
}

void StatOutputWriter::finish()
{
    if (m_household.out)
        m_household.out->finish();
    if (m_person.out)
        m_person.out->finish();
}

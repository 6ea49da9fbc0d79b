#include "extraction/StatOutputWriter.h"

#include "extraction/HouseholdList.h"
#include "extraction/OutputWriter.h"
#include "extraction/SarTables.h"

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
    const std::vector<OutputColumn>& columns, StatFormat format, std::int64_t rows)
{
    if (!out)
        return nullptr;
    return std::make_unique<StatFileWriter>(*out, format, statColumns(columns, columnRanges(sar, columns)), rows);
}

} // namespace

StatOutputWriter::StatOutputWriter(const SarTables& sar, const AreaTables& areas, const Files& files, StatFormat format,
    LineWriter* householdOut, std::int64_t householdRows, LineWriter* personOut, std::int64_t personRows)
    : m_sar(sar)
    , m_areas(areas)
    , m_files(files)
    , m_householdOut(openStatFile(householdOut, sar, files.household, format, householdRows))
    , m_personOut(openStatFile(personOut, sar, files.person, format, personRows))
{
}

void StatOutputWriter::addValues(
    StatFileWriter& out, const std::vector<OutputColumn>& columns, int household, int person)
{
    for (const OutputColumn& column : columns) {
        switch (column.kind) {
        case ColumnKind::Spatial:
            out.addString(m_spatial[static_cast<std::size_t>(column.number)]);
            break;
        case ColumnKind::Household:
            out.addInteger(m_sar.household(household, column.number));
            break;
        case ColumnKind::Person:
            out.addInteger(m_sar.person(person, column.number));
            break;
        }
    }
    out.endRow();
}

void StatOutputWriter::writeEdRecords(
    const HouseholdList& households, std::string_view edCode, int countryIndex, int regionIndex)
{
    m_spatial = spatialCodeValues(m_areas, edCode, countryIndex, regionIndex);
    for (std::int32_t row : households) {
        auto [first, last] = m_sar.personRange(row);
        if (m_householdOut)
            addValues(*m_householdOut, m_files.household, row, 0);
        if (m_personOut)
            for (int p = first; p <= last; ++p)
                addValues(*m_personOut, m_files.person, row, p);
    }
}

void StatOutputWriter::finish()
{
    if (m_householdOut)
        m_householdOut->finish();
    if (m_personOut)
        m_personOut->finish();
}

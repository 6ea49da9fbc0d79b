#include "extraction/OutputWriter.h"

#include "extraction/CaseSelector.h"
#include "extraction/HouseholdList.h"
#include "extraction/SarTables.h"
#include "formats/CodebookWriter.h"
#include "geography/AreaTables.h"
#include "textio/LineWriter.h"
#include "variables/VariableCatalogue.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>

namespace {

void appendValue(std::string& text, std::int32_t value)
{
    char digits[LineWriter::kMaxIntegerLength];
    text.append(digits, std::to_chars(digits, std::end(digits), value).ptr);
    text += ',';
}

} // namespace

OutputWriter::OutputWriter(const SarTables& sar, const VariableCatalogue& catalogue, const AreaTables& areas,
    const std::array<bool, kNumSpatialCodes>& spatialCodeFlags, bool separateFiles, LineWriter* householdOut,
    LineWriter* personOut, const CaseRows* cases)
    : m_sar(sar)
    , m_catalogue(catalogue)
    , m_areas(areas)
    , m_spatial(spatialCodeFlags)
    , m_separate(separateFiles)
    , m_householdOut(householdOut)
    , m_personOut(personOut)
    , m_cases(cases)
    , m_writeHouseholds(separateFiles && householdOut && catalogue.hhSelected[0] == 1)
    , m_writePersons(personOut && (!separateFiles || catalogue.indSelected[0] == 1))
    , m_cache(static_cast<std::size_t>(sar.numHouseholds()) + 1)
{
    for (int k = 1; k <= kNumHhVars; ++k)
        if (catalogue.hhSelected[k] == 1)
            m_hhFields.push_back(k);
    for (int k = 1; k <= kNumIndVars; ++k)
        if (catalogue.indSelected[k] == 1)
            m_indFields.push_back(k);
}

void OutputWriter::writeHeaderLines()
{
    auto spatialHeaders = [this](LineWriter& out) {
        for (int i = 0; i < kNumSpatialCodes; ++i)
            if (m_spatial[i])
                out.field(kSpatialCodes[i].header);
    };
    if (m_writePersons) {
        spatialHeaders(*m_personOut);
        for (int k : m_indFields)
            m_personOut->field(trimmedName(m_catalogue.indVarNames[k]));
        if (!m_separate)
            for (int k : m_hhFields)
                m_personOut->field(trimmedName(m_catalogue.hhVarNames[k]));
        m_personOut->endLine();
    }
    if (m_writeHouseholds) {
        spatialHeaders(*m_householdOut);
        for (int k : m_hhFields)
            m_householdOut->field(trimmedName(m_catalogue.hhVarNames[k]));
        m_householdOut->endLine();
    }
}

const OutputWriter::HouseholdText& OutputWriter::householdText(int row)
{
    HouseholdText& text = m_cache[static_cast<std::size_t>(row)];
    if (text.ready)
        return text;
    auto [first, last] = m_sar.personRange(row);
    text.ready = true;
    if (m_cases && !m_cases->household[static_cast<std::size_t>(row)]) {
        text.skipped = true;
        return text;
    }
    auto chosen = [this](int p) { return !m_cases || m_cases->person[static_cast<std::size_t>(p)]; };
    std::string householdValues;
    for (int k : m_hhFields)
        appendValue(householdValues, m_sar.household(row, k));
    if (m_writeHouseholds)
        text.householdLine = householdValues + "\r\n";
    if (m_writePersons) {
        for (int p = first; p <= last; ++p) {
            if (!chosen(p))
                continue;
            for (int k : m_indFields)
                appendValue(text.personLines, m_sar.person(p, k));
            if (!m_separate)
                text.personLines += householdValues;
            text.personLines += "\r\n";
            text.personEnds.push_back(static_cast<std::uint32_t>(text.personLines.size()));
        }
    } else {
        for (int p = first; p <= last; ++p)
            if (chosen(p))
                text.personEnds.push_back(0);
    }
    return text;
}

std::array<std::string_view, kNumSpatialCodes> spatialCodeValues(
    const AreaTables& areas, std::string_view code, int countryIndex, int regionIndex)
{
    std::array<std::string_view, kNumSpatialCodes> values;
    auto name = [&](AreaLevel level, int index) {
        const std::vector<std::string>& names = areas.level(level).names;
        return index > 0 && static_cast<std::size_t>(index) < names.size()
            ? std::string_view(names[static_cast<std::size_t>(index)])
            : std::string_view();
    };
    values[kSpatialCountry] = name(AreaLevel::Country, countryIndex);
    values[kSpatialRegion] = name(AreaLevel::Region, regionIndex);
    values[kSpatialCounty] = code.substr(0, 2);
    values[kSpatialDistrict] = code.substr(0, 4);
    values[kSpatialWard] = code.substr(0, 6);
    values[kSpatialEd] = code;
    return values;
}

void OutputWriter::buildPrefix(std::string_view code, int countryIndex, int regionIndex)
{
    m_prefix.clear();
    const std::array<std::string_view, kNumSpatialCodes> values
        = spatialCodeValues(m_areas, code, countryIndex, regionIndex);
    for (int i = 0; i < kNumSpatialCodes; ++i) {
        if (m_spatial[i]) {
            m_prefix += values[i];
            m_prefix += ',';
        }
    }
}

void OutputWriter::writeEdRecords(
    const HouseholdList& households, std::string_view edCode, int countryIndex, int regionIndex)
{
    buildPrefix(edCode, countryIndex, regionIndex);
    const std::string_view prefix = m_prefix;
    for (std::int32_t row : households) {
        const HouseholdText& text = householdText(row);
        if (text.skipped)
            continue;
        ++m_households;
        m_persons += text.personEnds.size();
        if (m_writeHouseholds) {
            m_householdOut->append(prefix);
            m_householdOut->append(text.householdLine);
        }
        if (m_writePersons) {
            if (prefix.empty()) {
                m_personOut->append(text.personLines);
                continue;
            }
            std::string_view lines = text.personLines;
            std::uint32_t start = 0;
            for (std::uint32_t end : text.personEnds) {
                m_personOut->append(prefix);
                m_personOut->append(lines.substr(start, end - start));
                start = end;
            }
        }
    }
}

void addCodeFrequencies(
    CodebookFile& file, const SarTables& sar, const std::vector<std::uint64_t>& householdUses, const CaseRows* cases)
{
    const bool linePerPerson = std::any_of(file.columns.begin(), file.columns.end(),
        [](const OutputColumn& column) { return column.kind == ColumnKind::Person; });
    for (OutputColumn& column : file.columns) {
        if (!isCodedColumn(column))
            continue;
        std::map<std::int32_t, std::uint64_t> counts;
        for (std::size_t h = 1; h < householdUses.size(); ++h) {
            const std::uint64_t uses = householdUses[h];
            if (uses == 0 || (cases && !cases->household[h]))
                continue;
            const int row = static_cast<int>(h);
            if (!linePerPerson) {
                counts[sar.household(row, column.number)] += uses;
                continue;
            }
            auto [first, last] = sar.personRange(row);
            for (int p = first; p <= last; ++p)
                if (!cases || cases->person[static_cast<std::size_t>(p)])
                    counts[column.kind == ColumnKind::Household ? sar.household(row, column.number)
                                                                 : sar.person(p, column.number)]
                        += uses;
        }
        column.frequencies.assign(counts.begin(), counts.end());
    }
}

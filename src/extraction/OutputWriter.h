#pragma once

#include "extraction/ExtractRequest.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class HouseholdList;
class LineWriter;
class SarTables;
struct CaseRows;
struct CodebookFile;
struct AreaTables;
struct VariableCatalogue;

/// The six spatial code values of an ED in output order, each a view into `areas`
/// or `edCode`; `countryIndex` and `regionIndex` of 0 give empty names, and a code
/// shorter than a code level's characters gives the whole code.
std::array<std::string_view, kNumSpatialCodes> spatialCodeValues(
    const AreaTables& areas, std::string_view edCode, int countryIndex, int regionIndex);

/// Fills the frequencies of the coded columns of `file` from `householdUses`, the
/// times each SAR household record (by row) was written: a file with person
/// columns has a line per person, repeating its household's values, a household
/// file a line per household. With `cases`, only the rows it writes are counted.
void addCodeFrequencies(CodebookFile& file, const SarTables& sar, const std::vector<std::uint64_t>& householdUses,
    const CaseRows* cases = nullptr);

/// Writes the header lines and each ED's household, person or combined lines.
///
/// The output is a few thousand distinct SAR record texts repeated behind a spatial
/// prefix, so each household's text (its household line and its person lines, the
/// household values appended in combined mode) is formatted once, on first use,
/// and afterwards only copied. The writers are not owned; in combined mode pass the
/// same writer twice, in separate mode null for a file that is not wanted. With
/// `cases` (not owned), only the households and persons it marks are written.
class OutputWriter {
public:
    OutputWriter(const SarTables& sar, const VariableCatalogue& catalogue, const AreaTables& areas,
        const std::array<bool, kNumSpatialCodes>& spatialCodeFlags, bool separateFiles, LineWriter* householdOut,
        LineWriter* personOut, const CaseRows* cases = nullptr);

    void writeHeaderLines();

    /// All lines of one ED. `countryIndex` and `regionIndex` of 0 give empty
    /// country and region fields. Throws DataFileError for a household whose
    /// FirstRes..LastRes leaves the person table, and for a failed write.
    void writeEdRecords(const HouseholdList& households, std::string_view edCode, int countryIndex, int regionIndex);

    std::uint64_t households() const { return m_households; }
    std::uint64_t persons() const { return m_persons; }

private:
    struct HouseholdText {
        bool ready = false;
        bool skipped = false; // not among the selected cases
        std::string householdLine; // selected household values, CR LF
        std::string personLines; // one line per person, each ending CR LF
        std::vector<std::uint32_t> personEnds;
    };
    const HouseholdText& householdText(int row);
    void buildPrefix(std::string_view edCode, int countryIndex, int regionIndex);

    const SarTables& m_sar;
    const VariableCatalogue& m_catalogue;
    const AreaTables& m_areas;
    std::array<bool, kNumSpatialCodes> m_spatial;
    bool m_separate;
    LineWriter* m_householdOut;
    LineWriter* m_personOut;
    const CaseRows* m_cases;
    bool m_writeHouseholds;
    bool m_writePersons;
    std::vector<int> m_hhFields; // selected household variable numbers, ascending
    std::vector<int> m_indFields; // selected individual variable numbers, ascending
    std::vector<HouseholdText> m_cache;
    std::string m_prefix;
    std::uint64_t m_households = 0;
    std::uint64_t m_persons = 0;
};

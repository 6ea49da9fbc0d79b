#pragma once

#include "formats/OutputColumns.h"
#include "formats/StatFileWriter.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class HouseholdList;
class LineWriter;
class SarTables;
struct AreaTables;
struct CaseRows;
struct VariableCatalogue;

/// The rows and values an OutputWriter writes as CSV, written to statistics files
/// instead: one row per household or person, spatial codes as strings, variables as
/// integers of the type their lowest and highest SAR value fit.
class StatOutputWriter {
public:
    /// The columns of each file, for the writer and the codebook.
    struct Files {
        std::vector<OutputColumn> household; ///< separate files only
        std::vector<OutputColumn> person; ///< person or combined file
    };

    /// `householdOut` (separate files only) and `personOut` may be null for a file
    /// not written; the row counts must be the households and persons to come.
    /// `fileTime` is the time the files say they were written (seconds since 1970).
    /// With `cases` (not owned), only the households and persons it marks are written.
    StatOutputWriter(const SarTables& sar, const AreaTables& areas, const Files& files, StatFormat format,
        LineWriter* householdOut, std::int64_t householdRows, LineWriter* personOut, std::int64_t personRows,
        std::int64_t fileTime, const CaseRows* cases = nullptr);

    void writeEdRecords(const HouseholdList& households, std::string_view edCode, int countryIndex, int regionIndex);
    /// Writes each file's trailer; throws when a row count was not met.
    void finish();

private:
    /// One file's columns resolved once: the spatial code of each string column and
    /// where each integer column's value lies in a SAR record, with the row buffers.
    struct FilePlan {
        std::unique_ptr<StatFileWriter> out;
        struct Field {
            std::size_t slot; ///< place among the file's integers
            int number; ///< field of the SAR record
        };
        std::vector<int> spatialCodes;
        std::vector<Field> householdFields, personFields;
        std::vector<std::string_view> strings;
        std::vector<std::int32_t> integers;
    };
    static FilePlan plan(std::unique_ptr<StatFileWriter> out, const std::vector<OutputColumn>& columns);
    static void fill(FilePlan& file, const std::vector<FilePlan::Field>& fields, const std::int32_t* record);

    const SarTables& m_sar;
    const AreaTables& m_areas;
    const CaseRows* m_cases;
    FilePlan m_household;
    FilePlan m_person;
};

#pragma once

#include "formats/OutputColumns.h"
#include "textio/LineWriter.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

struct readstat_writer_s;
struct readstat_variable_s;

/// SpssCompressed is the .zsav variant: the rows deflated in blocks.
enum class StatFormat { Stata, Spss, SpssCompressed };
enum class StatType { String, Int8, Int16, Int32 };

/// One column of a statistics file.
struct StatColumn {
    std::string name;
    std::string label;
    StatType type = StatType::Int32;
    int stringWidth = 0; ///< bytes a String value may take
    std::vector<std::pair<std::int32_t, std::string>> valueLabels;
};

/// The smallest integer type that holds min..max in both formats (Stata's byte
/// and int stop short of the C ranges: -127..100 and -32767..32740).
StatType fittingIntegerType(std::int64_t min, std::int64_t max);

/// The statistics columns of `columns`: spatial codes as strings of their width,
/// variables as the fitting integer type of `ranges[i]` (the lowest and highest
/// value column i can take; ignored for spatial codes), named by their unique
/// names, with value labels for every single code (ranges stay in the codebook).
std::vector<StatColumn> statColumns(
    const std::vector<OutputColumn>& columns, const std::vector<std::pair<std::int64_t, std::int64_t>>& ranges);

/// Streams one Stata 14 (.dta) or SPSS (.sav) file, row by row, through a fixed
/// buffer, so memory stays flat however many rows are written.
///
/// Both formats record the number of rows in the header, and the library refuses to
/// finish a file whose rows differ from the count it was given, without writing the
/// trailer, so a file cannot be patched afterwards. The caller therefore counts
/// first: an extraction knows its households and persons from the household lists
/// and FirstRes..LastRes alone, without formatting a value, which costs a small
/// fraction of writing them.
///
/// Every failure throws DataFileError naming the path: a system error with its
/// reason, a library error with the column and row it concerns.
class StatFileWriter {
public:
    /// Writes through `out`, a writer the caller owns (such as one of an OutputSet),
    /// which finish() closes. `fileLabel` goes into the file's own label (Stata keeps
    /// 80 bytes). `fileTime` (seconds since 1970, now when absent) is the time the
    /// file says it was written, shown in UTC so that a run gives the same bytes in
    /// every zone.
    StatFileWriter(LineWriter& out, StatFormat format, std::vector<StatColumn> columns, std::int64_t rowCount,
        const std::string& fileLabel = {}, std::optional<std::int64_t> fileTime = {});
    ~StatFileWriter();
    StatFileWriter(const StatFileWriter&) = delete;
    StatFileWriter& operator=(const StatFileWriter&) = delete;

    /// The next row: `strings` fills the string columns and `integers` the integer
    /// columns, each in column order. The per-column checks are resolved once, not
    /// per value.
    void addRow(std::span<const std::string_view> strings, std::span<const std::int32_t> integers);
    /// Writes the trailer and closes the file; throws when the rows written differ
    /// from the count given.
    void finish();

    std::uint64_t bytesWritten() const { return m_out.bytesWritten(); }

private:
    void begin(std::int64_t rowCount, const std::string& fileLabel, std::optional<std::int64_t> fileTime);

    static ssize_t writeBytes(const void* data, std::size_t size, void* self);
    bool failed(int error) const;
    void check(int error, const std::string& what);
    int beginRow();
    void valueRefused(int error, std::size_t column, const std::int32_t* value);

    /// Where column i's value comes from in addRow(): its place in the strings or
    /// the integers, with the values its type holds.
    struct RowSlot {
        readstat_variable_s* variable;
        StatType type;
        std::size_t source;
        std::int32_t low, high; ///< the values the column's type holds
    };

    std::string m_path;
    StatFormat m_format;
    std::vector<StatColumn> m_columns;
    LineWriter& m_out;
    readstat_writer_s* m_writer = nullptr;
    std::vector<RowSlot> m_slots;
    std::size_t m_stringColumns = 0;
    std::vector<std::string> m_rowStrings; // NUL-terminated copies for the library
    std::int64_t m_row = 0;
    std::exception_ptr m_writeError;
};

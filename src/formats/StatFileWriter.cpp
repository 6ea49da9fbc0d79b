#include "formats/StatFileWriter.h"

#include "textio/DataFileError.h"

#include <readstat.h>

#include <ctime>
#include <limits>
#include <mutex>
#include <stdexcept>

namespace {

// Stata keeps at most 80 bytes of a variable or file label.
constexpr std::size_t kStataLabelBytes = 80;

readstat_type_t readstatType(StatType type)
{
    switch (type) {
    case StatType::String:
        return READSTAT_TYPE_STRING;
    case StatType::Int8:
        return READSTAT_TYPE_INT8;
    case StatType::Int16:
        return READSTAT_TYPE_INT16;
    case StatType::Int32:
        break;
    }
    return READSTAT_TYPE_INT32;
}

// Stata's byte and int stop short of the C ranges (the values above are its
// missing codes), so both formats refuse what Stata could not hold.
std::pair<std::int32_t, std::int32_t> integerLimits(StatType type)
{
    switch (type) {
    case StatType::Int8:
        return { -127, 100 };
    case StatType::Int16:
        return { -32767, 32740 };
    default:
        return { std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max() };
    }
}

// The library reads a time's fields with localtime(), whose result the whole process
// shares, when it writes a file's header (at the first row, or at the end of a file
// without rows); files written on two threads take turns there.
std::mutex& headerMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The library writes a time as the local time's fields; this gives the moment whose
// local fields are `seconds`' UTC ones.
std::time_t shownAsUtc(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts {};
    gmtime_r(&time, &parts);
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

} // namespace

StatType fittingIntegerType(std::int64_t min, std::int64_t max)
{
    if (min >= -127 && max <= 100)
        return StatType::Int8;
    if (min >= -32767 && max <= 32740)
        return StatType::Int16;
    if (min >= -2147483647LL && max <= 2147483620LL)
        return StatType::Int32;
    throw std::out_of_range(
        "values " + std::to_string(min) + ".." + std::to_string(max) + " do not fit a 32-bit statistics column");
}

std::vector<StatColumn> statColumns(
    const std::vector<OutputColumn>& columns, const std::vector<std::pair<std::int64_t, std::int64_t>>& ranges)
{
    std::vector<StatColumn> result;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const OutputColumn& column = columns[i];
        StatColumn stat;
        stat.name = column.uniqueName;
        stat.label = column.label;
        if (column.kind == ColumnKind::Spatial) {
            stat.type = StatType::String;
            stat.stringWidth = column.width;
        } else {
            stat.type = fittingIntegerType(ranges.at(i).first, ranges.at(i).second);
            for (const CodeLabel& code : column.codes)
                if (code.low == code.high)
                    stat.valueLabels.emplace_back(code.low, code.meaning);
        }
        result.push_back(std::move(stat));
    }
    return result;
}

StatFileWriter::StatFileWriter(LineWriter& out, StatFormat format, std::vector<StatColumn> columns,
    std::int64_t rowCount, const std::string& fileLabel, std::optional<std::int64_t> fileTime)
    : m_path(out.path())
    , m_format(format)
    , m_columns(std::move(columns))
    , m_out(out)
    , m_writer(readstat_writer_init())
{
    begin(rowCount, fileLabel, fileTime);
}

void StatFileWriter::begin(std::int64_t rowCount, const std::string& fileLabel, std::optional<std::int64_t> fileTime)
{
    if (!m_writer)
        throw std::bad_alloc();
    readstat_set_data_writer(m_writer, &StatFileWriter::writeBytes);
    {
        std::lock_guard<std::mutex> lock(headerMutex());
        check(readstat_writer_set_file_timestamp(m_writer, shownAsUtc(fileTime.value_or(std::time(nullptr)))),
            "setting the file's time");
    }
    const bool stata = m_format == StatFormat::Stata;
    auto label = [stata](const std::string& text) {
        return stata && text.size() > kStataLabelBytes ? text.substr(0, kStataLabelBytes) : text;
    };
    if (!fileLabel.empty())
        check(readstat_writer_set_file_label(m_writer, label(fileLabel).c_str()), "setting the file label");
    for (const StatColumn& column : m_columns) {
        readstat_variable_t* variable = readstat_add_variable(m_writer, column.name.c_str(), readstatType(column.type),
            column.type == StatType::String ? static_cast<std::size_t>(column.stringWidth) : 0);
        readstat_variable_set_label(variable, label(column.label).c_str());
        if (!column.valueLabels.empty()) {
            readstat_label_set_t* set = readstat_add_label_set(m_writer, READSTAT_TYPE_INT32, column.name.c_str());
            for (const auto& [value, text] : column.valueLabels)
                readstat_label_int32_value(set, value, text.c_str());
            readstat_variable_set_label_set(variable, set);
        }
        const bool isString = column.type == StatType::String;
        const auto [low, high] = integerLimits(column.type);
        m_slots.push_back(
            { variable, column.type, isString ? m_stringColumns++ : m_slots.size() - m_stringColumns, low, high });
    }
    m_rowStrings.resize(m_stringColumns);
    if (stata) {
        // Version 118 (Stata 14 and later) stores UTF-8 and names of up to 32 characters.
        check(readstat_writer_set_file_format_version(m_writer, 118), "choosing the Stata version");
        check(readstat_begin_writing_dta(m_writer, this, rowCount), "writing the header");
    } else {
        // SPSS's own row compression stores a small whole number in one byte instead
        // of an eight-byte double: uncompressed, the files were far larger than the
        // CSV and took several times as long to write.
        check(readstat_writer_set_compression(m_writer,
                  m_format == StatFormat::SpssCompressed ? READSTAT_COMPRESS_BINARY : READSTAT_COMPRESS_ROWS),
            "choosing the compression");
        check(readstat_begin_writing_sav(m_writer, this, rowCount), "writing the header");
    }
}

StatFileWriter::~StatFileWriter()
{
    if (m_writer)
        readstat_writer_free(m_writer);
}

ssize_t StatFileWriter::writeBytes(const void* data, std::size_t size, void* self)
{
    auto* writer = static_cast<StatFileWriter*>(self);
    // The library is C: an exception must not pass through it, so it waits here
    // until check() sees the write error it causes.
    try {
        writer->m_out.append(std::string_view(static_cast<const char*>(data), size));
    } catch (...) {
        writer->m_writeError = std::current_exception();
        return -1;
    }
    return static_cast<ssize_t>(size);
}

// The per-value calls build their message only on failure: composing it for every
// value cost the statistics formats several times the CSV's whole extraction time.
bool StatFileWriter::failed(int error) const
{
    return error != READSTAT_OK || m_writeError;
}

void StatFileWriter::check(int error, const std::string& what)
{
    if (m_writeError)
        std::rethrow_exception(m_writeError);
    if (error != READSTAT_OK)
        throw DataFileError(m_path, 0, 0, what + ": " + readstat_error_message(static_cast<readstat_error_t>(error)));
}

int StatFileWriter::beginRow()
{
    if (m_row > 0)
        return readstat_begin_row(m_writer);
    std::lock_guard<std::mutex> lock(headerMutex());
    return readstat_begin_row(m_writer);
}

void StatFileWriter::valueRefused(int error, std::size_t column, const std::int32_t* value)
{
    check(error,
        "column " + m_columns[column].name + ", row " + std::to_string(m_row + 1)
            + (value ? ", value " + std::to_string(*value) : std::string()));
}

void StatFileWriter::addRow(std::span<const std::string_view> strings, std::span<const std::int32_t> integers)
{
    if (strings.size() != m_stringColumns || integers.size() != m_slots.size() - m_stringColumns)
        throw std::logic_error("a row of " + m_path + " given " + std::to_string(strings.size()) + " strings and "
            + std::to_string(integers.size()) + " integers for " + std::to_string(m_stringColumns) + " and "
            + std::to_string(m_slots.size() - m_stringColumns) + " columns");
    if (!m_slots.empty()) {
        const int error = beginRow();
        if (failed(error))
            check(error, "beginning row " + std::to_string(m_row + 1));
    }
    // The limits are checked in column order before any value goes in, so a
    // refusal names the row's first bad value.
    const std::size_t columns = m_slots.size();
    const RowSlot* slots = m_slots.data();
    for (std::size_t i = 0; i < columns; ++i) {
        const RowSlot& slot = slots[i];
        if (slot.type != StatType::String) {
            const std::int32_t value = integers[slot.source];
            if (value < slot.low || value > slot.high)
                valueRefused(READSTAT_ERROR_NUMERIC_VALUE_IS_OUT_OF_RANGE, i, &value);
        }
    }
    for (std::size_t i = 0; i < columns; ++i) {
        const RowSlot& slot = slots[i];
        readstat_error_t error = READSTAT_OK;
        switch (slot.type) {
        case StatType::String: {
            std::string& text = m_rowStrings[slot.source];
            text.assign(strings[slot.source]);
            error = readstat_insert_string_value(m_writer, slot.variable, text.c_str());
            break;
        }
        case StatType::Int8:
            error
                = readstat_insert_int8_value(m_writer, slot.variable, static_cast<std::int8_t>(integers[slot.source]));
            break;
        case StatType::Int16:
            error = readstat_insert_int16_value(
                m_writer, slot.variable, static_cast<std::int16_t>(integers[slot.source]));
            break;
        case StatType::Int32:
            error = readstat_insert_int32_value(m_writer, slot.variable, integers[slot.source]);
            break;
        }
        if (failed(error))
            valueRefused(error, i, slot.type == StatType::String ? nullptr : &integers[slot.source]);
    }
    const int error = readstat_end_row(m_writer);
    if (failed(error))
        check(error, "ending row " + std::to_string(m_row + 1));
    ++m_row;
}

void StatFileWriter::finish()
{
    if (!m_writer)
        return;
    {
        std::unique_lock<std::mutex> lock(headerMutex(), std::defer_lock);
        if (m_row == 0)
            lock.lock();
        check(readstat_end_writing(m_writer), "finishing after " + std::to_string(m_row) + " rows");
    }
    readstat_writer_free(m_writer);
    m_writer = nullptr;
    m_out.close();
}

#include "formats/StatFileWriter.h"

#include "textio/DataFileError.h"
#include "textio/Sha256.h"

#include "ErrorText.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <readstat.h>
#include <span>
#include <stdexcept>
#include <tuple>

namespace {

/// What ReadStat's own reader finds in a file: names, labels, value labels and
/// every value as text.
struct ReadBack {
    std::vector<std::string> names, labels, labelSets;
    std::map<std::string, std::map<long, std::string>> valueLabels; // set -> value -> text
    std::vector<std::vector<std::string>> rows;
};

ReadBack readBack(const std::string& path, StatFormat format)
{
    ReadBack out;
    readstat_parser_t* parser = readstat_parser_init();
    readstat_set_variable_handler(parser, [](int, readstat_variable_t* v, const char* set, void* ctx) {
        const char* label = readstat_variable_get_label(v);
        static_cast<ReadBack*>(ctx)->names.push_back(readstat_variable_get_name(v));
        static_cast<ReadBack*>(ctx)->labels.push_back(label ? label : "");
        static_cast<ReadBack*>(ctx)->labelSets.push_back(set ? set : "");
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_set_value_handler(parser, [](int row, readstat_variable_t*, readstat_value_t value, void* ctx) {
        auto& rows = static_cast<ReadBack*>(ctx)->rows;
        rows.resize(std::max(rows.size(), static_cast<std::size_t>(row) + 1));
        const bool isText = readstat_value_type(value) == READSTAT_TYPE_STRING;
        const char* text = isText ? readstat_string_value(value) : nullptr;
        rows.back().push_back(
            isText ? std::string(text ? text : "") : std::to_string(static_cast<long>(readstat_double_value(value))));
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_set_value_label_handler(parser, [](const char* set, readstat_value_t value, const char* label, void* ctx) {
        static_cast<ReadBack*>(ctx)->valueLabels[set][static_cast<long>(readstat_double_value(value))] = label;
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_error_t error = format == StatFormat::Stata ? readstat_parse_dta(parser, path.c_str(), &out)
                                                         : readstat_parse_sav(parser, path.c_str(), &out);
    readstat_parser_free(parser);
    EXPECT_EQ(error, READSTAT_OK) << readstat_error_message(error);
    return out;
}

std::vector<StatColumn> sampleColumns()
{
    return {
        { "ED", "Enumeration district code", StatType::String, 8, {} },
        { "Bath", "Use of a bath or shower.", StatType::Int8, 0, { { 1, "exclusive use" }, { 2, "shared use" } } },
        { "FirstRes", "Record number of the household's first person in the file of persons, a long label that goes on",
            StatType::Int16, 0, {} },
        { "Big", "", StatType::Int32, 0, { { -9, "not applicable" } } },
    };
}

const std::vector<std::vector<std::string>> kRows = {
    { "08BYFA01", "1", "1", "-9" },
    { "08BY", "100", "32740", "2147483620" },
    { "", "-127", "-32767", "-2147483647" },
};

/// Each format, written value by value and a whole row at a time.
class StatFileWriterTest : public ::testing::TestWithParam<std::tuple<StatFormat, bool>> {
protected:
    StatFormat format() const { return std::get<0>(GetParam()); }
    bool wholeRows() const { return std::get<1>(GetParam()); }

    std::string write(const std::vector<StatColumn>& columns, const std::vector<std::vector<std::string>>& rows,
        std::int64_t rowCount, Sha256* digest = nullptr)
    {
        const std::string path = m_dir.file(std::string("out") + statFileSuffix(format()));
        StatFileWriter writer(path, format(), columns, rowCount, "a file label", digest);
        for (const auto& row : rows) {
            std::vector<std::string_view> strings;
            std::vector<std::int32_t> integers;
            for (std::size_t i = 0; i < row.size(); ++i) {
                const bool isString = columns[i].type == StatType::String;
                if (wholeRows() && isString)
                    strings.push_back(row[i]);
                else if (wholeRows())
                    integers.push_back(std::stoi(row[i]));
                else if (isString)
                    writer.addString(row[i]);
                else
                    writer.addInteger(std::stoi(row[i]));
            }
            if (wholeRows())
                writer.addRow(strings, integers);
            else
                writer.endRow();
        }
        writer.finish();
        return path;
    }
    TempDir m_dir;
};

} // namespace

TEST_P(StatFileWriterTest, ReadsBackRowByRowWithLabelsValueLabelsAndTheDigest)
{
    Sha256 digest;
    const std::string path = write(sampleColumns(), kRows, 3, &digest);
    EXPECT_EQ(digest.finishHex(), sha256OfFile(path)) << "the digest sees exactly the file's bytes";
    const ReadBack back = readBack(path, format());
    EXPECT_EQ(back.names, (std::vector<std::string> { "ED", "Bath", "FirstRes", "Big" }));
    EXPECT_EQ(back.rows, kRows);
    EXPECT_EQ(back.labels[1], "Use of a bath or shower.");
    // Stata keeps 80 bytes of a label; SPSS the whole of it.
    const std::string longLabel = sampleColumns()[2].label;
    EXPECT_EQ(back.labels[2], format() == StatFormat::Stata ? longLabel.substr(0, 80) : longLabel);
    ASSERT_FALSE(back.labelSets[1].empty());
    EXPECT_EQ(back.valueLabels.at(back.labelSets[1]),
        (std::map<long, std::string> { { 1, "exclusive use" }, { 2, "shared use" } }));
    EXPECT_EQ(back.valueLabels.at(back.labelSets[3]).at(-9), "not applicable");
    EXPECT_TRUE(back.labelSets[2].empty());
}

TEST_P(StatFileWriterTest, RowCountsValuesOutOfTheirTypeAndUncreatableFilesAreRefused)
{
    for (std::int64_t count : { 2, 4 }) {
        std::string message = dataFileErrorOf([&] { write(sampleColumns(), kRows, count); });
        EXPECT_NE(message.find("out"), std::string::npos) << message;
        EXPECT_NE(message.find("after 3 rows"), std::string::npos) << message;
    }
    // Each type's first value out of range, the first bad column of a row named.
    std::vector<std::pair<std::vector<std::string>, std::string>> outOfRange = {
        { { "x", "101", "1", "1" }, "column Bath, row 2, value 101" },
        { { "x", "-128", "1", "1" }, "column Bath, row 2, value -128" },
        { { "x", "1", "32741", "1" }, "column FirstRes, row 2, value 32741" },
        { { "x", "1", "-32768", "2147483621" }, "column FirstRes, row 2, value -32768" },
        { { "x", "-200", "40000", "1" }, "column Bath, row 2, value -200" },
    };
    // Only Stata's long stops short of the C range.
    if (format() == StatFormat::Stata)
        outOfRange.push_back({ { "x", "1", "1", "2147483621" }, "column Big, row 2, value 2147483621" });
    for (const auto& [row, expected] : outOfRange) {
        std::string message = dataFileErrorOf([&] { write(sampleColumns(), { kRows[0], row }, 2); });
        EXPECT_NE(message.find(expected), std::string::npos) << message;
    }
    std::string message;
    const std::string path = m_dir.file("missing/out.dta");
    message = dataFileErrorOf([&] { StatFileWriter(path, format(), sampleColumns(), 0); });
    EXPECT_NE(message.find(path), std::string::npos) << message;
}

TEST(StatFileWriterRowTest, RowsOfTheWrongShapeAreRefused)
{
    TempDir dir;
    for (StatFormat format : { StatFormat::Stata, StatFormat::Spss }) {
        StatFileWriter writer(dir.file(std::string("out") + statFileSuffix(format)), format, sampleColumns(), 1);
        const std::vector<std::string_view> strings { "08BY" };
        const std::vector<std::int32_t> integers { 1, 2, 3 };
        EXPECT_THROW(writer.addRow({}, integers), std::logic_error);
        EXPECT_THROW(writer.addRow(strings, std::span(integers).first(2)), std::logic_error);
        EXPECT_THROW(writer.addRow(std::vector<std::string_view> { "a", "b" }, integers), std::logic_error);
        writer.addString("08BY");
        EXPECT_THROW(writer.addRow(strings, integers), std::logic_error) << "a row begun value by value";
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, StatFileWriterTest,
    ::testing::Combine(::testing::Values(StatFormat::Stata, StatFormat::Spss), ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == StatFormat::Stata ? "Stata" : "Spss")
            + (std::get<1>(info.param) ? "WholeRows" : "ValueByValue");
    });

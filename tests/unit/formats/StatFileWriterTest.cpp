#include "formats/StatFileWriter.h"

#include "textio/DataFileError.h"
#include "textio/Sha256.h"

#include "ErrorText.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <readstat.h>

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

class StatFileWriterTest : public ::testing::TestWithParam<StatFormat> {
protected:
    std::string write(const std::vector<StatColumn>& columns, const std::vector<std::vector<std::string>>& rows,
        std::int64_t rowCount, Sha256* digest = nullptr)
    {
        const std::string path = m_dir.file(std::string("out") + statFileSuffix(GetParam()));
        StatFileWriter writer(path, GetParam(), columns, rowCount, "a file label", digest);
        for (const auto& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                if (columns[i].type == StatType::String)
                    writer.addString(row[i]);
                else
                    writer.addInteger(std::stoi(row[i]));
            }
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
    const ReadBack back = readBack(path, GetParam());
    EXPECT_EQ(back.names, (std::vector<std::string> { "ED", "Bath", "FirstRes", "Big" }));
    EXPECT_EQ(back.rows, kRows);
    EXPECT_EQ(back.labels[1], "Use of a bath or shower.");
    // Stata keeps 80 bytes of a label; SPSS the whole of it.
    const std::string longLabel = sampleColumns()[2].label;
    EXPECT_EQ(back.labels[2], GetParam() == StatFormat::Stata ? longLabel.substr(0, 80) : longLabel);
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
    std::string message = dataFileErrorOf([&] { write(sampleColumns(), { { "x", "101", "1", "1" } }, 1); });
    EXPECT_NE(message.find("column Bath, row 1, value 101"), std::string::npos) << message;
    const std::string path = m_dir.file("missing/out.dta");
    message = dataFileErrorOf([&] { StatFileWriter(path, GetParam(), sampleColumns(), 0); });
    EXPECT_NE(message.find(path), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(Formats, StatFileWriterTest, ::testing::Values(StatFormat::Stata, StatFormat::Spss),
    [](const auto& info) { return info.param == StatFormat::Stata ? "Stata" : "Spss"; });

TEST(FittingIntegerType, TakesTheSmallestTypeBothFormatsCanHold)
{
    struct Case {
        std::int64_t min, max;
        StatType type;
    } cases[] = {
        { -127, 100, StatType::Int8 },
        { -128, 0, StatType::Int16 },
        { 0, 101, StatType::Int16 },
        { -32767, 32740, StatType::Int16 },
        { 0, 32741, StatType::Int32 },
        { -32768, 0, StatType::Int32 },
        { -2147483647, 2147483620, StatType::Int32 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(fittingIntegerType(c.min, c.max), c.type) << c.min << ".." << c.max;
    EXPECT_THROW(fittingIntegerType(0, 2147483621LL), std::out_of_range);
}

#include "formats/StatFileWriter.h"

#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "StatReadBack.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

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

/// Each format, written a whole row at a time.
class StatFileWriterTest : public ::testing::TestWithParam<StatFormat> {
protected:
    StatFormat format() const { return GetParam(); }

    std::string write(const std::vector<std::vector<std::string>>& rows, std::int64_t rowCount)
    {
        const std::string path = m_dir.file(std::string(format() == StatFormat::Stata ? "out.dta" : "out.sav"));
        const std::vector<StatColumn> columns = sampleColumns();
        LineWriter out(path);
        StatFileWriter writer(out, format(), columns, rowCount, "a file label");
        for (const auto& row : rows) {
            std::vector<std::string_view> strings;
            std::vector<std::int32_t> integers;
            for (std::size_t i = 0; i < row.size(); ++i) {
                if (columns[i].type == StatType::String)
                    strings.push_back(row[i]);
                else
                    integers.push_back(std::stoi(row[i]));
            }
            writer.addRow(strings, integers);
        }
        writer.finish();
        return path;
    }
    TempDir m_dir;
};

} // namespace

TEST_P(StatFileWriterTest, ReadsBackRowByRowWithLabelsAndValueLabels)
{
    const std::string path = write(kRows, 3);
    const StatReadBack back = readStatFile(path, format());
    EXPECT_EQ(back.names, (std::vector<std::string> { "ED", "Bath", "FirstRes", "Big" }));
    EXPECT_EQ(back.rows, kRows);
    // Stata keeps 80 bytes of a label; SPSS the whole of it.
    const std::string longLabel = sampleColumns()[2].label;
    EXPECT_EQ(back.labels[2], format() == StatFormat::Stata ? longLabel.substr(0, 80) : longLabel);
    EXPECT_EQ(back.valueLabels.at(back.labelSets[1]),
        (std::map<long, std::string> { { 1, "exclusive use" }, { 2, "shared use" } }));
    EXPECT_EQ(back.valueLabels.at(back.labelSets[3]).at(-9), "not applicable");
}

TEST_P(StatFileWriterTest, RowCountsAndValuesOutOfTheirTypeAreRefused)
{
    for (std::int64_t count : { 2, 4 }) {
        std::string message = dataFileErrorOf([&] { write(kRows, count); });
        EXPECT_NE(message.find("out"), std::string::npos) << message;
        EXPECT_NE(message.find("after 3 rows"), std::string::npos) << message;
    }
    // Each type's first value out of range, the first bad column of a row named.
    std::vector<std::pair<std::vector<std::string>, std::string>> outOfRange = {
        { { "x", "101", "1", "1" }, "column Bath, row 2, value 101" },
        { { "x", "1", "-32768", "2147483621" }, "column FirstRes, row 2, value -32768" },
        { { "x", "-200", "40000", "1" }, "column Bath, row 2, value -200" },
    };
    // Only Stata's long stops short of the C range.
    if (format() == StatFormat::Stata)
        outOfRange.push_back({ { "x", "1", "1", "2147483621" }, "column Big, row 2, value 2147483621" });
    for (const auto& [row, expected] : outOfRange) {
        std::string message = dataFileErrorOf([&] { write({ kRows[0], row }, 2); });
        EXPECT_NE(message.find(expected), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, StatFileWriterTest, ::testing::Values(StatFormat::Stata, StatFormat::Spss),
    [](const auto& row) { return std::string(row.param == StatFormat::Stata ? "Stata" : "Spss"); });

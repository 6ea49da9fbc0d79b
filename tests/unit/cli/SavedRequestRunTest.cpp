// Saved requests run again, and the statistics formats against the CSV.

#include "ExtractSession.h"
#include "StatReadBack.h"
#include "ToolRun.h"
#include "request/SavedRequest.h"
#include "textio/Sha256.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace {

/// Rows of values as the CSV writes them: each value followed by a comma, each line by CR LF.
std::string asCsvLines(const std::vector<std::vector<std::string>>& rows)
{
    std::string text;
    for (const auto& row : rows) {
        for (const std::string& value : row)
            text += value + ",";
        text += "\r\n";
    }
    return text;
}

} // namespace

TEST(SavedRequestRun, StatisticsFilesHoldTheRowsAndValuesOfTheCsv)
{
    ExtractSession s;
    for (bool combined : { false, true }) {
        for (const char* format : { "csv", "dta", "sav" }) {
            std::vector<std::string> arguments { "--wards", "08BYFC", "--spatial", "country,region,ward,ed", "--quiet",
                "--output", format, "--format", format };
            // The statistics writers count their rows before writing them: the selected rows.
            if (combined)
                arguments.insert(arguments.end(), { "--combined", "--select", "Age=3-5,8" });
            ASSERT_EQ(runTool(s.dir, arguments).status, 0);
        }
        for (const char* file : combined ? std::vector<const char*> { "_hhind" } : std::vector { "_hh", "_ind" }) {
            const std::string csv = readFile(s.dir.file(std::string("csv/Zen91") + file + ".txt"));
            const std::string expected = csv.substr(csv.find('\n') + 1); // after the header
            ASSERT_GT(std::count(expected.begin(), expected.end(), '\n'), 100);
            for (auto [format, statFormat] : { std::pair { "dta", StatFormat::Stata }, { "sav", StatFormat::Spss } }) {
                const std::string stat = s.dir.file(std::string(format) + "/Zen91" + file + "." + format);
                EXPECT_EQ(asCsvLines(readStatFile(stat, statFormat).rows), expected) << stat;
            }
        }
    }
}

TEST(SavedRequestRun, ARerunIntoAnotherFolderWritesTheSameBytes)
{
    ExtractSession s;
    // What a window's later extraction records: the draws before it. Run one as such.
    runTool(s.dir, { "--wards", "08BYFC", "--output", "fresh", "--quiet" });
    SavedRequest later = readRequestFile(s.dir.file("fresh/Zen91_request.json"));
    later.randomDraws = 7;
    later.run.reset();
    writeRequestFile(s.dir.file("later.json"), later);
    runTool(s.dir, { "--request", "later.json", "--output", "later" });
    EXPECT_NE(readFile(s.dir.file("later/Zen91_hh.txt")), readFile(s.dir.file("fresh/Zen91_hh.txt")))
        << "the later draws give other substitutions";
    s.dir.write("list.txt", "08BYFA01\r\n04BYFA0101\r\nNIAACC01A\r\n08BYFC99\r\n");
    runTool(
        s.dir, { "--ed-list", "list.txt", "--format", "dta", "--spatial", "ward,ed", "--output", "list0", "--quiet" });
    // Recorded as run long ago: a re-run writes that time into its files again.
    SavedRequest old = readRequestFile(s.dir.file("list0/Zen91_request.json"));
    old.run->fileTime = "2001-09-09T01:46:40Z";
    writeRequestFile(s.dir.file("old.json"), old);
    runTool(s.dir, { "--request", "old.json", "--output", "list" });
    EXPECT_NE(readFile(s.dir.file("list/Zen91_hh.dta")).find("09 Sep 2001 01:46"), std::string::npos);
    // Compressed and selected: the request records both, so its re-run compresses and selects too.
    runTool(s.dir,
        { "--wards", "08BYFC", "--output", "packed", "--compress", "--no-scripts", "--quiet", "--select",
            "Tenure=120-124" });
    EXPECT_TRUE(fileExists(s.dir.file("packed/Zen91_ind.txt.gz")));
    EXPECT_FALSE(fileExists(s.dir.file("packed/Zen91_load.R")));
    for (const std::string first : { "later/", "list/", "packed/" }) {
        SCOPED_TRACE(first);
        const SavedRequest request = readRequestFile(s.dir.file(first + "Zen91_request.json"));
        const std::string err = runTool(s.dir, { "--request", first + "Zen91_request.json", "--output", "again" }).err;
        EXPECT_EQ(err.find("differ"), std::string::npos) << err;
        ASSERT_TRUE(request.run);
        for (const OutputFileRecord& file : request.run->outputFiles) {
            const std::string bytes = readFile(s.dir.file(first + file.name));
            EXPECT_EQ(readFile(s.dir.file("again/" + file.name)), bytes) << file.name;
            EXPECT_EQ(file.size, bytes.size());
            EXPECT_EQ(file.sha256, Sha256::of(bytes)) << file.name;
        }
    }
    // A changed ED list still runs, with a note naming it.
    s.dir.write("list.txt", "08BYFA02\r\n");
    const std::string err = runTool(s.dir, { "--request", "list/Zen91_request.json", "--output", "changed" }).err;
    EXPECT_NE(err.find("note: the ED list list.txt differs"), std::string::npos) << err;
}

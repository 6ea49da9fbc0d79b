// Saved requests run again, and the statistics formats against the CSV.

#include "ExtractSession.h"
#include "ToolRun.h"
#include "request/SavedRequest.h"
#include "textio/Sha256.h"

#include <gtest/gtest.h>
#include <readstat.h>
#include <sstream>

namespace {

/// Every value of every row, as text, as ReadStat's reader finds them.
std::vector<std::vector<std::string>> statRows(const std::string& path, bool stata)
{
    std::vector<std::vector<std::string>> rows;
    readstat_parser_t* parser = readstat_parser_init();
    readstat_set_variable_handler(
        parser, [](int, readstat_variable_t*, const char*, void*) { return static_cast<int>(READSTAT_HANDLER_OK); });
    readstat_set_value_handler(parser, [](int row, readstat_variable_t*, readstat_value_t value, void* ctx) {
        auto* r = static_cast<std::vector<std::vector<std::string>>*>(ctx);
        if (static_cast<std::size_t>(row) >= r->size())
            r->emplace_back();
        const char* text = readstat_value_type(value) == READSTAT_TYPE_STRING ? readstat_string_value(value) : nullptr;
        r->back().push_back(readstat_value_type(value) == READSTAT_TYPE_STRING
                ? std::string(text ? text : "")
                : std::to_string(static_cast<long>(readstat_double_value(value))));
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_error_t error
        = stata ? readstat_parse_dta(parser, path.c_str(), &rows) : readstat_parse_sav(parser, path.c_str(), &rows);
    readstat_parser_free(parser);
    EXPECT_EQ(error, READSTAT_OK) << path;
    return rows;
}

/// The CSV's data lines split into fields, the trailing comma's empty field dropped.
std::vector<std::vector<std::string>> csvRows(const std::string& path)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(readFile(path));
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        rows.emplace_back();
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
            rows.back().push_back(line.substr(start, comma - start));
    }
    return rows;
}

} // namespace

TEST(SavedRequestRun, StatisticsFilesHoldTheRowsAndValuesOfTheCsv)
{
    ExtractSession s;
    for (bool combined : { false, true }) {
        std::vector<std::string> common { "--wards", "08BYFC", "--spatial", "country,region,ward,ed", "--quiet" };
        if (combined)
            common.push_back("--combined");
        auto with = [&](std::vector<std::string> more) {
            more.insert(more.begin(), common.begin(), common.end());
            return more;
        };
        ASSERT_EQ(runTool(s.dir, with({ "--output", "csv" })).status, 0);
        for (const char* format : { "dta", "sav" }) {
            SCOPED_TRACE(std::string(format) + (combined ? " combined" : " separate"));
            ASSERT_EQ(runTool(s.dir, with({ "--output", format, "--format", format })).status, 0);
            for (const char* file : { "_hh", "_ind", "_hhind" }) {
                const std::string stat = s.dir.file(std::string(format) + "/Zen91" + file + "." + format);
                if ((std::string(file) == "_hhind") != combined)
                    continue;
                std::vector<std::vector<std::string>> expected
                    = csvRows(s.dir.file(std::string("csv/Zen91") + file + ".txt"));
                ASSERT_GT(expected.size(), 100u);
                EXPECT_EQ(statRows(stat, std::string(format) == "dta"), expected) << stat;
            }
        }
    }
}

TEST(SavedRequestRun, ARerunIntoAnotherFolderWritesTheSameBytes)
{
    ExtractSession s;
    s.dir.write("list.txt", "08BYFA01\r\n04BYFA0101\r\nNIAACC01A\r\n08BYFC99\r\n");
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::uint64_t drawsBefore; ///< set in the request before it is run
    };
    const Row rows[] = {
        { "area with draws", { "--wards", "08BYFC,04BYFA" }, 0 },
        { "not the first extraction", { "--wards", "08BYFC" }, 7 },
        { "counties by code", { "--counties", "County 2,County 18" }, 0 },
        { "ED list, dta", { "--ed-list", "list.txt", "--format", "dta", "--spatial", "ward,ed" }, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> first = row.arguments;
        first.insert(first.end(), { "--output", "first", "--quiet" });
        runTool(s.dir, first);
        SavedRequest request = readRequestFile(s.dir.file("first/Zen91_request.json"));
        ASSERT_TRUE(request.run);
        if (row.drawsBefore > 0) {
            // What a window's later extraction records: run it as such once.
            const std::string fromStart = readFile(s.dir.file("first/" + request.run->outputFiles[0].name));
            request.randomDraws = row.drawsBefore;
            request.run.reset();
            writeRequestFile(s.dir.file("later.json"), request);
            runTool(s.dir, { "--request", "later.json", "--output", "first" });
            request = readRequestFile(s.dir.file("first/Zen91_request.json"));
            EXPECT_EQ(request.randomDraws, row.drawsBefore);
            EXPECT_NE(readFile(s.dir.file("first/" + request.run->outputFiles[0].name)), fromStart)
                << "the later draws give other substitutions";
        }
        const std::string err = runTool(s.dir, { "--request", "first/Zen91_request.json", "--output", "again" }).err;
        EXPECT_EQ(err.find("differ"), std::string::npos) << err;
        for (const OutputFileRecord& file : request.run->outputFiles) {
            const std::string bytes = readFile(s.dir.file("first/" + file.name));
            EXPECT_EQ(readFile(s.dir.file("again/" + file.name)), bytes) << file.name;
            EXPECT_EQ(file.size, bytes.size());
            EXPECT_EQ(file.sha256, Sha256::of(bytes)) << file.name;
        }
    }
    // A changed ED list still runs, with a note naming it.
    s.dir.write("list.txt", "08BYFA02\r\n");
    const std::string err = runTool(s.dir, { "--request", "first/Zen91_request.json", "--output", "changed" }).err;
    EXPECT_NE(err.find("note: the ED list list.txt differs"), std::string::npos) << err;
}

TEST(SavedRequestRun, AnUnknownAreaOrVariableIsNamedWithSuggestions)
{
    ExtractSession s;
    runTool(s.dir, { "--wards", "08BYFA", "--output", "first", "--quiet" });
    SavedRequest request = readRequestFile(s.dir.file("first/Zen91_request.json"));
    request.areas->wards = { "08BYFZ" };
    writeRequestFile(s.dir.file("ward.json"), request);
    request = readRequestFile(s.dir.file("first/Zen91_request.json"));
    request.householdVariables.push_back("cars");
    writeRequestFile(s.dir.file("variable.json"), request);
    ToolRun ward = runTool(s.dir, { "--request", "ward.json" });
    EXPECT_EQ(ward.status, kExitUsage);
    EXPECT_NE(ward.err.find("unknown ward \"08BYFZ\" (did you mean \"08BYFA\""), std::string::npos) << ward.err;
    ToolRun variable = runTool(s.dir, { "--request", "variable.json" });
    EXPECT_EQ(variable.status, kExitUsage);
    EXPECT_NE(variable.err.find("unknown household variable \"cars\" (did you mean \"Cars\"?)"), std::string::npos)
        << variable.err;
}

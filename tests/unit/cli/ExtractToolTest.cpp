// zendra91-extract as scripts use it: options, standard output and error, exit statuses.

#include "ExtractSession.h"
#include "ToolRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

/// Runs the program itself from `dir`.
ToolRun runProgram(const TempDir& dir, const std::string& arguments)
{
    std::string outPath = dir.file("tool.out");
    std::string errPath = dir.file("tool.err");
    std::string command = std::string("cd '") + dir.path() + "' && '" + ZENDRA91_EXTRACT_TOOL + "' " + arguments + " >'"
        + outPath + "' 2>'" + errPath + "'";
    int raw = std::system(command.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

} // namespace

TEST(ExtractTool, WritesTheSameBytesAsTheEngineAndReportsKeys)
{
    ExtractSession s;
    ToolRun run = runTool(s.dir, { "--wards", "08BYFA", "--output", "out", "--root", "R" });
    ASSERT_EQ(run.status, kExitDone) << run.err;
    EXPECT_EQ(
        run.out, "estimate: 0.0 Mb\nhouseholds: 6\npersons: 18\neds: 3\nfile: out/R_hh.txt\nfile: out/R_ind.txt\n");
    EXPECT_EQ(run.err, "zendra91-extract: note: Output folder out/ does not exist.  Create now? Yes\n");
    expectGolden("separate_hh.txt", readFile(s.dir.file("out/R_hh.txt")));
    expectGolden("separate_ind.txt", readFile(s.dir.file("out/R_ind.txt")));
}

TEST(ExtractTool, CombinedUserListWithRejectedCodesExitsThree)
{
    ExtractSession s;
    writeGoldenUserList(s, "list.txt");
    ToolRun run = runTool(s.dir,
        { "--data", ".", "--ed-list", "list.txt", "--combined", "--spatial", "country,region,county,ed", "--quiet" });
    ASSERT_EQ(run.status, kExitRejected) << run.err;
    EXPECT_NE(run.err.find("note: Are you sure that you want HNUM to be inclucded twice  in the output file. Yes"),
        std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("some ED codes were rejected: see ./RejectedEDs.txt"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("eds: 5\n"), std::string::npos) << run.out;
    expectGolden("userlist_hhind.txt", readFile(s.dir.file("Zen91/Zen91_hhind.txt")));
    expectGolden("userlist_RejectedEDs.txt", readFile(s.dir.file("RejectedEDs.txt")));
}

TEST(ExtractTool, UsageErrorsAndRefusalsExitTwoNamingTheProblem)
{
    ExtractSession s;
    struct Row {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Row rows[] = {
        { { "--bogus" }, "unknown option \"--bogus\" (see --help)" },
        { { "--quiet", "leftover" }, "unknown option \"leftover\"" },
        { { "--wards", "08BYFA", "--districts", "1" }, "only one area option may be given" },
        { { "--wards", "1", "--wards", "2" }, "only one area option may be given" },
        { { "--ed-list", "x", "--wards", "1" }, "--ed-list cannot be combined with an area option" },
        { { "--wards", "99999" }, "no ward number 99999 (expected 1..11499)" },
        { { "--counties", "Nowhere" }, "no county named \"Nowhere\"" },
        { { "--wards", "twin ward" },
            "is not unique; give the number or the code of one of:\n  7 " + FixtureData::wardCode(7)
                + " Twin Ward - District 1, County " },
        { { "--counties", "Conty 12" }, "no county named \"Conty 12\"; did you mean: County 12" },
        { { "--wards", "\"Ward 3" }, "not closed" },
        { { "--hh-vars", "HNUM,Bogus" }, "unknown household variable \"Bogus\" (known: HNUM,AreaHH," },
        { { "--ind-vars=Age,\"\"" }, "--ind-vars: empty variable name in \"Age,\"\"\"" },
        { { "--spatial", "ed,planet" }, "--spatial: unknown spatial code \"planet\"" },
        { { "--output" }, "--output: 1 required DIR missing" },
        { { "--dry-run=maybe" }, "dry-run was given a disallowed flag override" },
        { { "--hh-vars", "none", "--ind-vars", "none" }, "No variables selected for output" },
        { { "--ed-list", "missing.txt" }, "User supplied ED list missing.txt does not exist" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.front());
        ToolRun run = runTool(s.dir, row.arguments);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.err.rfind("zendra91-extract: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
}

TEST(ExtractTool, CodesListedTwiceInAnEdListInAnyCaseAreNoted)
{
    ExtractSession s;
    s.dir.write("list.txt",
        "\xEF\xBB\xBF"
        "08byfa01,08BYFA01,08BYFA02\r\n08byfa02\r\n");
    ToolRun run = runTool(s.dir, { "--data", ".", "--ed-list", "list.txt", "--dry-run", "--quiet" });
    EXPECT_NE(run.err.find("note: 2 codes are listed more than once"), std::string::npos) << run.err;
}

TEST(ExtractTool, DryRunCountsAreTheEstimatesAndARunCountsWhatItWrote)
{
    ExtractSession s;
    // The fixture's ward table: 08BYFA 3 EDs, 300 households, 700 persons; 12CDEF one
    // ED of 7 lettered parts, 40 households, 100 persons. Its household files hold
    // fewer: 6 households of 18 persons for 08BYFA.
    s.dir.write("list.txt", "08BYFA01\r\n08byfa02\r\nNOSUCH01\r\n");
    struct Row {
        std::vector<std::string> arguments;
        const char* counts;
    };
    const Row rows[] = {
        { { "--dry-run", "--wards", "08BYFA,12CDEF", "--combined" }, "households: 340\npersons: 800\neds: 10\n" },
        // 150 households and 250 persons for each listed code, rejected ones too.
        { { "--dry-run", "--ed-list", "list.txt" }, "households: 450\npersons: 750\neds: 3\n" },
        { { "--wards", "08BYFA", "--ind-vars", "none", "--output", "out" },
            "households: 6\npersons: 0\neds: 3\nfile: out/Zen91_hh.txt\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments[1]);
        EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty()) << "a dry run writes nothing";
        ToolRun run = runTool(s.dir, row.arguments);
        EXPECT_NE(run.status, kExitUsage) << run.err;
        EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), row.counts);
    }
    // The run record counts what was written, as the command does.
    EXPECT_NE(readFile(s.dir.file("out/Zen91_request.json")).find("\"persons\": 0,"), std::string::npos);
}

TEST(ExtractTool, ProgressBarOnlyOnATerminalAndNotWhenQuiet)
{
    ExtractSession s;
    struct Row {
        bool terminal;
        bool quiet;
        bool bar;
    };
    for (const Row& row : { Row { true, false, true }, Row { true, true, false }, Row { false, false, false } }) {
        SCOPED_TRACE(std::to_string(row.terminal) + std::to_string(row.quiet));
        std::vector<std::string> arguments { "--wards", "08BYFA" };
        if (row.quiet)
            arguments.push_back("--quiet");
        ToolRun run = runTool(s.dir, arguments, row.terminal);
        ASSERT_EQ(run.status, kExitDone) << run.err;
        if (row.bar) {
            EXPECT_EQ(run.err.rfind("\r[", 0), 0u) << run.err;
            std::string last = "\r[" + std::string(40, '#') + "] 100% 3/3 EDs\n";
            EXPECT_EQ(run.err.substr(run.err.size() - last.size()), last) << run.err;
        } else {
            EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;
        }
    }
}

TEST(ExtractTool, HelpGoesToStandardOutputWhateverElseIsGiven)
{
    ExtractSession s;
    ToolRun help = runTool(s.dir, { "--data", "nowhere", "-h" });
    EXPECT_EQ(help.status, kExitDone);
    EXPECT_TRUE(help.err.empty()) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: zendra91-extract [--data DIR] [AREAS] [--ed-list FILE]", 0), 0u) << help.out;
}

// The program itself: what scripts see of the four exit statuses, with the same
// output as in process.
TEST(ExtractTool, ProgramExitStatusesAndDataErrors)
{
    ExtractSession s;
    writeGoldenUserList(s, "list.txt");
    s.dir.write("Zen91Data/BY/04BYFA01.res", "1,abc\r\n");
    struct Row {
        const char* arguments;
        int status;
        const char* message;
    };
    const Row rows[] = {
        { "--dry-run --wards 2", kExitDone, "" },
        { "--bogus", kExitUsage, "unknown option" },
        { "--wards 1", kExitDataError, "04BYFA01.res:1: field 2" },
        { "--data nowhere", kExitDataError, "cannot open file nowhere/ProgramData/County_Names.dat" },
        { "--ed-list list.txt --quiet", kExitRejected, "some ED codes were rejected" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty()) << "only the last row writes";
        ToolRun program = runProgram(s.dir, row.arguments);
        EXPECT_EQ(program.status, row.status) << program.err;
        EXPECT_NE(program.err.find(row.message), std::string::npos) << program.err;
    }
    ToolRun program = runProgram(s.dir, "--dry-run --wards 2");
    ToolRun inProcess = runTool(s.dir, { "--dry-run", "--wards", "2" });
    EXPECT_EQ(program.out, inProcess.out);
    EXPECT_EQ(program.err, inProcess.err);
}

TEST(ExtractTool, ListsAreasAsCsvWithTheirParentsAndWritesNothing)
{
    ExtractSession s;
    // A name with a comma is quoted; parents come nearest first.
    s.dir.write(
        "ProgramData/Ward_Names.dat", readFile(s.dir.file("ProgramData/Ward_Names.dat")).replace(0, 6, "\"A, B\""));
    ToolRun wards = runTool(s.dir, { "--list", "wards", "--match", "a, b" });
    EXPECT_EQ(wards.status, kExitDone) << wards.err;
    EXPECT_EQ(wards.out,
        "number,code,name,district,county,region,country\n"
        "1,08BYFA,\"A, B\",District 1,County 1,East Anglia,England\n");
    ToolRun counties = runTool(s.dir, { "--list", "counties", "--match", "08" });
    EXPECT_EQ(counties.out.substr(0, counties.out.find('\n')), "number,code,name,region,country");
    EXPECT_NE(counties.out.find("\n1,08,County 1,East Anglia,England\n"), std::string::npos) << counties.out;
    EXPECT_EQ(runTool(s.dir, { "--list", "countries" }).out.size(),
        std::string("number,code,name\n1,,England\n2,,Scotland\n3,,Wales\n4,,Northern Ireland\n").size());
    EXPECT_EQ(runTool(s.dir, { "--list", "parishes" }).status, kExitUsage);
    EXPECT_EQ(runTool(s.dir, { "--match", "x" }).status, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("Zen91/Zen91_hh.txt")));
}

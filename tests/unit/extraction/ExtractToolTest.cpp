// zendra91-extract as scripts use it: options, standard output, exit statuses.

#include "ExtractSession.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun runTool(const TempDir& dir, const std::string& arguments)
{
    std::string outPath = dir.file("tool.out");
    std::string errPath = dir.file("tool.err");
    std::string command = std::string("cd '") + dir.path() + "' && '" + ZENDRA91_EXTRACT_TOOL + "' " + arguments
        + " >'" + outPath + "' 2>'" + errPath + "'";
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
    ToolRun run = runTool(s.dir, "--wards 08BYFA --output out --root R");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "estimate: 0.0 Mb\nhouseholds: 6\npersons: 18\neds: 3\nfile: out/R_hh.txt\nfile: out/R_ind.txt\n");
    EXPECT_NE(run.err.find("note: Output folder out/ does not exist.  Create now? Yes"), std::string::npos) << run.err;
    expectGolden("separate_hh.txt", readFile(s.dir.file("out/R_hh.txt")));
    expectGolden("separate_ind.txt", readFile(s.dir.file("out/R_ind.txt")));
    EXPECT_TRUE(run.err.find('\r') == std::string::npos) << "no progress bar when standard error is no terminal";
}

TEST(ExtractTool, CombinedUserListWithRejectedCodesExitsThree)
{
    ExtractSession s;
    writeGoldenUserList(s, "list.txt");
    ToolRun run = runTool(s.dir, "--data . --ed-list list.txt --combined --spatial country,region,county,ed --quiet");
    ASSERT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find("note: Are you sure that you want HNUM to be inclucded twice  in the output file. Yes"),
              std::string::npos) << run.err;
    EXPECT_NE(run.out.find("eds: 5\n"), std::string::npos) << run.out;
    expectGolden("userlist_hhind.txt", readFile(s.dir.file("Zen91/Zen91_hhind.txt")));
    expectGolden("userlist_RejectedEDs.txt", readFile(s.dir.file("RejectedEDs.txt")));
}

TEST(ExtractTool, UsageErrorsAndRefusalsExitTwoNamingTheProblem)
{
    ExtractSession s;
    struct Row {
        const char* arguments;
        const char* message;
    };
    const Row rows[] = {
        {"--bogus", "unknown option \"--bogus\""},
        {"--wards 08BYFA --districts 1", "only one area option"},
        {"--ed-list x --wards 1", "--ed-list cannot be combined"},
        {"--wards 99999", "no ward number 99999 (expected 1..11499)"},
        {"--counties Nowhere", "no county named \"Nowhere\""},
        {"--wards 'Twin Ward'", "the ward name \"Twin Ward\" is not unique; give one of the numbers 7 ("},
        {"--hh-vars HNUM,Bogus", "unknown household variable \"Bogus\""},
        {"--spatial ed,planet", "unknown spatial code \"planet\""},
        {"--output", "--output needs a value"},
        {"--hh-vars none --ind-vars none", "No variables selected for output"},
        {"--ed-list missing.txt", "User supplied ED list"},
    };
    for (const Row& row : rows) {
        ToolRun run = runTool(s.dir, row.arguments);
        EXPECT_EQ(run.status, 2) << row.arguments;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.arguments << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << row.arguments;
    }
}

TEST(ExtractTool, DataErrorsExitOneAndDryRunWritesNothing)
{
    ExtractSession s;
    ToolRun missing = runTool(s.dir, "--data nowhere");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open file nowhere/ProgramData/County_Names.dat"), std::string::npos)
        << missing.err;

    s.dir.write("Zen91Data/BY/04BYFA01.res", "1,abc\r\n");
    ToolRun bad = runTool(s.dir, "--wards 1");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("04BYFA01.res:1: field 2"), std::string::npos) << bad.err;
    EXPECT_FALSE(fileExists(s.dir.file("Zen91/Zen91_hh.txt")));

    ToolRun dry = runTool(s.dir, "--dry-run --districts 'District 1',2 --combined --ind-vars Age");
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out.rfind("estimate: ", 0), 0u) << dry.out;
    EXPECT_EQ(dry.out.find("file:"), std::string::npos);
    EXPECT_FALSE(fileExists(s.dir.file("Zen91/Zen91_hhind.txt")));
}

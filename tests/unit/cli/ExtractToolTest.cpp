// zendra91-extract as scripts use it: options, standard output and error, exit
// statuses, and what it leaves when it is refused or interrupted.

#include "ExtractSession.h"
#include "ToolRun.h"

#include "fileio/OutputLock.h"
#include "request/SavedRequest.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(ExtractTool, WritesTheSameBytesAsTheEngineReportsKeysAndDrawsABarOnATerminal)
{
    ExtractSession s;
    // A repeated option takes its last value.
    ToolRun run = runTool(s.dir, { "--root", "X", "--wards", "08BYFA", "--output", "out", "--root", "R" });
    ASSERT_EQ(run.status, kExitDone) << run.err;
    EXPECT_EQ(
        run.out, "estimate: 0.0 Mb\nhouseholds: 6\npersons: 18\neds: 3\nfile: out/R_hh.txt\nfile: out/R_ind.txt\n");
    EXPECT_EQ(run.err, "zendra91-extract: note: Output folder out/ does not exist.  Create now? Yes\n");
    expectGolden("separate_hh.txt", readFile(s.dir.file("out/R_hh.txt")));
    expectGolden("separate_ind.txt", readFile(s.dir.file("out/R_ind.txt")));

    // Not on a terminal, as above, or with --quiet, no progress bar is drawn.
    const std::string bar = "\r[" + std::string(40, '#') + "] 100% 3/3 EDs\n";
    const std::string err = runTool(s.dir, { "--wards", "08BYFA" }, true).err;
    EXPECT_TRUE(err.starts_with("\r[") && err.ends_with(bar)) << err;
    const std::string quiet = runTool(s.dir, { "--wards", "08BYFA", "--quiet" }, true).err;
    EXPECT_EQ(quiet.find('\r'), std::string::npos) << quiet;
}

TEST(ExtractTool, UsageErrorsAndRefusalsExitTwoNamingTheProblem)
{
    ExtractSession s;
    struct Row {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Row rows[] = {
        { { "--quiet", "leftover" }, "unknown option \"leftover\" (see --help)" },
        { { "--wards", "08BYFA", "--districts", "1" },
            "only one area option may be given, found --districts and --wards" },
        { { "--wards", "08BYFA", "--counties", "2", "--wards", "1", "--regions", "1" },
            "only one area option may be given, found --regions, --counties and --wards 2 times" },
        { { "--ed-list", "x", "--wards", "1" }, "--ed-list cannot be combined with an area option" },
        { { "--wards", "99999" }, "no ward number 99999 (expected 1..11499)" },
        { { "--wards", "twin ward" },
            "is not unique; give the number or the code of one of:\n  7 " + FixtureData::wardCode(7)
                + " Twin Ward - District 1, County " },
        { { "--counties", "Conty 12" }, "no county named \"Conty 12\"; did you mean: County 12" },
        { { "--wards", "\"Ward 3" }, "not closed" },
        { { "--hh-vars", "HNUM,Bogus" }, "unknown household variable \"Bogus\" (known: HNUM,AreaHH," },
        { { "--ind-vars=Age,\"\"" }, "--ind-vars: empty variable name in \"Age,\"\"\"" },
        { { "--spatial", "ed,planet" }, "--spatial: unknown spatial code \"planet\"" },
        { { "--ed-list", "missing.txt" }, "User supplied ED list missing.txt does not exist" },
        { { "--request", "cars.json" }, "cars.json: unknown household variable \"cars\" (did you mean \"Cars\"?)" },
        { { "--list", "parishes" }, "--list: unknown level \"parishes\"" },
        { { "--match", "x" }, "--match goes with --list" },
        { { "--select", "Agee=3" }, "the condition Agee=3: unknown variable \"Agee\"; household variables: HNUM" },
        { { "--select", "Age=12" }, "the condition Age=12: Age takes no code 12; its codes are -5, 0-9" },
        { { "--select", "Tenure=1-99" }, "Tenure takes no code 1-99; its codes are 120-129" },
        { { "--select", "Age=9-2" }, "--select: the condition \"Age=9-2\": the range 9-2 runs backwards" },
        { { "--select", "Age=1", "--select", "AGE=2" }, "Age has a condition already" },
        { { "--whole-households" }, "--whole-households goes with --select" },
        { { "--select", "Age=12", "--table", "Sex" }, "Age takes no code 12" },
        { { "--table", "Agge" }, "unknown variable or level \"Agge\"; a persons table takes HNUM,PNUM,Age," },
        { { "--table", "Tenure,Age", "--count", "households" },
            "\"Age\" is a person variable; a households table takes HNUM,AreaHH," },
        { { "--table", "a,b,c" }, "--table: expected ROWS or ROWS,COLUMNS" },
        { { "--table", "Age", "--output", "x" }, "--output cannot be combined with --table" },
        { { "--count", "households" }, "--count goes with --table" },
        { { "--table", "Age", "--count", "families" }, "--count: unknown unit \"families\"" },
        { { "--table", "Age", "--ed-list", "missing.txt" }, "missing.txt does not exist" },
    };
    SavedRequest unknownVariable;
    unknownVariable.areas = AreaChoiceRecord {};
    unknownVariable.householdVariables = { "cars" };
    writeRequestFile(s.dir.file("cars.json"), unknownVariable);
    const std::vector<std::string> before = filesIn(s.dir.path());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.front());
        ToolRun run = runTool(s.dir, row.arguments);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_EQ(filesIn(s.dir.path()), before);
    }
}

TEST(ExtractTool, DryRunCountsTheEstimatesARunWhatItWroteAndListingWritesNothing)
{
    ExtractSession s;
    // The fixture's ward table: 08BYFA 3 EDs, 300 households, 700 persons; 12CDEF one
    // ED of 7 lettered parts, 40 households, 100 persons. Its household files hold
    // fewer: 6 households of 18 persons for 08BYFA.
    const std::string dry = runTool(s.dir, { "--dry-run", "--wards", "08BYFA,12CDEF", "--output", "a/b" }).out;
    EXPECT_EQ(dry.substr(dry.find('\n') + 1), "households: 340\npersons: 800\neds: 10\n");
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("a"))) << "a dry run writes nothing";
    const std::string run = runTool(s.dir, { "--wards", "08BYFA", "--ind-vars", "none", "--output", "out" }).out;
    EXPECT_EQ(run.substr(run.find('\n') + 1), "households: 6\npersons: 0\neds: 3\nfile: out/Zen91_hh.txt\n");
    // The run record counts what was written, as the command does.
    EXPECT_NE(readFile(s.dir.file("out/Zen91_request.json")).find("\"persons\": 0,"), std::string::npos);

    s.dir.write("list.txt", "08BYFA01\r\n08byfa01\r\n");
    const std::string note = runTool(s.dir, { "--dry-run", "--ed-list", "list.txt" }).err;
    EXPECT_NE(note.find("note: 1 code is listed more than once"), std::string::npos) << note;

    // Areas listed as CSV: a name with a comma is quoted; parents come nearest first.
    s.dir.write(
        "ProgramData/Ward_Names.dat", readFile(s.dir.file("ProgramData/Ward_Names.dat")).replace(0, 6, "\"A, B\""));
    EXPECT_EQ(runTool(s.dir, { "--list", "wards", "--match", "a, b" }).out,
        "number,code,name,district,county,region,country\n"
        "1,08BYFA,\"A, B\",District 1,County 1,East Anglia,England\n");
    EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty()) << "listing extracts nothing";
}

// What scripts see of its exit statuses; the user list's files are compared with
// the golden ones.
TEST(ExtractTool, ExitStatusesDataErrorsAndTheUserListsFiles)
{
    ExtractSession s;
    writeGoldenUserList(s, "list.txt");
    s.dir.write("Zen91Data/BY/04BYFA01.res", "1,abc\r\n");
    struct Row {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Row rows[] = {
        // Help goes to standard output, before the data is read.
        { { "--data", "nowhere", "-h" }, kExitDone, "Usage: zendra91-extract [--data DIR] [AREAS] [--ed-list FILE]" },
        { { "--wards", "1" }, kExitDataError, "04BYFA01.res:1: field 2" },
        { { "--ed-list", "Zen91Data" }, kExitDataError, "Zen91Data: is a folder, not a text file of ED codes" },
        { { "--data", ".", "--ed-list", "list.txt", "--combined", "--spatial", "country,region,county,ed", "--quiet" },
            kExitRejected, "some ED codes were rejected: see ./RejectedEDs.txt" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        ToolRun run = runTool(s.dir, row.arguments);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE((row.status == kExitDone ? run.out : run.err).find(row.message), std::string::npos) << run.err;
    }
    expectGolden("userlist_hhind.txt", readFile(s.dir.file("Zen91/Zen91_hhind.txt")));
    expectGolden("userlist_RejectedEDs.txt", readFile(s.dir.file("RejectedEDs.txt")));
}

TEST(ExtractTool, ReplacingIsNotedAnInterruptChangesNothingAndABusyFolderExitsOne)
{
    ExtractSession s;
    const std::string hh = s.dir.write("Zen91/Zen91_hh.txt", "earlier\r\n");
    const std::string ind = s.dir.write("Zen91/Zen91_ind.txt", "earlier\r\n");
    std::atomic<bool> cancel { true };
    ToolRun run = runTool(s.dir, { "--wards", "1" }, false, &cancel);
    EXPECT_EQ(run.status, kExitCancelled);
    EXPECT_EQ(run.err,
        "zendra91-extract: note: replacing " + hh + ", " + ind
            + "\nzendra91-extract: Extraction cancelled: no output file was changed.\n");
    EXPECT_EQ(readFile(hh), "earlier\r\n");
    EXPECT_EQ(filesIn(s.dir.file("Zen91")), (std::vector<std::string> { "Zen91_hh.txt", "Zen91_ind.txt" }));

    std::optional<OutputLock> other = OutputLock::tryAcquire(s.dir.file("Zen91"), "Zen91");
    ToolRun busy = runTool(s.dir, { "--wards", "1" });
    EXPECT_EQ(busy.status, kExitDataError);
    EXPECT_NE(busy.err.find("Another extraction is writing into"), std::string::npos) << busy.err;
}

// zendra91-extract's refusals before writing, its note on replacing files, and an
// interrupted run.

#include "ExtractSession.h"
#include "ToolRun.h"

#include "fileio/OutputLock.h"

#include <gtest/gtest.h>

TEST(ExtractToolSafety, RefusalsBeforeWritingCreateNothing)
{
    ExtractSession s;
    struct Row {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Row rows[] = {
        { { "--wards", "1", "--root", "../x" }, kExitUsage, "The root file name \"../x\" holds \"/\"" },
        { { "--wards", "1", "--output", "a/b/c", "--dry-run" }, kExitDone, "" },
        { { "--wards", "1", "--output", "plain" }, kExitUsage, "Output folder plain/ is a file, not a folder." },
    };
    s.dir.write("plain", "x");
    const std::vector<std::string> before = filesIn(s.dir.path());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.back());
        ToolRun run = runTool(s.dir, row.arguments);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_EQ(filesIn(s.dir.path()), before);
        EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
    }
}

TEST(ExtractToolSafety, ReplacingIsNotedAndABusyFolderExitsOne)
{
    ExtractSession s;
    ASSERT_EQ(runTool(s.dir, { "--wards", "1" }).status, kExitDone);
    ToolRun again = runTool(s.dir, { "--wards", "1" });
    EXPECT_EQ(again.status, kExitDone);
    EXPECT_EQ(again.err,
        "zendra91-extract: note: replacing " + s.dir.file("Zen91/Zen91_hh.txt") + ", "
            + s.dir.file("Zen91/Zen91_ind.txt") + "\n");

    std::optional<OutputLock> other = OutputLock::tryAcquire(s.dir.file("Zen91"), "Zen91");
    ToolRun busy = runTool(s.dir, { "--wards", "1" });
    EXPECT_EQ(busy.status, kExitDataError);
    EXPECT_NE(busy.err.find("Another extraction is writing into"), std::string::npos) << busy.err;
}

TEST(ExtractToolSafety, AnInterruptLeavesTheEarlierFilesAndSaysSoOnOneLine)
{
    ExtractSession s;
    s.dir.write("Zen91/Zen91_hh.txt", "earlier\r\n");
    std::atomic<bool> cancel { true };
    ToolRun run = runTool(s.dir, { "--wards", "1" }, false, &cancel);
    EXPECT_EQ(run.status, kExitCancelled);
    EXPECT_EQ(run.err,
        "zendra91-extract: note: replacing " + s.dir.file("Zen91/Zen91_hh.txt")
            + "\nzendra91-extract: Extraction cancelled: no output file was changed.\n");
    EXPECT_EQ(readFile(s.dir.file("Zen91/Zen91_hh.txt")), "earlier\r\n");
    EXPECT_EQ(filesIn(s.dir.file("Zen91")), std::vector<std::string> { "Zen91_hh.txt" });
}

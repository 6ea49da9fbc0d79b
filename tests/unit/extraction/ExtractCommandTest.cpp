// The order of the Extract command's checks, its questions, and its failures.

#include "ExtractSession.h"

#include "extraction/ExtractionDriver.h"

#include <functional>
#include <thread>
#include <utility>
#include <gtest/gtest.h>

// Each refusal is one message, before any output file or folder is made; only an
// empty variable choice comes after the user list's report.
TEST(ExtractCommand, RefusalsShowOneMessageAndCreateNothing)
{
    struct Row {
        const char* asked;
        std::function<void(ExtractSession&)> setup;
        bool reportWritten = false;
    };
    const Row rows[] = {
        { "M1",
            [](ExtractSession& s) {
                s.useEdList(s.dir.file("nothing.txt"));
            } },
        { "M3",
            [](ExtractSession& s) {
                s.useEdList(s.dir.write("EDlist.txt", "BYFA01\r\n"));
                s.choices.separateFiles = false;
                s.settings.outputFolder = s.dir.file("Zen91");
                s.hhList.selectOnly({});
                s.indList.selectOnly({});
                s.hhList.selected[0] = s.indList.selected[0] = true; // "(None)" counts for nothing
            },
            true },
        { "RootNameRefused", [](ExtractSession& s) { s.settings.rootFileName = "a\x1b[31m"; } },
        { "M2", [](ExtractSession& s) { s.dialogs.script("M2=No"); } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.asked);
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard3Eds });
        s.settings.outputFolder = s.dir.file("new");
        row.setup(s);
        EXPECT_EQ(s.extract().status, ExtractStatus::Cancelled);
        EXPECT_EQ(s.dialogs.asked(), row.asked);
        EXPECT_EQ(fileExists(s.dir.file("RejectedEDs.txt")), row.reportWritten);
        EXPECT_FALSE(fileExists(s.dir.file("new")));
        EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
    }
}

TEST(ExtractCommand, CombinedFileQuestions)
{
    using enum ExtractStatus;
    struct Row {
        const char* name;
        std::vector<std::string> hh, ind;
        const char* answers;
        const char* asked;
        ExtractStatus status;
        const char* file; // besides the codebook, the loading scripts and the request
        bool separateAfter;
        bool reversedMap = false;
    };
    // The HNUM question looks at row 1 of both lists, where HNUM stands unless the
    // list map says otherwise; reversed, row 1 shows LastRes and WorkPlce.
    const Row rows[] = {
        { "household only, Yes", { "HNUM" }, {}, "", "M4", Done, "Zen91_hh.txt", true },
        { "household only, No", { "HNUM" }, {}, "M4=No", "M4", Cancelled, nullptr, false },
        { "individual only, Yes", {}, { "Age" }, "", "M5", Done, "Zen91_ind.txt", true },
        { "individual only, No", {}, { "Age" }, "M5=No", "M5", Cancelled, nullptr, false },
        { "HNUM twice, No", { "HNUM" }, { "HNUM" }, "M6=No", "M6", Cancelled, nullptr, false },
        { "HNUM twice, Yes", { "HNUM" }, { "HNUM" }, "", "M6", Done, "Zen91_hhind.txt", false },
        { "no household HNUM", { "Cars" }, { "HNUM" }, "", "", Done, "Zen91_hhind.txt", false },
        { "no individual HNUM", { "HNUM" }, { "Age" }, "", "", Done, "Zen91_hhind.txt", false },
        { "reversed map, row 1 twice", { "LastRes" }, { "WorkPlce" }, "M6=No", "M6", Cancelled, nullptr, false, true },
        { "reversed map, HNUM off row 1", { "HNUM" }, { "HNUM" }, "", "", Done, "Zen91_hhind.txt", false, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExtractSession s(row.reversedMap);
        s.chooseWards({ FixtureData::kWard3Eds });
        s.choices.separateFiles = false;
        s.settings.separateFiles = false;
        s.hhList.selectOnly(row.hh);
        s.indList.selectOnly(row.ind);
        s.dialogs.script(row.answers);
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(s.dialogs.asked(), row.asked);
        EXPECT_EQ(outcome.status, row.status);
        const std::vector<std::string> files { "Zen91_codebook.csv", row.file ? row.file : "", "Zen91_load.R",
            "Zen91_load.do", "Zen91_load.py", "Zen91_load.sps", "Zen91_request.json" };
        EXPECT_EQ(filesIn(s.dir.file("Zen91")), row.file ? files : std::vector<std::string> {});
        EXPECT_EQ(s.settings.separateFiles, row.separateAfter);
    }
}

TEST(ExtractCommand, SizeWarningAndThresholdsThatAreNotPlainDecimals)
{
    // The 120-ED ward: 9000 households and 20000 persons, well above 1 Mb with the defaults.
    struct Row {
        const char* threshold;
        const char* answers;
        const char* asked;
        ExtractStatus status;
    };
    const Row rows[] = {
        { "1", "M7=No", "M7", ExtractStatus::Cancelled },
        { " 1000 ", "", "", ExtractStatus::Done },
        { "abc", "", "ThresholdNotANumber", ExtractStatus::Cancelled },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.threshold);
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard120Eds });
        s.choices.sizeWarningThreshold = row.threshold;
        s.dialogs.script(row.answers);
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(s.dialogs.asked(), row.asked);
        EXPECT_EQ(outcome.status, row.status);
        if (std::string(row.asked) == "M7") {
            EXPECT_EQ(s.dialogs.shown[0].text(),
                "Warning: Estimated output file size\r> " + outcome.estimate.text
                    + " Mb\r\rDo you still wish to proceed?");
        }
    }
    // Only plain decimals are thresholds.
    EXPECT_EQ(parseThreshold("2.5"), 2.5);
    EXPECT_EQ(parseThreshold(".5"), 0.5);
    EXPECT_EQ(parseThreshold("+3"), 3.0);
    EXPECT_EQ(parseThreshold(" -2. "), -2.0);
    for (const char* bad :
        { "", "  ", ".", "-", "+", "1e3", "inf", "-inf", "nan", "+-3", "--3", "1 000", "0x10", "1,5", "1.5.", "\t1" })
        EXPECT_FALSE(parseThreshold(bad)) << bad;
}

// A failed extraction names the problem, leaves the earlier file intact and no
// temporary behind.
TEST(ExtractCommand, FailuresLeaveTheEarlierFilesAndNoPartialFile)
{
    std::string overfull; // one past the fixed array of 1000
    for (int i = 0; i < 1001; ++i)
        overfull += "7\r\n";
    auto badFile = [](const std::string& content) {
        return [content](ExtractSession& s) { s.dir.write("Zen91Data/BY/04BYFA02.res", content); };
    };
    struct Row {
        std::function<void(ExtractSession&)> setup;
        std::string fragment;
    };
    const Row rows[] = {
        { badFile("5 1001"),
            "04BYFA02.res:1: field 2: expected household record number 2 within 1..1000, found \"1001\"" },
        { badFile(overfull), "04BYFA02.res:1001: field 1: expected at most 1000 household record numbers" },
        { [](ExtractSession& s) { ::unlink(s.dir.file("Zen91Data/BY/04BYFA03.res").c_str()); },
            "Zen91Data/BY/04BYFA03.res: No such file" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fragment);
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard3Eds });
        row.setup(s);
        s.dir.write("Zen91/Zen91_hh.txt", "earlier household file");
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(outcome.status, ExtractStatus::Failed);
        EXPECT_NE(outcome.error.find(row.fragment), std::string::npos) << outcome.error;
        EXPECT_EQ(s.output("Zen91_hh.txt"), "earlier household file");
        EXPECT_EQ(filesIn(s.dir.file("Zen91")), std::vector<std::string> { "Zen91_hh.txt" });
    }
}

// The folder is trimmed, ended with "/" and made with its parents on Yes.
TEST(ExtractCommand, AreaModeLeavesTheReportAloneAndEmptyListsStillWriteHeaders)
{
    ExtractSession s;
    s.dir.write("RejectedEDs.txt", "kept");
    s.chooseWards({}); // expanded, nothing chosen
    s.settings.outputFolder = "  " + s.dir.file("new/sub") + " ";
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    EXPECT_EQ(s.dialogs.asked(), "M2");
    EXPECT_EQ(s.settings.outputFolder, s.dir.file("new/sub") + "/");
    EXPECT_EQ(readFile(s.dir.file("RejectedEDs.txt")), "kept");
    EXPECT_EQ(s.output("Zen91_hh.txt"), "ED,HNUM,Cars,PersInHH,RoomsNum,Tenure,\r\n");
}

// The window asks its questions on its own thread and writes on a worker: the two
// steps apart write what one run writes, draws included.
TEST(ExtractCommand, PreparedOnOneThreadAndWrittenOnAnotherWritesWhatOneRunWrites)
{
    auto extractLargeWard = [](bool apart) {
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard3Eds, FixtureData::kWard35Eds });
        ExtractCommand command = s.command();
        ExtractOutcome outcome;
        if (apart) {
            EXPECT_FALSE(command.prepare(s.chosen(), s.options));
            std::thread worker([&] { outcome = command.execute(); });
            worker.join();
        } else {
            outcome = command.run(s.chosen(), s.options);
        }
        EXPECT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
        return std::pair(s.output("Zen91_hh.txt") + s.output("Zen91_ind.txt"), outcome.result.randomDraws);
    };
    const auto together = extractLargeWard(false);
    EXPECT_GT(together.second, 0u);
    EXPECT_EQ(extractLargeWard(true), together);
}

// The order of the Extract command's checks, its questions, and its failures.

#include "ExtractSession.h"

#include "extraction/ExtractionDriver.h"

#include <functional>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

TEST(ExtractCommand, MissingEdListShowsM1AndWritesNoReport)
{
    ExtractSession s;
    s.inputs.useUserEdList = true;
    s.inputs.edListText = s.dir.file("nothing.txt");
    EXPECT_EQ(s.extract().cancelledAt, MessageId::M1);
    ASSERT_EQ(s.dialogs.shown.size(), 1u);
    EXPECT_EQ(s.dialogs.shown[0].text(), "User supplied ED list\r" + s.dir.file("nothing.txt") + "\rdoes not exist");
    EXPECT_EQ(s.settings.edListFile, s.dir.file("nothing.txt"));
    EXPECT_FALSE(fileExists(s.dir.file("RejectedEDs.txt")));
}

TEST(ExtractCommand, NoVariablesShowsM3AfterTheReportWasWritten)
{
    ExtractSession s;
    s.dir.write("EDlist.txt", "BYFA01\r\n");
    s.inputs.useUserEdList = true;
    s.inputs.combinedChosen = true;
    s.hhList.selectOnly({});
    s.indList.selectOnly({});
    s.hhList.selected[0] = s.indList.selected[0] = true; // "(None)" counts for nothing
    EXPECT_EQ(s.extract().cancelledAt, MessageId::M3);
    EXPECT_EQ(s.dialogs.asked(), "M3");
    EXPECT_FALSE(readFile(s.dir.file("RejectedEDs.txt")).empty());
    EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
}

TEST(ExtractCommand, OutputFolderIsTrimmedEndedAndCreatedOnYes)
{
    ExtractSession s;
    s.chooseWards({ FixtureData::kWard3Eds });
    s.settings.outputFolder = "  " + s.dir.file("new") + " ";
    s.dialogs.script("M2=No");
    EXPECT_EQ(s.extract().cancelledAt, MessageId::M2);
    EXPECT_EQ(s.settings.outputFolder, s.dir.file("new") + "/");
    EXPECT_EQ(s.dialogs.shown[0].text(), "Output folder\r" + s.dir.file("new") + "/\rdoes not exist.  Create now?");
    EXPECT_FALSE(fileExists(s.dir.file("new")));

    s.dialogs.script("M2=Yes");
    ExtractOutcome outcome = s.extract();
    EXPECT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    EXPECT_EQ(filesIn(s.dir.file("new")),
        (std::vector<std::string> { "Zen91_codebook.csv", "Zen91_hh.txt", "Zen91_ind.txt", "Zen91_request.json" }));

    // Every missing parent is created too.
    s.settings.outputFolder = s.dir.file("no/such/parent");
    outcome = s.extract();
    EXPECT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    EXPECT_EQ(filesIn(s.dir.file("no/such/parent")).size(), 4u);
}

TEST(ExtractCommand, CombinedFileQuestions)
{
    struct Row {
        const char* name;
        std::vector<std::string> hh, ind;
        const char* answers;
        const char* asked;
        ExtractStatus status;
        std::vector<std::string> files;
        bool separateAfter;
        bool reversedMap = false;
    };
    // The HNUM question looks at row 1 of both lists, where HNUM stands unless the
    // list map says otherwise; reversed, row 1 shows LastRes and WorkPlce.
    const Row rows[] = {
        { "household only, Yes", { "HNUM" }, {}, "", "M4", ExtractStatus::Done, { "Zen91_hh.txt" }, true },
        { "household only, No", { "HNUM" }, {}, "M4=No", "M4", ExtractStatus::Cancelled, {}, false },
        { "individual only, Yes", {}, { "Age" }, "", "M5", ExtractStatus::Done, { "Zen91_ind.txt" }, true },
        { "individual only, No", {}, { "Age" }, "M5=No", "M5", ExtractStatus::Cancelled, {}, false },
        { "HNUM twice, No", { "HNUM" }, { "HNUM" }, "M6=No", "M6", ExtractStatus::Cancelled, {}, false },
        { "HNUM twice, Yes", { "HNUM" }, { "HNUM" }, "", "M6", ExtractStatus::Done, { "Zen91_hhind.txt" }, false },
        { "no household HNUM, no question", { "Cars" }, { "HNUM" }, "", "", ExtractStatus::Done, { "Zen91_hhind.txt" },
            false },
        { "no individual HNUM, no question", { "HNUM" }, { "Age" }, "", "", ExtractStatus::Done, { "Zen91_hhind.txt" },
            false },
        { "reversed map, row 1 twice", { "LastRes" }, { "WorkPlce" }, "M6=No", "M6", ExtractStatus::Cancelled, {},
            false, true },
        { "reversed map, HNUM off row 1", { "HNUM" }, { "HNUM" }, "", "", ExtractStatus::Done, { "Zen91_hhind.txt" },
            false, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExtractSession s(row.reversedMap);
        s.chooseWards({ FixtureData::kWard3Eds });
        s.inputs.combinedChosen = true;
        s.settings.separateFiles = false;
        s.hhList.selectOnly(row.hh);
        s.indList.selectOnly(row.ind);
        s.dialogs.script(row.answers);
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(s.dialogs.asked(), row.asked);
        EXPECT_EQ(outcome.status, row.status);
        std::vector<std::string> files = row.files;
        if (!files.empty()) // the codebook and the request go with every extraction
            files = { "Zen91_codebook.csv", files[0], "Zen91_request.json" };
        EXPECT_EQ(filesIn(s.dir.file("Zen91")), files);
        EXPECT_EQ(s.settings.separateFiles, row.separateAfter);
        EXPECT_EQ(outcome.combinedCleared, row.separateAfter);
    }
}

TEST(ExtractCommand, SizeWarningAndThresholdThatIsNotANumber)
{
    // The 120-ED ward: 9000 households and 20000 persons, well above 1 Mb with the defaults.
    struct Row {
        const char* threshold;
        int ward;
        const char* answers;
        const char* asked;
        ExtractStatus status;
    };
    const Row rows[] = {
        { "1", FixtureData::kWard120Eds, "M7=No", "M7", ExtractStatus::Cancelled },
        { "1", FixtureData::kWard120Eds, "", "M7", ExtractStatus::Done },
        { " 1000 ", FixtureData::kWard120Eds, "", "", ExtractStatus::Done },
        { "1", FixtureData::kWard3Eds, "", "", ExtractStatus::Done },
        { "abc", FixtureData::kWard3Eds, "", "ThresholdNotANumber", ExtractStatus::Cancelled },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.threshold);
        ExtractSession s;
        s.chooseWards({ row.ward });
        s.inputs.thresholdText = row.threshold;
        s.dialogs.script(row.answers);
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(s.dialogs.asked(), row.asked);
        EXPECT_EQ(outcome.status, row.status);
        if (row.status == ExtractStatus::Cancelled) {
            EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
        }
        if (std::string(row.asked) == "M7") {
            EXPECT_EQ(s.dialogs.shown[0].text(),
                "Warning: Estimated output file size\r> " + outcome.estimate.text
                    + " Mb\r\rDo you still wish to proceed?");
        }
    }
}

TEST(ExtractCommand, ParsesThresholdsAsPlainDecimals)
{
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
    std::string overfull;
    for (int i = 0; i < 1001; ++i)
        overfull += "7\r\n";
    auto badFile = [](const std::string& content) {
        return [content](ExtractSession& s) { s.dir.write("Zen91Data/BY/04BYFA02.res", content); };
    };
    struct Row {
        std::function<void(ExtractSession&)> setup;
        std::string fragment;
        bool smallFiles = false;
    };
    const Row rows[] = {
        { badFile("1,2,\r\n1O\r\n"), "04BYFA02.res:2: field 1: expected household record number 3, found \"1O\"" },
        { badFile("5 1001"),
            "04BYFA02.res:1: field 2: expected household record number 2 within 1..1000, found \"1001\"" },
        { badFile(overfull), "04BYFA02.res:1001: field 1: expected at most 1000 household record numbers" },
        { [](ExtractSession& s) { ::unlink(s.dir.file("Zen91Data/BY/04BYFA03.res").c_str()); },
            "Zen91Data/BY/04BYFA03.res: No such file" },
        { [](ExtractSession& s) {
             // Household 1 now claims persons 3000..3001.
             std::string households = readFile(s.dir.file("SARData/HHSAR.dat"));
             households.replace(households.find(",1,3\r\n"), 6, ",3000,3001\r\n");
             s.dir.write("SARData/HHSAR.dat", households);
         },
            "HHSAR.dat:1: household record 1 gives persons 3000..3001" },
        { [](ExtractSession& s) {
             s.chooseWards({ FixtureData::kWard120Eds });
             s.inputs.thresholdText.reset();
         },
            "cannot write file ", true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fragment);
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard3Eds });
        row.setup(s);
        s.dir.write("Zen91/Zen91_hh.txt", "earlier household file");
        // Files may grow to 4 KiB only; the write past it fails with EFBIG instead of a signal.
        rlimit saved;
        ::getrlimit(RLIMIT_FSIZE, &saved);
        auto previous = ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = row.smallFiles ? 4096 : saved.rlim_cur;
        ::setrlimit(RLIMIT_FSIZE, &small);
        ExtractOutcome outcome = s.extract();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, previous);

        EXPECT_EQ(outcome.status, ExtractStatus::Failed);
        EXPECT_NE(outcome.error.find(row.fragment), std::string::npos) << outcome.error;
        EXPECT_EQ(s.output("Zen91_hh.txt"), "earlier household file");
        EXPECT_EQ(filesIn(s.dir.file("Zen91")), std::vector<std::string> { "Zen91_hh.txt" });
    }
}

TEST(ExtractCommand, AreaModeLeavesTheReportAloneAndEmptyListsStillWriteHeaders)
{
    ExtractSession s;
    s.dir.write("RejectedEDs.txt", "kept");
    s.chooseWards({}); // expanded, nothing chosen
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    EXPECT_EQ(outcome.request.userListEdCount, 0u);
    EXPECT_FALSE(outcome.request.rejectedEdsFound);
    EXPECT_EQ(outcome.completionMessage().text(), "Data successfully extracted\rQuit program?");
    EXPECT_EQ(readFile(s.dir.file("RejectedEDs.txt")), "kept");
    EXPECT_EQ(s.output("Zen91_hh.txt"), "ED,HNUM,Cars,PersInHH,RoomsNum,Tenure,\r\n");
}

TEST(ExtractCommand, ProgressCountsEveryEntryAndTheEstimateOnlyRunWritesNothing)
{
    ExtractSession s;
    s.chooseWards({ FixtureData::kWardNiParts });
    s.inputs.estimateOnly = true;
    EXPECT_EQ(s.extract().status, ExtractStatus::Estimated);
    EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());

    s.inputs.estimateOnly = false;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    ExtractCommand command = s.command();
    command.setProgress([&](std::uint64_t done, std::uint64_t total) { calls.emplace_back(done, total); });
    ASSERT_EQ(command.run(s.inputs).status, ExtractStatus::Done);
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls.front(), std::make_pair(std::uint64_t { 1 }, std::uint64_t { 6 }));
    EXPECT_EQ(calls.back(), std::make_pair(std::uint64_t { 6 }, std::uint64_t { 6 }));
}

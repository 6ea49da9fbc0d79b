// The order of the Extract command's checks, its questions, and its failures.

#include "ExtractSession.h"
#include "FixtureData.h"

#include "extraction/ExtractionDriver.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void chooseWard(ExtractSession& s, int ward)
{
    s.areas.wardFlags[0] = kModeIndividual;
    s.areas.wardFlags[ward] = 1;
}

} // namespace

TEST(ExtractCommand, MissingEdListShowsM1AndWritesNoReport)
{
    ExtractSession s;
    s.inputs.useUserEdList = true;
    s.inputs.edListText = s.dir.file("nothing.txt");
    ExtractOutcome outcome = s.extract();
    EXPECT_EQ(outcome.cancelledAt, MessageId::M1);
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
    s.hhList.selected[0] = s.indList.selected[0] = true;  // "(None)" counts for nothing
    ExtractOutcome outcome = s.extract();
    EXPECT_EQ(outcome.cancelledAt, MessageId::M3);
    EXPECT_EQ(s.dialogs.ids(), std::vector<MessageId>{MessageId::M3});
    EXPECT_FALSE(readFile(s.dir.file("RejectedEDs.txt")).empty());
    EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
}

TEST(ExtractCommand, OutputFolderIsTrimmedEndedAndCreatedOnYes)
{
    ExtractSession s;
    chooseWard(s, FixtureData::kWard3Eds);
    s.settings.outputFolder = "  " + s.dir.file("new") + " ";
    s.dialogs.answers = {false};
    ExtractOutcome outcome = s.extract();
    EXPECT_EQ(outcome.cancelledAt, MessageId::M2);
    EXPECT_EQ(s.settings.outputFolder, s.dir.file("new") + "/");
    EXPECT_EQ(s.dialogs.shown[0].text(), "Output folder\r" + s.dir.file("new") + "/\rdoes not exist.  Create now?");
    EXPECT_FALSE(fileExists(s.dir.file("new")));

    outcome = s.extract();  // Yes
    EXPECT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    EXPECT_EQ(s.settings.outputFolder, s.dir.file("new") + "/") << "no second slash";
    EXPECT_EQ(filesIn(s.dir.file("new")), (std::vector<std::string>{"Zen91_hh.txt", "Zen91_ind.txt"}));
}

TEST(ExtractCommand, OutputFolderThatCannotBeCreatedFails)
{
    ExtractSession s;
    s.settings.outputFolder = s.dir.file("no/such/parent");
    ExtractOutcome outcome = s.extract();
    EXPECT_EQ(outcome.status, ExtractStatus::Failed);
    EXPECT_EQ(outcome.error, "cannot create folder " + s.dir.file("no/such/parent/") + ": No such file or directory");
}

TEST(ExtractCommand, CombinedFileQuestions)
{
    struct Row {
        const char* name;
        std::vector<std::string> hh, ind;
        std::deque<bool> answers;
        std::vector<MessageId> asked;
        ExtractStatus status;
        std::vector<std::string> files;
        bool separateAfter;
    };
    const Row rows[] = {
        {"household only, Yes", {"HNUM"}, {}, {true}, {MessageId::M4}, ExtractStatus::Done, {"Zen91_hh.txt"}, true},
        {"household only, No", {"HNUM"}, {}, {false}, {MessageId::M4}, ExtractStatus::Cancelled, {}, false},
        {"individual only, Yes", {}, {"Age"}, {true}, {MessageId::M5}, ExtractStatus::Done, {"Zen91_ind.txt"}, true},
        {"individual only, No", {}, {"Age"}, {false}, {MessageId::M5}, ExtractStatus::Cancelled, {}, false},
        {"HNUM twice, No", {"HNUM"}, {"HNUM"}, {false}, {MessageId::M6}, ExtractStatus::Cancelled, {}, false},
        {"HNUM twice, Yes", {"HNUM"}, {"HNUM"}, {true}, {MessageId::M6}, ExtractStatus::Done, {"Zen91_hhind.txt"}, false},
        {"no HNUM, no question", {"Cars"}, {"HNUM"}, {}, {}, ExtractStatus::Done, {"Zen91_hhind.txt"}, false},
    };
    for (const Row& row : rows) {
        ExtractSession s;
        chooseWard(s, FixtureData::kWard3Eds);
        s.inputs.combinedChosen = true;
        s.settings.separateFiles = false;
        s.hhList.selectOnly(row.hh);
        s.indList.selectOnly(row.ind);
        s.dialogs.answers = row.answers;
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(s.dialogs.ids(), row.asked) << row.name;
        EXPECT_EQ(outcome.status, row.status) << row.name;
        EXPECT_EQ(filesIn(s.dir.file("Zen91")), row.files) << row.name;
        EXPECT_EQ(s.settings.separateFiles, row.separateAfter) << row.name;
        EXPECT_EQ(outcome.request.separateFiles, row.separateAfter) << row.name;
        EXPECT_EQ(outcome.combinedCleared, row.separateAfter) << row.name;
    }
}

TEST(ExtractCommand, SizeWarningAndThresholdThatIsNotANumber)
{
    // Ward 120-EDs: 9000 households and 20000 persons, well above 1 Mb with the defaults.
    struct Row {
        const char* threshold;
        int ward;
        std::deque<bool> answers;
        std::vector<MessageId> asked;
        ExtractStatus status;
    };
    const Row rows[] = {
        {"1", FixtureData::kWard120Eds, {false}, {MessageId::M7}, ExtractStatus::Cancelled},
        {"1", FixtureData::kWard120Eds, {true}, {MessageId::M7}, ExtractStatus::Done},
        {" 1000 ", FixtureData::kWard120Eds, {}, {}, ExtractStatus::Done},
        {"1", FixtureData::kWard3Eds, {}, {}, ExtractStatus::Done},
        {"", FixtureData::kWard3Eds, {}, {MessageId::ThresholdNotANumber}, ExtractStatus::Cancelled},
        {"abc", FixtureData::kWard3Eds, {}, {MessageId::ThresholdNotANumber}, ExtractStatus::Cancelled},
        {"1,5", FixtureData::kWard3Eds, {}, {MessageId::ThresholdNotANumber}, ExtractStatus::Cancelled},
        {"1.5.", FixtureData::kWard3Eds, {}, {MessageId::ThresholdNotANumber}, ExtractStatus::Cancelled},
    };
    for (const Row& row : rows) {
        ExtractSession s;
        chooseWard(s, row.ward);
        s.inputs.thresholdText = row.threshold;
        s.dialogs.answers = row.answers;
        ExtractOutcome outcome = s.extract();
        EXPECT_EQ(s.dialogs.ids(), row.asked) << '"' << row.threshold << '"';
        EXPECT_EQ(outcome.status, row.status) << '"' << row.threshold << '"';
        if (row.status == ExtractStatus::Cancelled) {
            EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());
        }
    }

    ExtractSession s;
    chooseWard(s, FixtureData::kWard120Eds);
    s.dialogs.answers = {false};
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(s.dialogs.shown.size(), 1u);
    EXPECT_EQ(s.dialogs.shown[0].text(), "Warning: Estimated output file size\r> " + outcome.estimate.text
                                             + " Mb\r\rDo you still wish to proceed?");
}

TEST(ExtractCommand, ParsesThresholdsAsPlainDecimals)
{
    EXPECT_EQ(parseThreshold("2.5"), 2.5);
    EXPECT_EQ(parseThreshold(".5"), 0.5);
    EXPECT_EQ(parseThreshold("+3"), 3.0);
    for (const char* bad : {"", "  ", ".", "-", "1e3", "inf", "nan", "1 000", "0x10"})
        EXPECT_FALSE(parseThreshold(bad)) << bad;
}

namespace {

/// A failed extraction: the outcome names `fragment`, the earlier files are intact
/// and no temporary is left behind.
void expectCleanFailure(ExtractSession& s, const std::string& fragment)
{
    s.dir.write("Zen91/Zen91_hh.txt", "earlier household file");
    ExtractOutcome outcome = s.extract();
    EXPECT_EQ(outcome.status, ExtractStatus::Failed);
    EXPECT_NE(outcome.error.find(fragment), std::string::npos) << outcome.error;
    EXPECT_EQ(s.output("Zen91_hh.txt"), "earlier household file");
    EXPECT_EQ(filesIn(s.dir.file("Zen91")), std::vector<std::string>{"Zen91_hh.txt"});
}

} // namespace

TEST(ExtractCommand, BadHouseholdFilesStopTheExtractionCleanly)
{
    struct Row {
        const char* content;
        const char* fragment;
    };
    std::string overfull;
    for (int i = 0; i < 1001; ++i)
        overfull += "7\r\n";
    const Row rows[] = {
        {"1,2,\r\n1O\r\n", "04BYFA02.res:2: field 1: expected household record number 3, found \"1O\""},
        {"5 1001", "04BYFA02.res:1: field 2: expected household record number 2 within 1..1000, found \"1001\""},
        {"0", "within 1..1000, found \"0\""},
        {overfull.c_str(), "04BYFA02.res:1001: field 1: expected at most 1000 household record numbers"},
    };
    for (const Row& row : rows) {
        ExtractSession s;
        chooseWard(s, FixtureData::kWard3Eds);
        s.dir.write("Zen91Data/BY/04BYFA02.res", row.content);
        expectCleanFailure(s, row.fragment);
    }
}

TEST(ExtractCommand, MissingSubstituteFileStopsTheExtraction)
{
    ExtractSession s;
    chooseWard(s, FixtureData::kWard3Eds);
    ::unlink(s.dir.file("Zen91Data/BY/04BYFA03.res").c_str());
    expectCleanFailure(s, "cannot open file " + s.dir.file("Zen91Data/BY/04BYFA03.res") + ": No such file");
}

TEST(ExtractCommand, BadUserListHouseholdFileNamesItself)
{
    ExtractSession s;
    s.dir.write("Zen91Data/BY/08BYFA01.res", "12,x\r\n");
    s.dir.write("EDlist.txt", "08BYFA01\r\n");
    s.inputs.useUserEdList = true;
    expectCleanFailure(s, "08BYFA01.res:1: field 2:");
}

TEST(ExtractCommand, PersonRangeOutsideTheTableStops)
{
    ExtractSession s;
    chooseWard(s, FixtureData::kWard3Eds);
    // Household 1 of HHSAR.dat now claims persons 3000..3001.
    std::string households = readFile(s.dir.file("SARData/HHSAR.dat"));
    households.replace(households.find(",1,3\r\n"), 6, ",3000,3001\r\n");
    s.dir.write("SARData/HHSAR.dat", households);
    expectCleanFailure(s, "HHSAR.dat:1: household record 1 gives persons 3000..3001");
}

TEST(ExtractCommand, FailedWriteLeavesTheEarlierFileAndNoPartialFile)
{
    ExtractSession s;
    chooseWard(s, FixtureData::kWard120Eds);
    s.inputs.thresholdText.reset();
    // Files may grow to 4 KiB only; the write past it fails with EFBIG instead of a signal.
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    s.dir.write("Zen91/Zen91_hh.txt", "earlier household file");
    ExtractOutcome outcome = s.extract();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);

    EXPECT_EQ(outcome.status, ExtractStatus::Failed);
    EXPECT_EQ(outcome.error.rfind("cannot write file " + s.settings.outputFolder + "Zen91_", 0), 0u) << outcome.error;
    EXPECT_EQ(s.output("Zen91_hh.txt"), "earlier household file");
    EXPECT_EQ(filesIn(s.dir.file("Zen91")), std::vector<std::string>{"Zen91_hh.txt"});
}

TEST(ExtractCommand, AreaModeLeavesTheReportAloneAndEmptyListsStillWriteHeaders)
{
    ExtractSession s;
    s.dir.write("RejectedEDs.txt", "kept");
    s.areas.wardFlags[0] = kModeIndividual;  // expanded, nothing chosen
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
    chooseWard(s, FixtureData::kWardNiParts);
    s.inputs.estimateOnly = true;
    EXPECT_EQ(s.extract().status, ExtractStatus::Estimated);
    EXPECT_TRUE(filesIn(s.dir.file("Zen91")).empty());

    s.inputs.estimateOnly = false;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    ExtractCommand command(s.folders, s.areas, s.catalogue, s.hhList, s.indList, s.settings, s.dialogs, s.random);
    command.setProgress([&](std::uint64_t done, std::uint64_t total) { calls.emplace_back(done, total); });
    ASSERT_EQ(command.run(s.inputs).status, ExtractStatus::Done);
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls.front(), std::make_pair(std::uint64_t{1}, std::uint64_t{6}));
    EXPECT_EQ(calls.back(), std::make_pair(std::uint64_t{6}, std::uint64_t{6}));
}

TEST(ExtractCommand, GeneratorCarriesOverAndDrawsUseTheRawOutput)
{
    std::mt19937 fresh;
    EXPECT_EQ(drawUniform(fresh), 3499211612.0 / 4294967296.0);  // the first raw output of the default state

    ExtractSession s;
    chooseWard(s, FixtureData::kWard35Eds);
    s.inputs.thresholdText.reset();
    s.extract();
    std::string first = s.output("Zen91_hh.txt");
    s.extract();
    std::string second = s.output("Zen91_hh.txt");
    EXPECT_NE(first, second) << "the second extraction continues the sequence";

    ExtractSession again;
    chooseWard(again, FixtureData::kWard35Eds);
    again.inputs.thresholdText.reset();
    again.extract();
    EXPECT_EQ(again.output("Zen91_hh.txt"), first) << "a fresh start repeats the first extraction";
}

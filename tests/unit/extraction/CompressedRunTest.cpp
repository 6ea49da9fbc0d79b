// Compressed extracts hold exactly the plain bytes; loading
// scripts go beside CSV extracts only, and the Stata one is compared with golden files.

#include "ExtractSession.h"
#include "Gunzip.h"

#include "demodata/SarCodebook.h"
#include "formats/StatFileWriter.h"
#include "request/SavedRequest.h"

#include "../formats/StatReadBack.h"

#include <gtest/gtest.h>

namespace {

/// One extraction of ward 08BYFA with every spatial code, in a fresh session.
struct LabelledRun {
    explicit LabelledRun(bool combined, bool compress, OutputFormat format = OutputFormat::Csv, bool scripts = true)
    {
        s.chooseWards({ FixtureData::kWard3Eds });
        s.choices.spatialCodes.fill(true);
        s.choices.separateFiles = !combined;
        s.settings.separateFiles = !combined;
        s.choices.compress = compress;
        s.choices.format = format;
        s.choices.loadingScripts = scripts;
        s.options.fileTime = 1000000000;
        s.hhList.selectOnly({ "HNUM", "Bath", "Cars" });
        s.indList.selectOnly({ "HNUM", "PNUM", "Age", "CoBirth" });
        ExtractCommand command = s.command();
        command.setRecording({ &labels, nullptr, true });
        outcome = command.run(s.chosen(), s.options);
        EXPECT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    }
    VariableLabels labels = demoVariableLabels();
    ExtractSession s;
    ExtractOutcome outcome;
};

} // namespace

TEST(CompressedRun, GzipFilesHoldThePlainBytesAndAreListedInTheRequest)
{
    for (bool combined : { false, true }) {
        SCOPED_TRACE(combined ? "combined" : "separate");
        LabelledRun plain(combined, false);
        LabelledRun packed(combined, true);
        const std::vector<std::string> names = combined ? std::vector<std::string> { "Zen91_hhind.txt" }
                                                        : std::vector<std::string> { "Zen91_hh.txt", "Zen91_ind.txt" };
        for (const std::string& name : names) {
            const std::string gz = packed.s.output(name + ".gz");
            EXPECT_EQ(gunzip(gz), plain.s.output(name)) << name;
        }
        // The size check counts compressed bytes.
        EXPECT_NEAR(packed.outcome.estimate.megabytes * kGzipRatio, plain.outcome.estimate.megabytes, 1e-9);

        // The request lists each stored file: the data, then the scripts.
        const SavedRequest request = readRequestFile(packed.s.settings.outputFolder + "Zen91_request.json");
        ASSERT_EQ(request.run->outputFiles.size(), names.size() + 4);
        EXPECT_EQ(request.run->outputFiles[0].name, names[0] + ".gz");
        EXPECT_EQ(request.run->outputFiles.back().name, "Zen91_load.sps");
    }
}

TEST(CompressedRun, ZsavReadsBackLikeTheSav)
{
    LabelledRun sav(false, false, OutputFormat::Spss);
    LabelledRun zsav(false, true, OutputFormat::Spss);
    for (const char* file : { "Zen91_hh", "Zen91_ind" }) {
        SCOPED_TRACE(file);
        const StatReadBack expected
            = readStatFile(sav.s.settings.outputFolder + file + ".sav", StatFormat::Spss);
        const StatReadBack actual = readStatFile(zsav.s.settings.outputFolder + file + ".zsav", StatFormat::Spss);
        EXPECT_EQ(actual.names, expected.names);
        EXPECT_EQ(actual.labels, expected.labels);
        EXPECT_EQ(actual.valueLabels, expected.valueLabels);
        EXPECT_EQ(actual.rows, expected.rows);
        EXPECT_FALSE(expected.rows.empty());
        // The zlib-compressed variant says so in its first bytes.
        EXPECT_EQ(zsav.s.output(std::string(file) + ".zsav").substr(0, 4), "$FL3");
    }
}

TEST(LoadingScripts, BesideCsvExtractsOnlyUnlessTurnedOff)
{
    struct Row {
        const char* name;
        OutputFormat format;
        bool compress;
        bool scripts;
        std::vector<std::string> files;
    };
    const std::vector<std::string> scripts { "Zen91_load.R", "Zen91_load.do", "Zen91_load.py", "Zen91_load.sps" };
    auto with = [&](std::vector<std::string> files, bool withScripts) {
        files.insert(files.begin(), "Zen91_codebook.csv");
        if (withScripts)
            files.insert(files.end(), scripts.begin(), scripts.end());
        files.push_back("Zen91_request.json");
        return files;
    };
    const Row rows[] = {
        { "csv", OutputFormat::Csv, false, true, with({ "Zen91_hh.txt", "Zen91_ind.txt" }, true) },
        { "csv, no scripts", OutputFormat::Csv, true, false, with({ "Zen91_hh.txt.gz", "Zen91_ind.txt.gz" }, false) },
        { "stata, compressed", OutputFormat::Stata, true, true, with({ "Zen91_hh.dta", "Zen91_ind.dta" }, false) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LabelledRun run(false, row.compress, row.format, row.scripts);
        EXPECT_EQ(filesIn(run.s.dir.file("Zen91")), row.files);
    }
}

TEST(LoadingScripts, StataScriptMatchesGolden)
{
    LabelledRun separate(false, false);
    expectGolden("separate_load.do", separate.s.output("Zen91_load.do"));
    LabelledRun combined(true, true);
    expectGolden("combined_load.do", combined.s.output("Zen91_load.do"));
}

// A statistics-file extraction writes its person file on a second thread: whichever
// file fails, or a Cancel, must end the whole run with nothing left behind.

#include "ExtractSession.h"

#include "fileio/PosixFileSystem.h"
#include "request/SavedRequest.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <cstring>

namespace {

/// A disk that is full for the n-th file opened for writing.
struct FullForOneFile : PosixFileSystem {
    int openUnnamed(int folderFd) override { return opened(PosixFileSystem::openUnnamed(folderFd)); }
    int openNew(int folderFd, const std::string& name) override
    {
        return opened(PosixFileSystem::openNew(folderFd, name));
    }
    long write(int fd, const char* data, std::size_t size) override
    {
        if (fd != full)
            return PosixFileSystem::write(fd, data, size);
        errno = ENOSPC;
        return -1;
    }
    int opened(int fd)
    {
        if (fd >= 0 && ++openedCount == fileNumber)
            full = fd;
        return fd;
    }
    int fileNumber = 0;
    int openedCount = 0;
    int full = -1;
};

} // namespace

TEST(StatisticsRun, AFailureOrCancelInEitherFileEndsTheRunWithNothingWritten)
{
    // Compressed files too: their blocks are written as the workers finish them.
    struct Row {
        OutputFormat format;
        int fullFile; ///< 1: the household file, 2: the person file, 0: Cancel instead
        const char* named;
        bool compress = false;
    };
    for (const Row& row : { Row { OutputFormat::Spss, 1, "Zen91_hh.sav" }, Row { OutputFormat::Spss, 2, "Zen91_ind.sav" },
             Row { OutputFormat::Stata, 2, "Zen91_ind.dta" }, Row { OutputFormat::Stata, 0, "" },
             Row { OutputFormat::Spss, 2, "Zen91_ind.zsav", true }, Row { OutputFormat::Csv, 1, "Zen91_hh.txt.gz", true },
             Row { OutputFormat::Csv, 2, "Zen91_ind.txt.gz", true }, Row { OutputFormat::Csv, 0, "", true } }) {
        SCOPED_TRACE(std::string(row.named) + (row.compress ? ", compressed" : ""));
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard3Eds });
        s.choices.format = row.format;
        s.choices.compress = row.compress;
        FullForOneFile fs;
        fs.fileNumber = row.fullFile;
        std::atomic<bool> cancel { false };
        ExtractCommand command = s.command();
        command.setFileSystem(fs);
        command.setCancelFlag(&cancel);
        if (row.fullFile == 0)
            command.setProgress([&](std::uint64_t, std::uint64_t) { cancel = true; });
        const ExtractOutcome outcome = command.run(s.chosen(), s.options);
        if (row.fullFile == 0) {
            EXPECT_EQ(outcome.cancelledAt, MessageId::ExtractionCancelled);
        } else {
            EXPECT_EQ(outcome.status, ExtractStatus::Failed);
            EXPECT_NE(outcome.error.find(row.named), std::string::npos) << outcome.error;
            EXPECT_NE(outcome.error.find(std::strerror(ENOSPC)), std::string::npos) << outcome.error;
        }
        EXPECT_EQ(filesIn(s.dir.file("Zen91"), true), std::vector<std::string> {});
    }
}

TEST(StatisticsRun, FilesSayTheirTimeInUtcAndTheRequestRecordsIt)
{
    // Far from UTC, so that a file showing local time would differ.
    setenv("TZ", "America/New_York", 1);
    tzset();
    struct Row {
        OutputFormat format;
        const char* file;
        const char* shown; ///< 2001-09-09T01:46:40Z as the format writes it
    };
    for (const Row& row : { Row { OutputFormat::Stata, "Zen91_hh.dta", "09 Sep 2001 01:46" },
             Row { OutputFormat::Spss, "Zen91_ind.sav", "09 Sep 0101:46:40" } }) {
        SCOPED_TRACE(row.file);
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard3Eds });
        s.choices.format = row.format;
        s.options.fileTime = 1000000000;
        const ExtractOutcome outcome = s.extract();
        ASSERT_TRUE(outcome.succeeded());
        EXPECT_EQ(outcome.result.writtenEds, 3u);
        EXPECT_NE(s.output(row.file).find(row.shown), std::string::npos);
        const SavedRequest request = readRequestFile(s.settings.outputFolder + "Zen91_request.json");
        EXPECT_EQ(request.run->fileTime, "2001-09-09T01:46:40Z");
    }
    unsetenv("TZ");
    tzset();
}

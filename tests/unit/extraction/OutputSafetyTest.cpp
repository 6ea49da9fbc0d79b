// What the Extract command checks before it writes over earlier files, and what it
// leaves when it stops: replacing, free space and Cancel.

#include "ExtractSession.h"

#include "fileio/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>

namespace {

/// A disk with `freeBytes` left, whatever the real one has.
class SmallDisk : public PosixFileSystem {
public:
    explicit SmallDisk(unsigned long freeBytes)
        : m_free(freeBytes)
    {
    }
    int space(const std::string& path, struct statvfs& result) override
    {
        int status = PosixFileSystem::space(path, result);
        result.f_frsize = 1;
        result.f_bavail = m_free;
        return status;
    }

private:
    unsigned long m_free;
};

ExtractOutcome extractWith(ExtractSession& s, FileSystem& fs)
{
    ExtractCommand command = s.command();
    command.setFileSystem(fs);
    return command.run(s.inputs);
}

/// A session whose output folder already holds earlier files with known bytes.
struct EarlierFiles {
    EarlierFiles()
    {
        s.chooseWards({ FixtureData::kWard3Eds });
        s.dir.write("Zen91/Zen91_hh.txt", "earlier hh\r\n");
        s.dir.write("Zen91/Zen91_ind.txt", "earlier ind\r\n");
    }
    bool untouched() const
    {
        return readFile(s.dir.file("Zen91/Zen91_hh.txt")) == "earlier hh\r\n"
            && readFile(s.dir.file("Zen91/Zen91_ind.txt")) == "earlier ind\r\n"
            && filesIn(s.dir.file("Zen91"), true) == std::vector<std::string> { "Zen91_hh.txt", "Zen91_ind.txt" };
    }
    ExtractSession s;
};

} // namespace

TEST(OutputSafety, NoToReplacingEarlierFilesKeepsThem)
{
    EarlierFiles e;
    e.s.dialogs.script("Overwrite=No");
    EXPECT_EQ(e.s.extract().cancelledAt, MessageId::Overwrite);
    EXPECT_TRUE(e.untouched());
}

TEST(OutputSafety, TooLittleFreeSpaceIsAskedWithBothFigures)
{
    EarlierFiles e;
    e.s.settings.rootFileName = "New";
    SmallDisk full(1000);
    e.s.dialogs.script("NotEnoughSpace=No");
    EXPECT_EQ(extractWith(e.s, full).cancelledAt, MessageId::NotEnoughSpace);
    const std::string figures = e.s.dialogs.shown.at(0).lines.at(1);
    EXPECT_EQ(figures.rfind("needs about 1.1 MB, 0.0 MB free on ", 0), 0u) << figures;
    EXPECT_TRUE(e.untouched());
    e.s.dialogs.script("NotEnoughSpace=Yes");
    EXPECT_EQ(extractWith(e.s, full).status, ExtractStatus::Done);
}

TEST(OutputSafety, CancelLeavesTheEarlierFilesAndNoTemporary)
{
    EarlierFiles e;
    std::atomic<bool> cancel { false };
    ExtractCommand command = e.s.command();
    command.setCancelFlag(&cancel);
    // Cancel after the first ED: the files are open and partly written by then.
    command.setProgress([&](std::uint64_t, std::uint64_t) { cancel = true; });
    ExtractOutcome outcome = command.run(e.s.inputs);
    EXPECT_EQ(outcome.cancelledAt, MessageId::ExtractionCancelled);
    EXPECT_TRUE(e.untouched());
}

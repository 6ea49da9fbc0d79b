// What the Extract command checks before it writes over earlier files: replacing and
// free space. Cancel is the statistics run's test and the extract tool's.

#include "ExtractSession.h"

#include "FaultyFileSystem.h"

#include <gtest/gtest.h>

namespace {

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
    FaultyFileSystem full;
    struct statvfs space { };
    space.f_frsize = 1;
    space.f_bavail = 1000;
    full.fakeSpace = space;
    e.s.dialogs.script("NotEnoughSpace=No");
    EXPECT_EQ(extractWith(e.s, full).cancelledAt, MessageId::NotEnoughSpace);
    const std::string figures = e.s.dialogs.shown.at(0).lines.at(1);
    EXPECT_EQ(figures.rfind("needs about 1.1 MB, 0.0 MB free on ", 0), 0u) << figures;
    EXPECT_TRUE(e.untouched());
    e.s.dialogs.script("NotEnoughSpace=Yes");
    EXPECT_EQ(extractWith(e.s, full).status, ExtractStatus::Done);
}

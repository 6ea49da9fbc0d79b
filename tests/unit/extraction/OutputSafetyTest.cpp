// What the Extract command checks before it writes over earlier files: replacing and
// free space. Cancel is the statistics run's test and the extract tool's.

#include "ExtractSession.h"

#include "FaultyFileSystem.h"

#include <gtest/gtest.h>

// Each No keeps the earlier files as they were, and nothing else is left beside them.
TEST(OutputSafety, NoToReplacingOrToTooLittleFreeSpaceKeepsTheEarlierFiles)
{
    ExtractSession s;
    s.chooseWards({ FixtureData::kWard3Eds });
    s.dir.write("Zen91/Zen91_hh.txt", "earlier hh\r\n");
    s.dir.write("Zen91/Zen91_ind.txt", "earlier ind\r\n");
    auto untouched = [&s] {
        return readFile(s.dir.file("Zen91/Zen91_hh.txt")) == "earlier hh\r\n"
            && readFile(s.dir.file("Zen91/Zen91_ind.txt")) == "earlier ind\r\n"
            && filesIn(s.dir.file("Zen91"), true) == std::vector<std::string> { "Zen91_hh.txt", "Zen91_ind.txt" };
    };
    s.dialogs.script("Overwrite=No");
    EXPECT_EQ(s.extract().cancelledAt, MessageId::Overwrite);
    EXPECT_TRUE(untouched());

    // Under another root nothing is replaced, but 1000 bytes free are too few.
    s.settings.rootFileName = "New";
    FaultyFileSystem full;
    struct statvfs space { };
    space.f_frsize = 1;
    space.f_bavail = 1000;
    full.fakeSpace = space;
    auto extractOnFullDisk = [&] {
        ExtractCommand command = s.command();
        command.setFileSystem(full);
        return command.run(s.chosen(), s.options);
    };
    s.dialogs.script("NotEnoughSpace=No");
    EXPECT_EQ(extractOnFullDisk().cancelledAt, MessageId::NotEnoughSpace);
    const std::string figures = s.dialogs.shown.back().lines.at(1);
    EXPECT_EQ(figures.rfind("needs about 1.1 MB, 0.0 MB free on ", 0), 0u) << figures;
    EXPECT_TRUE(untouched());
    s.dialogs.script("NotEnoughSpace=Yes");
    EXPECT_EQ(extractOnFullDisk().status, ExtractStatus::Done);
}

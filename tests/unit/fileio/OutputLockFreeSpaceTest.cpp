#include "fileio/CancelledError.h"
#include "fileio/FreeSpace.h"
#include "fileio/OutputLock.h"
#include "textio/DataFileError.h"

#include "FaultyFileSystem.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(OutputLock, SecondRunIsRefusedOrWaitsUntilTheFirstEnds)
{
    TempDir dir;
    std::optional<OutputLock> first = OutputLock::tryAcquire(dir.path(), "Zen91");
    ASSERT_TRUE(first);
    EXPECT_FALSE(OutputLock::tryAcquire(dir.path(), "Zen91"));
    std::atomic<bool> cancel { true };
    EXPECT_THROW(OutputLock::acquire(dir.path(), "Zen91", &cancel), CancelledError);

    first.reset();
    EXPECT_TRUE(OutputLock::tryAcquire(dir.path(), "Zen91"));
    EXPECT_EQ(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator());
}

TEST(FreeSpace, ComparesEstimatePlusMarginWithFreeSpace)
{
    struct Row {
        double estimate;
        unsigned long freeBlocks; // of 4096 bytes
        const char* message; // empty: it fits
    };
    const double gib = 1024.0 * 1024 * 1024;
    const Row rows[] = {
        { 2.75 * gib, 290000, "needs about 2.8 GB, 1.1 GB free on /data" },
        { 100.0 * 1048576, 30000, "" },
        { 100.0 * 1048576, 26000, "needs about 102.0 MB, 101.5 MB free on /data" }, // only the margin lacks
        { 0, 256, "" },
        { 0, 255, "needs about 1.0 MB, 0.9 MB free on /data" },
    };
    for (const Row& row : rows) {
        FaultyFileSystem fs;
        struct statvfs st { };
        st.f_frsize = 4096;
        st.f_bavail = row.freeBlocks;
        st.f_bfree = row.freeBlocks + 100000; // reserved blocks are not ours
        fs.fakeSpace = st;
        FreeSpaceCheck check = checkFreeSpace("/data/", row.estimate, fs);
        EXPECT_EQ(check.freeBytes, row.freeBlocks * 4096ul);
        EXPECT_EQ(check.message, row.message);
        EXPECT_EQ(check.fits, *row.message == '\0');
    }
}

#include "fileio/FreeSpace.h"

#include "FaultyFileSystem.h"

#include <gtest/gtest.h>

TEST(FreeSpace, ComparesEstimatePlusMarginWithFreeSpace)
{
    struct Row {
        double estimate;
        unsigned long freeBlocks; // of 4096 bytes
        const char* message; // empty: it fits
    };
    const Row rows[] = {
        { 2.75 * 1024 * 1048576, 290000, "needs about 2.8 GB, 1.1 GB free on /data" },
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
        EXPECT_EQ(check.message, row.message);
        EXPECT_EQ(check.fits, *row.message == '\0');
    }
}

#include "textio/DataFileError.h"
#include "textio/LineWriter.h"

#include "ErrorText.h"

#include <fcntl.h>
#include <gtest/gtest.h>

TEST(LineWriter, FullDiskNamesPathAndReason)
{
    int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    LineWriter w(fd, "/out/Zen91_hh.txt", 16);
    EXPECT_EQ(dataFileErrorOf([&] {
        for (int i = 0; i < 100; ++i)
            w.field("08BYFA01");
        w.close();
    }),
        "cannot write file /out/Zen91_hh.txt: No space left on device");
}

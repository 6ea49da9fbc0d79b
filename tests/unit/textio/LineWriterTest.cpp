#include "textio/DataFileError.h"
#include "textio/LineWriter.h"

#include "ErrorText.h"
#include "TempDir.h"

#include <climits>
#include <fcntl.h>
#include <gtest/gtest.h>

TEST(LineWriter, FieldsEndWithCommaLinesWithCrLf)
{
    TempDir dir;
    std::string path = dir.file("out.txt");
    {
        LineWriter w(path, 8); // tiny buffer: exercises the flush paths
        w.field("ED");
        w.field("HNUM");
        w.endLine();
        w.field("08BYFA01");
        w.field(std::int64_t { -42 });
        w.field(std::int64_t { 1000 });
        w.field(std::int64_t { LLONG_MIN }); // longer than the buffer
        w.endLine();
        w.append("a long piece of text well beyond the buffer");
        w.close();
        EXPECT_EQ(w.bytesWritten(), readFile(path).size());
    }
    EXPECT_EQ(readFile(path),
        "ED,HNUM,\r\n08BYFA01,-42,1000,-9223372036854775808,\r\na long piece of text well beyond the buffer");
}

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

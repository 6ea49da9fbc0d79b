#include "ErrorText.h"
#include "TempDir.h"

#include "base/DataFolders.h"
#include "extraction/EdList.h"
#include "extraction/UserEdList.h"
#include "geography/AreaTables.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// The order of wards, EDs and lettered parts is the golden files' test; none of them
// reaches the last ward.
TEST(EdList, AreaSelectionReachesTheLastWardAndStaysExhausted)
{
    AreaTables t;
    t.wardCodes[kNumWards] = "67ZZZZ";
    t.eds2Ward[kNumWards] = { 2, 0, 0, 0 };
    t.finalWards[kNumWards] = 1;
    EdList list = EdList::fromAreaSelection(t);
    std::string codes;
    EdEntry entry;
    while (list.next(entry))
        codes += entry.code + " ";
    EXPECT_EQ(codes, "67ZZZZ01 67ZZZZ02 ");
    EXPECT_FALSE(list.next(entry));
}

TEST(UserEdList, ListsAsPeopleAndSpreadsheetsWriteThem)
{
    struct Row {
        const char* name;
        std::string text;
        std::vector<std::string> codes;
    };
    const Row rows[] = {
        { "blanks around codes, commas and line ends",
            "08BYFA01  \r\n\r\n  08BYFA02,08BYFA03\r\n\"08BY FA04 \"\n08BYFA01\n08BYFA05\t\r\nlast",
            { "08BYFA01", "08BYFA02", "08BYFA03", "08BY FA04 ", "08BYFA01", "08BYFA05", "last" } },
        { "empty and quoted empty fields", "A1,,B2, ,\"\",C3", { "A1", "B2", "", "C3" } },
        { "lower case kept as written", "04byfa01\n", { "04byfa01" } },
        { "only blanks and commas", " ,\r\n,,\r\n", {} },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        EXPECT_EQ(readUserEdList(dir.write("EDlist.txt", row.text)), row.codes);
    }
    EXPECT_EQ(repeatedCodeCount({ "A1", "a1", "B2", "B2", "B2", "C3" }), 2u);
}

// Each of these used to be read until memory ran out, or called missing.
TEST(UserEdList, WhatIsNoListIsRefusedBeforeItIsReadSayingWhy)
{
    TempDir dir;
    const std::string folder = dir.file("Lists");
    const std::string pipe = dir.file("pipe");
    const std::string huge = dir.write("huge.txt", "");
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0); // opened for reading, it would wait for a writer
    ASSERT_EQ(::truncate(huge.c_str(), kMaxUserEdListBytes + 1), 0); // sparse: nothing is written
    struct Row {
        std::string path;
        std::string message;
    };
    const Row rows[] = {
        { folder, folder + ": is a folder, not a text file of ED codes" },
        { pipe, pipe + ": is a named pipe, not a text file of ED codes" },
        { "/dev/zero", "/dev/zero: is a device, not a text file of ED codes" },
        { huge, huge + ": is 100000001 bytes, more than an ED list's limit of 100 MB" },
        { dir.file("none.txt"), "cannot open file " + dir.file("none.txt") + ": No such file or directory" },
    };
    for (const Row& row : rows)
        EXPECT_EQ(dataFileErrorOf([&] { readUserEdList(row.path); }).find(row.message), 0u) << row.path;
}

// Report lines put the reason at the next print zone.
TEST(UserEdList, ValidationRejectsMissingUnsafeAndShortCodesAndReplacesTheReport)
{
    const std::string unknown = "Not recognised: incorrect name or ED contains no private household residents";
    const std::string unsafe = "Not allowed: an ED code holds letters and digits only";
    EXPECT_EQ(rejectedLine("1234567890123"), "1234567890123 " + unknown + "\r\n");
    EXPECT_EQ(rejectedLine("12345678901234"), "12345678901234" + std::string(14, ' ') + unknown + "\r\n");
    EXPECT_EQ(rejectedLine("08BY\nFA01"), "08BY?FA01" + std::string(5, ' ') + unsafe + "\r\n");
    EXPECT_EQ(rejectedLine("../BY/x"), "../BY/x" + std::string(7, ' ') + unsafe + "\r\n"); // short, but unsafe first

    TempDir dir;
    DataFolders folders = DataFolders::under(dir.path());
    dir.write("RejectedEDs.txt", "an old report\r\n");
    dir.write("Zen91Data/BY/08BYFA01.res", "1\r\n");
    dir.write("Zen91Data/BY/BY/08BYFA01.res", "1\r\n"); // reachable only through a "/" in a code
    dir.write("Zen91Data/BY/08BY.res", "1\r\n"); // a short code with a file is accepted
    ::mkdir(dir.file("Zen91Data/BY/08BYFA02.res").c_str(), 0777); // a folder is no file

    UserListValidation result = validateUserEdList(
        { "08BYFA01", "BYFA01", "08BYFA01", "08BYFA99", "0", "08BY", "08BY/08BYFA01", "08BYFA02", "" }, folders);
    EXPECT_EQ(result.edCount, 9u);
    EXPECT_TRUE(result.rejectedEdsFound);
    EXPECT_EQ(readFile(dir.file("RejectedEDs.txt")),
        rejectedLine("BYFA01") + rejectedLine("08BYFA99") + rejectedLine("0") + rejectedLine("08BY/08BYFA01")
            + rejectedLine("08BYFA02") + rejectedLine(""));

    result = validateUserEdList({ "08BYFA01", "08BYFA01" }, folders);
    EXPECT_EQ(result.edCount, 2u);
    EXPECT_FALSE(result.rejectedEdsFound);
    EXPECT_EQ(readFile(dir.file("RejectedEDs.txt")), "");
}

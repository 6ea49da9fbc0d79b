#include "textio/DataFileError.h"
#include "textio/FieldReader.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

FieldReader reader(std::string content)
{
    return FieldReader("test.dat", std::move(content));
}

template <typename Body>
DataFileError errorFrom(Body body)
{
    try {
        body();
    } catch (const DataFileError& e) {
        return e;
    }
    ADD_FAILURE() << "no DataFileError was thrown";
    return DataFileError("", 0, 0, "");
}

} // namespace

TEST(FieldReader, QuotedFieldKeepsCommaAndDropsQuotes)
{
    auto r = reader("\"Stoke, North\",next\r\n");
    EXPECT_EQ(r.readText("a name"), "Stoke, North");
    EXPECT_EQ(r.readText("a name"), "next");
    EXPECT_TRUE(r.atEnd());
}

TEST(FieldReader, BlanksBeforeFieldSkippedAndTrailingBlanksDropped)
{
    auto r = reader("   Aston  ,  \"  padded \"\r\n");
    EXPECT_EQ(r.readText("x"), "Aston");
    EXPECT_EQ(r.readText("x"), "  padded ");
}

TEST(FieldReader, LineEndsOfEveryKindSeparateFields)
{
    for (const char* text : {"1\r\n2\r\n3\r\n", "1\n2\n3\n", "1\r2\r3", "1 , 2 ,3", "1 2\t3", "1\r\n\r\n2,\r\n3"}) {
        auto r = reader(text);
        EXPECT_EQ(r.readInt16("a"), 1) << text;
        EXPECT_EQ(r.readInt16("b"), 2) << text;
        EXPECT_EQ(r.readInt16("c"), 3) << text;
        EXPECT_TRUE(r.atEnd()) << text;
    }
}

TEST(FieldReader, NegativeAndSignedNumbers)
{
    auto r = reader("-5,+7,-32768,32767");
    EXPECT_EQ(r.readInt16("a"), -5);
    EXPECT_EQ(r.readInt16("a"), 7);
    EXPECT_EQ(r.readInt16("a"), -32768);
    EXPECT_EQ(r.readInt16("a"), 32767);
}

TEST(FieldReader, TextWhereNumberBelongsNamesLineFieldAndText)
{
    auto r = reader("heading\r\n1,2\r\n3,1O\r\n");
    r.readText("heading");
    r.readInt16("a");
    r.readInt16("b");
    r.readInt16("c");
    DataFileError e = errorFrom([&] { r.readInt16("the ward count of record 57"); });
    EXPECT_EQ(e.path(), "test.dat");
    EXPECT_EQ(e.line(), 3);
    EXPECT_EQ(e.field(), 2);
    EXPECT_STREQ(e.what(), "test.dat:3: field 2: expected the ward count of record 57, found \"1O\"");
}

TEST(FieldReader, BadNumbersAreErrorsNeverZero)
{
    struct Row {
        const char* content;
        const char* found;
    };
    for (Row row : {Row{"abc", "found \"abc\""}, Row{"12abc", "found \"12abc\""}, Row{",5", "an empty field"},
                    Row{"-", "found \"-\""}, Row{"+-3", "found \"+-3\""}, Row{"4.5", "found \"4.5\""}}) {
        auto r = reader(row.content);
        DataFileError e = errorFrom([&] { r.readInt32("n"); });
        EXPECT_NE(std::string(e.what()).find(row.found), std::string::npos) << e.what();
    }
}

TEST(FieldReader, NumbersOutOfRangeForTheirTable)
{
    auto r16 = reader("32768");
    DataFileError e16 = errorFrom([&] { r16.readInt16("a count"); });
    EXPECT_STREQ(e16.what(), "test.dat:1: field 1: expected a count within -32768..32767, found \"32768\"");
    auto r32 = reader("99999999999999999999999");
    DataFileError e32 = errorFrom([&] { r32.readInt32("a value"); });
    EXPECT_NE(std::string(e32.what()).find("within -2147483648..2147483647"), std::string::npos);
}

TEST(FieldReader, EarlyEndNamesWhatWasExpected)
{
    auto r = reader("1,2\r\n");
    r.readInt16("a");
    r.readInt16("b");
    DataFileError e = errorFrom([&] { r.readInt16("the last ward number of record 485"); });
    EXPECT_NE(std::string(e.what()).find("expected the last ward number of record 485, found the end of the file"),
              std::string::npos);
    auto t = reader("");
    errorFrom([&] { t.readText("a heading line"); });
}

TEST(FieldReader, UnclosedQuoteIsAnError)
{
    auto r = reader("\"never closed, at all\r\n");
    DataFileError e = errorFrom([&] { r.readText("a name"); });
    EXPECT_NE(std::string(e.what()).find("never closed"), std::string::npos);
}

TEST(FieldReader, TextThenNumberOnSameLineMustBeSeparated)
{
    auto r = reader("\"Heading\"junk,7");
    EXPECT_EQ(r.readText("h"), "Heading");
    EXPECT_EQ(r.readInt16("n"), 7);
}

TEST(FieldReader, QuotedFieldSpanningLinesKeepsLineCount)
{
    auto r = reader("\"a\r\nb\",x\r\ny\r\n1O");
    EXPECT_EQ(r.readText("t"), "a\r\nb");
    EXPECT_EQ(r.readText("t"), "x");
    EXPECT_EQ(r.readText("t"), "y");
    DataFileError e = errorFrom([&] { r.readInt16("n"); });
    EXPECT_EQ(e.line(), 4);
}

TEST(FieldReader, MissingFileNamesPathAndReason)
{
    TempDir dir;
    DataFileError e = errorFrom([&] { FieldReader::open(dir.file("nothing.dat")); });
    EXPECT_EQ(e.path(), dir.file("nothing.dat"));
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos);
}

TEST(FieldReader, ReadsFileFromDisk)
{
    TempDir dir;
    std::string path = dir.write("a.dat", "7,\"x, y\"\r\n");
    FieldReader r = FieldReader::open(path);
    EXPECT_EQ(r.readInt16("n"), 7);
    EXPECT_EQ(r.readText("t"), "x, y");
    EXPECT_TRUE(r.atEnd());
}

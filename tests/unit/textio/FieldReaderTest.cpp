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

TEST(FieldReader, TextFieldsQuotesBlanksAndLines)
{
    struct Row {
        const char* content;
        std::vector<std::string> fields;
    };
    const Row rows[] = {
        {"\"Stoke, North\",next\r\n", {"Stoke, North", "next"}},
        {"   Aston  ,  \"  padded \"\r\n", {"Aston", "  padded "}},
        {"\"Heading\"junk,7", {"Heading", "7"}}, // what follows a closing quote is dropped
        {"\"a\r\nb\",x\r\ny\r\n", {"a\r\nb", "x", "y"}},
    };
    for (const Row& row : rows) {
        auto r = reader(row.content);
        for (const std::string& field : row.fields)
            EXPECT_EQ(r.readText("t"), field) << row.content;
        EXPECT_TRUE(r.atEnd()) << row.content;
    }
}

TEST(FieldReader, NumbersSeparatedByAnyLineEndCommaOrBlank)
{
    for (const char* text : {"1\r\n2\r\n3\r\n", "1\n2\n3\n", "1\r2\r3", "1 , 2 ,3", "1 2\t3", "1\r\n\r\n2,\r\n3"}) {
        auto r = reader(text);
        EXPECT_EQ(r.readInt16("a"), 1) << text;
        EXPECT_EQ(r.readInt16("b"), 2) << text;
        EXPECT_EQ(r.readInt16("c"), 3) << text;
        EXPECT_TRUE(r.atEnd()) << text;
    }
    auto r = reader("-5,+7,-32768,32767");
    for (int expected : {-5, 7, -32768, 32767})
        EXPECT_EQ(r.readInt16("a"), expected);
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

    auto spanning = reader("\"a\r\nb\",x\r\ny\r\n1O");
    for (int i = 0; i < 3; ++i)
        spanning.readText("t");
    EXPECT_EQ(errorFrom([&] { spanning.readInt16("n"); }).line(), 4) << "a quoted line break counts";
}

TEST(FieldReader, BadNumbersAreErrorsNeverZero)
{
    struct Row {
        const char* content;
        const char* message;
    };
    const Row rows[] = {
        {"abc", "found \"abc\""},
        {"12abc", "found \"12abc\""},
        {",5", "an empty field"},
        {"-", "found \"-\""},
        {"+-3", "found \"+-3\""},
        {"4.5", "found \"4.5\""},
        {"99999999999999999999999", "expected n within -2147483648..2147483647"},
        {"\"never closed, at all\r\n", "never closed"},
        {"", "test.dat:1: field 1: expected n, found the end of the file"},
    };
    for (const Row& row : rows) {
        auto r = reader(row.content);
        DataFileError e = errorFrom([&] { r.readInt32("n"); });
        EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << e.what();
    }
    auto r16 = reader("32768");
    EXPECT_STREQ(errorFrom([&] { r16.readInt16("a count"); }).what(),
                 "test.dat:1: field 1: expected a count within -32768..32767, found \"32768\"");
    auto text = reader("1,2\r\n");
    text.readText("a");
    text.readText("b");
    EXPECT_NE(std::string(errorFrom([&] { text.readText("a heading line"); }).what())
                  .find("expected a heading line, found the end of the file"),
              std::string::npos);
}

TEST(FieldReader, OpensFilesNamingPathAndReasonOnFailure)
{
    TempDir dir;
    FieldReader r = FieldReader::open(dir.write("a.dat", "7,\"x, y\"\r\n"));
    EXPECT_EQ(r.readInt16("n"), 7);
    EXPECT_EQ(r.readText("t"), "x, y");
    EXPECT_TRUE(r.atEnd());

    DataFileError e = errorFrom([&] { FieldReader::open(dir.file("nothing.dat")); });
    EXPECT_EQ(e.path(), dir.file("nothing.dat"));
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos);
}

#include "textio/DataFileError.h"
#include "textio/FieldReader.h"

#include "ErrorText.h"

#include <gtest/gtest.h>

namespace {

FieldReader reader(std::string content)
{
    return FieldReader("test.dat", std::move(content));
}

} // namespace

TEST(FieldReader, TextFieldsQuotesBlanksAndLines)
{
    struct Row {
        const char* content;
        std::vector<std::string> fields;
    };
    const Row rows[] = {
        { "\"Stoke, North\",next\r\n", { "Stoke, North", "next" } },
        { "   Aston  ,  \"  padded \"\r\n", { "Aston", "  padded " } },
        { "\"Heading\"junk,7", { "Heading", "7" } }, // what follows a closing quote is dropped
        { "\"a\r\nb\",x\r\ny\r\n", { "a\r\nb", "x", "y" } },
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
    for (const char* text : { "1\n2\n3\n", "1\r2\r3", "1 , 2 ,3", "1 2\t3", "1\r\n\r\n2,\r\n3" }) {
        auto r = reader(text);
        for (int expected : { 1, 2, 3 })
            EXPECT_EQ(r.readInt16("n"), expected) << text;
        EXPECT_TRUE(r.atEnd()) << text;
    }
    auto r = reader("-5,+7,-32768,32767");
    for (int expected : { -5, 7, -32768, 32767 })
        EXPECT_EQ(r.readInt16("a"), expected);
}

TEST(FieldReader, BadNumbersAreErrorsNamingLineFieldAndTextEscapedAndCut)
{
    struct Row {
        const char* content;
        const char* message;
    };
    const Row rows[] = {
        { "1\r\n2,\r\n3,1O\r\n", "test.dat:3: field 2: expected n, found \"1O\"" },
        { "12abc", "found \"12abc\"" },
        { ",5", "an empty field" },
        { "+-3", "found \"+-3\"" },
        { "99999999999999999999999", "expected n within -2147483648..2147483647" },
        { "\"never closed, at all\r\n", "never closed" },
        { "", "test.dat:1: field 1: expected n, found the end of the file" },
        { "1,2\r\n3\r\n\x1a", "test.dat:2: field 2: expected n, found the end of the file" },
        // Control characters escaped.
        { "\x1b[31mred\a,2", "test.dat:1: field 1: expected n, found \"\\x1b[31mred\\x07\"" },
    };
    for (const Row& row : rows) {
        auto r = reader(row.content);
        DataFileError e = dataFileErrorFrom([&] {
            for (int i = 0; i < 4; ++i)
                r.readInt32("n");
        });
        EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << e.what();
    }
    auto spanning = reader("\"a\r\nb\",x\r\ny\r\n1O");
    for (int i = 0; i < 3; ++i)
        spanning.readText("t");
    EXPECT_EQ(dataFileErrorFrom([&] { spanning.readInt16("n"); }).line(), 4) << "a quoted line break counts";

    // Data files can hold anything: a path is escaped too, and a message shows at most
    // about 40 characters, never half a UTF-8 letter.
    EXPECT_STREQ(DataFileError("a\x1b.dat", 3, 0, "x").what(), "a\\x1b.dat:3: x");
    std::string name = "a";
    for (int i = 0; i < 30; ++i)
        name += "\xc3\xa9"; // é
    EXPECT_EQ(DataFileError::shown(name), "\"" + name.substr(0, 39) + "...\"");
}

// One record too many, or a value split by a blank, would shift every later
// record; only blank lines may follow the last expected field.
TEST(FieldReader, DataBeyondTheExpectedEndNamesTheFirstExtraLine)
{
    struct Row {
        const char* content;
        const char* message; // empty: the end is clean
    };
    const Row rows[] = {
        { "1,2\r\n3,4\r\n\r\n  \r\n\n", "" },
        { "1,2\r\n3,4\r\n3,4\r\n", "test.dat:3: field 1: expected the end of the file after 2 records, found \"3\"" },
        { "1,2\r\n3,4\r\n\r\n5\r\n", "test.dat:4: field 1: expected the end of the file after 2 records, found \"5\"" },
        { "1,2\r\n3 0,4\r\n", "test.dat:2: field 3: expected the end of the file after 2 records, found \"4\"" },
        { "1,2\r\n3,4,\r\n,\r\n",
            "test.dat:3: field 1: expected the end of the file after 2 records, found an empty field" },
        // A DOS end-of-file mark, alone, padded or among blank lines, ends the data
        // (a record after it: the area loader's test).
        { "1,2\r\n3,4\x1a", "" },
        { "1,2\r\n3,4\r\n\r\n\x1a\x1a\r\n  \n", "" },
    };
    for (const Row& row : rows) {
        auto r = reader(row.content);
        for (int i = 0; i < 4; ++i)
            r.readInt16("n");
        if (*row.message == '\0')
            EXPECT_NO_THROW(r.expectEnd("2 records")) << row.content;
        else
            EXPECT_STREQ(dataFileErrorFrom([&] { r.expectEnd("2 records"); }).what(), row.message);
    }
}

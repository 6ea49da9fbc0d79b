#include "textio/ListItems.h"

#include <gtest/gtest.h>

#include <stdexcept>

using Items = std::vector<std::string>;

TEST(ListItems, SplitsOnCommasDropsBlanksKeepsQuotedCommasAndRefusesBadQuotes)
{
    const std::pair<const char*, Items> rows[] = {
        { "04BYFA, 04BYFB", { "04BYFA", "04BYFB" } },
        { " a ,b,, c ", { "a", "b", "c" } },
        { "\"Claywell, Upper and Lower\"", { "Claywell, Upper and Lower" } },
        { "\" padded \" , x", { " padded ", "x" } },
        { "x,\"\"", { "x", "" } },
        { "", {} },
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(splitListItems(text), expected) << text;
    // Unclosed quotes and text after them are refused.
    EXPECT_THROW(splitListItems("\"open, x"), std::invalid_argument);
    EXPECT_THROW(splitListItems("\"a\"b"), std::invalid_argument);
}

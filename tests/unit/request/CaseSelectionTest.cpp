#include "request/CaseSelection.h"

#include <gtest/gtest.h>

TEST(CaseSelection, ParsesCodesAndRangesAsTyped)
{
    struct Row {
        const char* text;
        std::vector<CodeInterval> codes;
    };
    const Row rows[] = {
        { "1,2", { { 1, 1 }, { 2, 2 } } },
        { "65-99", { { 65, 99 } } },
        { " 65 - 99 , 101 ", { { 65, 99 }, { 101, 101 } } },
        { "-1", { { -1, -1 } } },
        { "-9--1,0", { { -9, -1 }, { 0, 0 } } },
    };
    for (const Row& row : rows) {
        const ParsedCodes parsed = parseCodes(row.text);
        EXPECT_EQ(parsed.error, "") << row.text;
        EXPECT_EQ(parsed.codes, row.codes) << row.text;
    }
}

TEST(CaseSelection, RefusesBadCodesSayingWhy)
{
    const std::pair<const char*, const char*> rows[] = {
        { "", "no code given" },
        { "  ", "no code given" },
        { "1,,2", "empty item" },
        { "1,", "empty item" },
        { "99-65", "runs backwards" },
        { "abc", "\"abc\" is not a code" },
        { "65-", "\"65-\" is not a code" },
        { "1.5", "\"1.5\" is not a code" },
        { "+3", "\"+3\" is not a code" },
        { "99999999999", "is not a code" },
    };
    for (auto [text, expected] : rows) {
        const ParsedCodes parsed = parseCodes(text);
        EXPECT_NE(parsed.error.find(expected), std::string::npos) << text << ": " << parsed.error;
    }
    EXPECT_NE(parseCondition("Age").error.find("not VARIABLE=CODES"), std::string::npos);
    EXPECT_NE(parseCondition("=3").error.find("not VARIABLE=CODES"), std::string::npos);
    EXPECT_NE(parseCondition("Age=x").error.find("the condition \"Age=x\""), std::string::npos);
    const ParsedCondition good = parseCondition(" Age = 65-99,101");
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.condition, (CaseCondition { "Age", { { 65, 99 }, { 101, 101 } } }));
}

TEST(CaseSelection, TextGroupsPersonsBeforeHouseholds)
{
    auto household = [](const std::string& name) { return name == "Tenure" || name == "Cars"; };
    EXPECT_EQ(selectionText(CaseSelection {}, household), "All cases");
    EXPECT_EQ(selectionText(CaseSelection { { { "Tenure", { { 1, 1 }, { 2, 2 } } }, { "Age", { { 65, 99 } } } }, true },
                  household),
        "Persons: Age 65-99; households: Tenure 1, 2 (whole households)");
    EXPECT_EQ(selectionText(CaseSelection { { { "Cars", { { 0, 0 } } } }, false }, household), "Households: Cars 0");
    EXPECT_EQ(selectionText(CaseSelection { { { "Sex", { { 2, 2 } } }, { "Age", { { 16, 64 } } } }, false }, household),
        "Persons: Sex 2; Age 16-64");
}

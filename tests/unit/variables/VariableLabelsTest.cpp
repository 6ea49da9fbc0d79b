#include "variables/VariableLabels.h"

#include "base/DataFolders.h"
#include "demodata/SarCodebook.h"

#include "ErrorText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to); // throws when `from` is missing
}

class VariableLabelsTest : public ::testing::Test {
protected:
    std::string demoFile()
    {
        writeGlossaryPages(m_dir.path() + "/");
        return readFile(m_dir.file(kVariableLabelsFile));
    }
    std::optional<VariableLabels> load(const std::string& content)
    {
        m_dir.write(std::string("SARGlossary/") + kVariableLabelsFile, content);
        return loadVariableLabels(DataFolders::under(m_dir.path()));
    }
    TempDir m_dir;
};

} // namespace

TEST_F(VariableLabelsTest, TheGeneratorsFileReadsBackAndAMalformedOneNamesItsLineAndWhatWasExpected)
{
    const std::string good = demoFile();
    // Read back, the generator's file gives the tables it came from, meanings holding
    // commas ("owner occupied, owned outright") among them.
    EXPECT_EQ(load(good), std::optional(demoVariableLabels()));
    struct Case {
        std::string from, to, message;
    };
    const Case cases[] = {
        { "\"Household variables\",15", "\"Households\",15",
            ":1: field 1: expected the heading \"Household variables\"" },
        { "\"Household variables\",15", "\"Household variables\",14", ":1: field 2:" },
        { "Bath,\"Use of", "Bathe,\"Use of",
            "expected the name of Household variables number 3, \"Bath\", found \"Bathe\"" },
        { "1,1000,\"record number\"", "1000,1,\"record number\"",
            ":3: field 2: expected a range of HNUM running low to high" },
    };
    for (const Case& c : cases)
        EXPECT_NE(dataFileErrorOf([&] { load(replaced(good, c.from, c.to)); }).find(c.message), std::string::npos)
            << c.to;
    EXPECT_NE(dataFileErrorOf([&] { load(good + "Extra,\"x\",0\r\n"); }).find("expected the end of the file"),
        std::string::npos);
}

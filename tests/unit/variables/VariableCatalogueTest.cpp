#include "variables/VariableCatalogue.h"

#include "base/DataFolders.h"
#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "FakeListBox.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

std::string variableMap(const std::vector<int>& hhMap, const std::vector<int>& indMap)
{
    std::string text = "\"Household, with a comma\"\r\n";
    for (std::size_t r = 0; r < hhMap.size(); ++r)
        text += std::to_string(hhMap[r]) + "," + std::to_string(r + 1) + "\r\n";
    text += "Individual\r\n";
    for (std::size_t r = 0; r < indMap.size(); ++r)
        text += std::to_string(indMap[r]) + ", " + std::to_string(r + 1) + "\r\n";
    return text;
}

std::vector<int> identity(int n)
{
    std::vector<int> map(static_cast<std::size_t>(n) + 1);
    std::iota(map.begin(), map.end(), 0);
    return map;
}

class VariableCatalogueTest : public ::testing::Test {
protected:
    VariableCatalogue load(const std::string& content = variableMap(identity(15), identity(33)))
    {
        m_dir.write("ProgramData/VariableMap.dat", content);
        return loadVariableCatalogue(DataFolders::under(m_dir.path()));
    }
    TempDir m_dir;
    FakeListBox hh, ind;
};

} // namespace

TEST_F(VariableCatalogueTest, IdentityMapWidthsAndResetKeepingRowZeroWhileDisabled)
{
    VariableCatalogue c = load();
    // Identifier widths follow the record counts whatever the file says.
    EXPECT_EQ(c.indVarWidths[1], 4);
    EXPECT_EQ(c.indVarWidths[2], 4);
    EXPECT_EQ(c.hhVarWidths[4], 5); // pair 4 of the file
    EXPECT_EQ(c.indVarWidths[33], 34);
    fillVariableLists(c, hh, ind);
    hh.selected.assign(16, true);
    setDefaultVars(c, hh, ind);
    EXPECT_EQ(hh.selectedWhileEnabled + ind.selectedWhileEnabled, 0);
    EXPECT_TRUE(hh.enabled && ind.enabled);
    EXPECT_EQ(hh.selectedRows(), (std::vector<int> { 0, 1, 4, 10, 11, 12 }));
}

TEST_F(VariableCatalogueTest, BadFilesAreRefusedWithFileAndPlace)
{
    std::vector<int> hhBad = identity(15);
    hhBad[3] = 0; // rows 1..15 must map to a real variable
    std::vector<int> indBad = identity(33);
    indBad[0] = 34;
    struct Case {
        std::string content;
        std::string expected;
    } cases[] = {
        { variableMap(hhBad, identity(33)),
            "VariableMap.dat:5: field 1: expected the variable number of household list row 3 within 1..15, found 0" },
        { variableMap(identity(15), indBad),
            "expected the variable number of individual list row 0 within 0..33, found 34" },
    };
    for (const Case& c : cases) {
        std::string error = dataFileErrorOf([&] { load(c.content); });
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

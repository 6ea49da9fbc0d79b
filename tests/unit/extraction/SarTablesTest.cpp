#include "extraction/SarTables.h"

#include "shell/DataFolders.h"
#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "MiniDataTree.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

class SarTablesTest : public ::testing::Test {
protected:
    void SetUp() override { writeMiniDataTree(m_dir.path()); }
    SarTables load() { return loadSarTables(DataFolders::under(m_dir.path())); }
    std::string loadError() { return dataFileErrorOf([&] { load(); }); }
    TempDir m_dir;
};

} // namespace

TEST_F(SarTablesTest, LoadsRecordsAndPersonRanges)
{
    SarTables t = load();
    EXPECT_EQ(t.household(1, 1), 1);
    EXPECT_EQ(t.household(1000, 15), 2514);
    EXPECT_EQ(t.personRange(7), std::make_pair(13, 14));
    EXPECT_EQ(t.personRange(1000), std::make_pair(1999, 2514));
    EXPECT_EQ(t.person(2514, 1), 1000);
    EXPECT_EQ(t.person(3, 5), (3 * 5) % 11 - 1);
}

TEST_F(SarTablesTest, LineLayoutDoesNotMatterAndExtraValuesAreIgnored)
{
    SarTables reference = load();
    std::string oneLine = readFile(m_dir.file("SARData/HHSAR.dat"));
    for (char& c : oneLine)
        if (c == '\r' || c == '\n')
            c = ' ';
    m_dir.write("SARData/HHSAR.dat", oneLine + " 99 98 97");
    std::string perLine = readFile(m_dir.file("SARData/IndSAR.dat"));
    std::string rewritten;
    for (char c : perLine)
        rewritten += c == ',' ? std::string("\r\n") : std::string(1, c);
    m_dir.write("SARData/IndSAR.dat", rewritten + "5,5,5\r\n");
    SarTables t = load();
    for (int h = 1; h <= kNumSarHouseholds; ++h)
        for (int k = 1; k <= kNumHhVars; ++k)
            ASSERT_EQ(t.household(h, k), reference.household(h, k));
    for (int p = 1; p <= kNumSarPersons; ++p)
        for (int k = 1; k <= kNumIndVars; ++k)
            ASSERT_EQ(t.person(p, k), reference.person(p, k));
}

TEST_F(SarTablesTest, ShortOrBadFilesNameFileAndRecord)
{
    m_dir.write("SARData/IndSAR.dat", "1,1,30\r\n");
    EXPECT_NE(loadError().find("IndSAR.dat:1: field 4: expected field 4 of person record 1, found the end of the file"),
              std::string::npos);
    writeMiniDataTree(m_dir.path());
    m_dir.write("SARData/HHSAR.dat", "1,2,3,x4\r\n");
    EXPECT_NE(loadError().find("HHSAR.dat:1: field 4: expected field 4 of household record 1, found \"x4\""),
              std::string::npos);
    writeMiniDataTree(m_dir.path());
    m_dir.write("SARData/HHSAR.dat", "1,2,3,4294967296\r\n");
    EXPECT_NE(loadError().find("within -2147483648..2147483647"), std::string::npos);
}

TEST_F(SarTablesTest, PersonRangesOutsideTheTableOrReversedAreErrors)
{
    SarTables t = load();
    t.household(5, 14) = 0;
    t.household(6, 15) = 2515;
    t.household(7, 14) = 20;  // first after last (14)
    for (int row : {5, 6, 7}) {
        try {
            t.personRange(row);
            ADD_FAILURE() << "household " << row;
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.line(), row);
            EXPECT_NE(std::string(e.what()).find("household record " + std::to_string(row)), std::string::npos);
        }
    }
    t.household(8, 14) = t.household(8, 15);
    EXPECT_EQ(t.personRange(8).first, t.personRange(8).second);  // one person
}

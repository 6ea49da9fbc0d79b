#include "extraction/SarTables.h"

#include "base/DataFolders.h"
#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "FixtureData.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SarTablesTest : public ::testing::Test {
protected:
    void SetUp() override { FixtureData::write(m_dir); }
    SarTables load() { return loadSarTables(DataFolders::under(m_dir.path())); }
    TempDir m_dir;
};

} // namespace

TEST_F(SarTablesTest, LineLayoutDoesNotMatterButExtraValuesAreErrors)
{
    std::string rewritten; // one value a line
    for (char c : readFile(m_dir.file("SARData/IndSAR.dat")))
        rewritten += c == ',' ? std::string("\r\n") : std::string(1, c);
    m_dir.write("SARData/IndSAR.dat", rewritten);
    const SarTables t = load();
    EXPECT_EQ(t.person(1, 3), -5);
    EXPECT_EQ(t.person(2514, 1), 1000);

    // A duplicated record anywhere shifts every later one: refused at the extra line.
    const long lines = static_cast<long>(std::count(rewritten.begin(), rewritten.end(), '\n'));
    m_dir.write("SARData/IndSAR.dat", rewritten + "\r\n5,5,5\r\n");
    DataFileError e = dataFileErrorFrom([&] { load(); });
    EXPECT_EQ(e.path(), m_dir.file("SARData/IndSAR.dat"));
    EXPECT_EQ(e.line(), lines + 2);
}

TEST_F(SarTablesTest, ShortOrBadFilesNameFileAndRecord)
{
    struct Row {
        const char* file;
        const char* content;
        const char* expected;
    };
    for (const Row& row : {
             Row { "IndSAR.dat", "1,1,30\r\n",
                 "IndSAR.dat:1: field 4: expected field 4 of person record 1, found the end of the file" },
             Row { "HHSAR.dat", "1,2,3,x4\r\n",
                 "HHSAR.dat:1: field 4: expected field 4 of household record 1, found \"x4\"" },
         }) {
        // The households are read first: the person file broken before does not hide them.
        m_dir.write(std::string("SARData/") + row.file, row.content);
        std::string error = dataFileErrorOf([&] { load(); });
        EXPECT_NE(error.find(row.expected), std::string::npos) << error;
    }
}

TEST_F(SarTablesTest, PersonRangesOutsideTheTableOrReversedAreErrors)
{
    SarTables t = load();
    t.household(5, 14) = 0;
    t.household(6, 15) = 2515;
    t.household(7, 14) = 22; // first after last (21)
    for (int row : { 5, 6, 7 }) {
        DataFileError e = dataFileErrorFrom([&] { t.personRange(row); });
        EXPECT_EQ(e.line(), row);
        EXPECT_NE(std::string(e.what()).find("household record " + std::to_string(row)), std::string::npos);
    }
    t.household(8, 14) = t.household(8, 15);
    EXPECT_EQ(t.personRange(8).first, t.personRange(8).second); // one person
}

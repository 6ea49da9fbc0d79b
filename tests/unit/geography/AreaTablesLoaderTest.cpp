#include "geography/AreaTablesLoader.h"

#include "shell/DataFolders.h"
#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "MiniDataTree.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

class AreaTablesLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { writeMiniDataTree(m_dir.path()); }

    AreaTables load() { return loadAreaTables(DataFolders::under(m_dir.path())); }
    void put(const std::string& file, const std::string& content) { m_dir.write("ProgramData/" + file, content); }
    std::string programData(const std::string& file) const { return m_dir.file("ProgramData/" + file); }

    std::string loadError() { return dataFileErrorOf([&] { load(); }); }

    TempDir m_dir;
};

std::string repeatLines(const std::string& line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line + "\r\n";
    return text;
}

std::string mapFile(int records, const std::string& fields)
{
    std::string text = "Heading\r\n";
    for (int i = 1; i <= records; ++i)
        text += std::to_string(i) + "," + fields + "\r\n";
    return text;
}

} // namespace

TEST_F(AreaTablesLoaderTest, LoadsEveryTableWithModesAllAndNoMemberFlags)
{
    AreaTables t = load();
    EXPECT_EQ(t.countryNames[4], "Northern Ireland");
    EXPECT_EQ(t.regionNames[7], "Rest of South East");
    for (auto* names : {&t.countryNames, &t.regionNames, &t.countyNames, &t.districtNames, &t.wardNames})
        EXPECT_EQ((*names)[0], "All");
    EXPECT_EQ(t.countyNames[68], "County 68");
    EXPECT_EQ(t.wardNames[kNumWards], "Ward 11499");
    EXPECT_EQ(t.wardCodes[1], miniWardCode(1));
    EXPECT_EQ(t.region2Country[13], 4);
    EXPECT_EQ(t.district2Ward[485][1], kNumWards);
    EXPECT_EQ(t.onsCounty2Region[0], 13);
    EXPECT_EQ(t.onsCounty2Region[68], 0);
    EXPECT_EQ(t.eds2Ward[97][kLetteredParts], 2);
    for (auto* flags : {&t.countryFlags, &t.regionFlags, &t.countyFlags, &t.districtFlags, &t.wardFlags}) {
        EXPECT_EQ((*flags)[0], kModeAll);
        for (std::size_t i = 1; i < flags->size(); ++i)
            ASSERT_EQ((*flags)[i], 0);
    }
    EXPECT_FALSE(t.wardListExpanded);
}

TEST_F(AreaTablesLoaderTest, QuotedNameKeepsCommaAndExtraRecordsAreIgnored)
{
    std::string names = "\"Stoke, North\"\r\n";
    for (int k = 2; k <= kNumCounties + 5; ++k)
        names += "C" + std::to_string(k) + "\r\n";
    put("County_Names.dat", names);
    AreaTables t = load();
    EXPECT_EQ(t.countyNames[1], "Stoke, North");
    EXPECT_EQ(t.countyNames[68], "C68");
}

TEST_F(AreaTablesLoaderTest, RecordNumbersAreReadButNotUsed)
{
    std::string text = "Heading\r\n";
    for (int r = 1; r <= kNumRegions; ++r)
        text += "0," + std::to_string(r == 13 ? 4 : 1) + "\r\n";
    put("Region2CountryMap.dat", text);
    AreaTables t = load();
    EXPECT_EQ(t.region2Country[11], 1);
    EXPECT_EQ(t.region2Country[13], 4);
}

TEST_F(AreaTablesLoaderTest, LoneLineFeedsAreAccepted)
{
    put("Region2CountryMap.dat", "Heading\n1,1\n2,1\n3,1\n4,1\n5,1\n6,1\n7,1\n8,1\n9,1\n10,1\n11,2\n12,3\n13,4\n");
    EXPECT_EQ(load().region2Country[12], 3);
}

TEST_F(AreaTablesLoaderTest, BrokenFilesNameFileRecordAndWhatWasExpected)
{
    struct Case {
        const char* file;
        std::string content;
        std::string expected;
    };
    const Case cases[] = {
        // Without its heading the file is read one field out of step and runs short.
        {"Region2CountryMap.dat", repeatLines("1,1", 13),
         "Region2CountryMap.dat:13: field 3: expected the country number of record 13, found the end of the file"},
        {"County2RegionMap.dat", mapFile(20, "3"), "expected the member number of record 21, found the end of the file"},
        {"District2CountyMap.dat", "H\r\n1,abc\r\n", "District2CountyMap.dat:2: field 2: expected the county number of record 1, found \"abc\""},
        {"Region2CountryMap.dat", mapFile(13, "5"), "expected the country number of record 1 within 1..4, found 5"},
        {"Ward2DistrictMap.dat", mapFile(11499, "70000"), "within -32768..32767, found \"70000\""},
        {"EDs2WardMap.dat", mapFile(11499, "5,27,100,40"), "expected the lettered part count of record 1 within 0..26"},
        {"County_Names.dat", "Only\r\nTwo\r\n", "expected the county name of record 3, found the end of the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writeMiniDataTree(m_dir.path());
        put(c.file, c.content);
        std::string error = loadError();
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(error.rfind(m_dir.path(), 0), 0u) << "the message should start with the file's path: " << error;
    }
}

TEST_F(AreaTablesLoaderTest, WardCodesThatCouldEscapeTheirFolderOrHaveNoRegionAreRefused)
{
    for (const char* bad : {"../BYF", "99ABCD", "08BY", "08 BYFA", "XXBYFA"}) {
        SCOPED_TRACE(bad);
        std::string codes;
        for (int w = 1; w <= kNumWards; ++w)
            codes += (w == 57 ? std::string(bad) : miniWardCode(w)) + "\r\n";
        put("Ward_Codes.dat", codes);
        std::string error = loadError();
        EXPECT_NE(error.find("Ward_Codes.dat:57: field 1: expected the ward code of record 57"), std::string::npos)
            << error;
    }
}

TEST_F(AreaTablesLoaderTest, DistrictWardRangeMustMatchTheWardsOwnDistrict)
{
    std::string text = "Heading\r\n1,1,30\r\n";  // district 1 really ends at ward 24
    for (int d = 2; d <= kNumDistricts; ++d)
        text += std::to_string(d) + ",2,1\r\n";     // first > last: no wards, which is valid
    put("District2WardMap.dat", text);
    std::string error = loadError();
    EXPECT_NE(error.find("record 1: district 1 lists wards 1..30"), std::string::npos) << error;
}

TEST_F(AreaTablesLoaderTest, MissingFolderNamesTheFirstFile)
{
    TempDir empty;
    try {
        loadAreaTables(DataFolders::under(empty.path()));
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.path(), empty.path() + "/ProgramData/County_Names.dat");
    }
}

TEST(CensusCountyNumber, DigitsNiAndAnythingElse)
{
    EXPECT_EQ(censusCountyNumber("08BYFA01"), 8);
    EXPECT_EQ(censusCountyNumber("67"), 67);
    EXPECT_EQ(censusCountyNumber("NIAAAA"), 0);
    EXPECT_EQ(censusCountyNumber("ni"), -1);
    EXPECT_EQ(censusCountyNumber("8"), -1);
    EXPECT_EQ(censusCountyNumber("X8BYFA"), -1);
}

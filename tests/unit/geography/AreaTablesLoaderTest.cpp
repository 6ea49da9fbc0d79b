#include "geography/AreaTablesLoader.h"

#include "base/DataFolders.h"
#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "FixtureData.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

class AreaTablesLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { FixtureData::write(m_dir); }

    AreaTables load() { return loadAreaTables(DataFolders::under(m_dir.path())); }
    void put(const std::string& file, const std::string& content) { m_dir.write("ProgramData/" + file, content); }

    TempDir m_dir;
};

} // namespace

TEST_F(AreaTablesLoaderTest, LoadsQuotedAndLatin1NamesLoneLineFeedsAndADosEndOfFile)
{
    // Old editors end a file with Ctrl-Z; blank lines may come before or after it.
    put("County_Names.dat",
        "\"Stoke, North\"\r\n" + readFile(m_dir.file("ProgramData/County_Names.dat")).substr(10) + "\r\n\x1a\r\n");
    // Record numbers are read but not used; lone line feeds end lines too.
    std::string regions = "Heading\n";
    for (int r = 1; r <= kNumRegions; ++r)
        regions += "0," + std::to_string(r <= 11 ? 1 : r - 9) + "\n";
    put("Region2CountryMap.dat", regions);
    AreaTables t = load();
    EXPECT_EQ(t.level(AreaLevel::County).names[1], "Stoke, North");
    EXPECT_EQ(t.level(AreaLevel::Ward).names[10], "Ynys M\xf4n") << "names are kept byte for byte";
    EXPECT_EQ(t.level(AreaLevel::Region).parents[11], 1);
    EXPECT_EQ(t.level(AreaLevel::Region).parents[13], 4);
}

TEST_F(AreaTablesLoaderTest, BrokenFilesNameFileRecordAndWhatWasExpected)
{
    struct Case {
        const char* file;
        std::string content;
        std::string expected;
    };
    std::string codes = readFile(m_dir.file("ProgramData/Ward_Codes.dat"));
    auto badCode57 = [&codes](const std::string& bad) {
        return std::string(codes).replace(codes.find(FixtureData::wardCode(57)), 6, bad);
    };
    const std::string wardCode57 = "Ward_Codes.dat:57: field 1: expected the ward code of record 57";
    std::string headless;
    for (int r = 1; r <= kNumRegions; ++r)
        headless += "1,1\r\n";
    std::string districtWards = "Heading\r\n1,1,30\r\n"; // district 1 really ends at ward 24
    for (int d = 2; d <= kNumDistricts; ++d)
        districtWards += std::to_string(d) + ",2,1\r\n"; // first > last: no wards, which is valid
    const Case cases[] = {
        // Without its heading the file is read one field out of step and runs short.
        { "Region2CountryMap.dat", headless,
            "Region2CountryMap.dat:13: field 3: expected the country number of record 13, found the end of the file" },
        { "Region2CountryMap.dat", "H\r\n1,5\r\n", "expected the country number of record 1 within 1..4, found 5" },
        { "EDs2WardMap.dat", "H\r\n1,5,27,100,40\r\n", "expected the lettered part count of record 1 within 0..26" },
        { "County_Names.dat", readFile(m_dir.file("ProgramData/County_Names.dat")) + "\r\nC69\r\n",
            "County_Names.dat:70: field 1: expected the end of the file" },
        { "County_Names.dat", readFile(m_dir.file("ProgramData/County_Names.dat")) + "\x1a\r\nC69\r\n",
            "County_Names.dat:69: field 1: expected the end of the file after 68 records" },
        { "District2WardMap.dat", districtWards, "District2WardMap.dat:2: record 1: district 1 lists wards 1..30" },
        // Codes that could escape their folder or have no region.
        { "Ward_Codes.dat", badCode57("../BYF"), wardCode57 },
        { "Ward_Codes.dat", badCode57("99ABCD"), wardCode57 },
        { "Ward_Codes.dat", badCode57("08BY"), wardCode57 },
        { "Ward_Codes.dat", badCode57("XXBYFA"), wardCode57 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 40));
        const std::string original = readFile(m_dir.file(std::string("ProgramData/") + c.file));
        put(c.file, c.content);
        std::string error = dataFileErrorOf([&] { load(); });
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(error.rfind(m_dir.path(), 0), 0u) << "the message should start with the file's path: " << error;
        put(c.file, original);
    }
}

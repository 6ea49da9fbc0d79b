#include "demodata/DemoData.h"
#include "demodata/HouseholdFiles.h"
#include "demodata/SarCodebook.h"

#include "extraction/HouseholdList.h"
#include "extraction/SarTables.h"
#include "geography/AreaTablesLoader.h"
#include "geography/EdCode.h"
#include "base/DataFolders.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace {

/// Every file under `root`, by path relative to it.
std::map<std::string, std::string> allFiles(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = readFile(entry.path().string());
    return files;
}

} // namespace

/// One demo set, written once and inspected with the program's own loaders.
class DemoDataSet : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<TempDir>();
        s_summary = writeDemoData(s_dir->path());
        s_folders = DataFolders::under(s_dir->path());
        s_areas = std::make_unique<AreaTables>(loadAreaTables(s_folders));
    }

    static inline std::unique_ptr<TempDir> s_dir;
    static inline DemoSummary s_summary;
    static inline DataFolders s_folders;
    static inline std::unique_ptr<AreaTables> s_areas;
};

TEST_F(DemoDataSet, WardCodesAreUniqueAndShareTheirDistrictsCountyAndRegion)
{
    const AreaTables& t = *s_areas;
    std::set<std::string> codes(t.wardCodes.begin() + 1, t.wardCodes.end());
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kNumWards));
    for (int d = 1; d <= kNumDistricts; ++d) {
        const std::string& first = t.wardCodes[t.district2Ward[d][0]];
        ASSERT_LE(t.district2Ward[d][0], t.district2Ward[d][1]) << "district " << d << " has no ward";
        for (int w = t.district2Ward[d][0]; w <= t.district2Ward[d][1]; ++w) {
            ASSERT_EQ(t.wardCodes[w].substr(0, 4), first.substr(0, 4)) << "ward " << w << " of district " << d;
            // The region found from the code's census county number must be the one
            // found through the ward's district and list county.
            ASSERT_EQ(t.onsCounty2Region[censusCountyNumber(t.wardCodes[w])],
                t.level(AreaLevel::County).parents[t.level(AreaLevel::District).parents[d]])
                << t.wardCodes[w];
        }
    }
}

TEST_F(DemoDataSet, HouseholdFilesMatchTheirWards)
{
    std::map<std::string, int> counts; // by ED code
    std::set<std::string> wards;
    for (const auto& entry : fs::recursive_directory_iterator(s_folders.populationDataFolder)) {
        if (!entry.is_regular_file())
            continue;
        HouseholdList households; // read as an extraction reads it
        households.read(entry.path().string());
        counts[entry.path().stem().string()] = households.count();
        wards.insert(entry.path().stem().string().substr(0, 6));
    }
    EXPECT_EQ(counts.size(), static_cast<std::size_t>(s_summary.householdFiles));
    EXPECT_EQ(wards.count(kSampleWardCode), 1u) << "extractions substitute from the sample ward";
    std::size_t found = 0;
    for (int w = 1; w <= kNumWards; ++w) {
        const std::string& code = s_areas->wardCodes[w];
        if (wards.count(code) == 0)
            continue;
        ++found;
        const auto& row = s_areas->eds2Ward[w];
        int households = 0;
        for (int e = 1; e <= row[kEdCount]; ++e) {
            // A divided ED exists only as its lettered parts.
            EXPECT_EQ(counts.count(edCode(code, e, 0)), row[kLetteredParts] == 0 ? 1u : 0u) << edCode(code, e, 0);
            for (int k = row[kLetteredParts] == 0 ? 0 : 1; k <= row[kLetteredParts]; ++k) {
                auto file = counts.find(edCode(code, e, k));
                ASSERT_NE(file, counts.end()) << edCode(code, e, k);
                households += file->second;
            }
        }
        EXPECT_EQ(households, row[kHouseholds]) << code;
    }
    EXPECT_EQ(found, wards.size()) << "household files of no ward";
}

TEST_F(DemoDataSet, SarRecordsHoldTheirPersonsAndDocumentedCodes)
{
    SarTables sar = loadSarTables(s_folders);
    const auto& hhDocs = householdVariableDocs();
    const auto& indDocs = individualVariableDocs();
    int nextPerson = 1;
    for (int h = 1; h <= kNumSarHouseholds; ++h) {
        ASSERT_EQ(sar.household(h, 1), h);
        auto [first, last] = sar.personRange(h);
        ASSERT_EQ(first, nextPerson) << "household " << h;
        ASSERT_EQ(sar.household(h, 10), last - first + 1) << "PersInHH of household " << h;
        for (int p = first; p <= last; ++p) {
            ASSERT_EQ(sar.person(p, 1), h) << "person " << p;
            ASSERT_EQ(sar.person(p, 2), p - first + 1) << "person " << p;
        }
        nextPerson = last + 1;
        for (int f = 1; f <= kNumHhVars; ++f)
            EXPECT_TRUE(hhDocs[f - 1].documents(sar.household(h, f)))
                << hhDocs[f - 1].name << " of household " << h << " is " << sar.household(h, f);
    }
    EXPECT_EQ(nextPerson, kNumSarPersons + 1);
    for (int p = 1; p <= kNumSarPersons; ++p)
        for (int f = 1; f <= kNumIndVars; ++f)
            EXPECT_TRUE(indDocs[f - 1].documents(sar.person(p, f)))
                << indDocs[f - 1].name << " of person " << p << " is " << sar.person(p, f);
}

// A second run gives the same bytes, and every line ends with CR LF.
TEST_F(DemoDataSet, SecondRunWritesTheSameCrLfBytes)
{
    TempDir again;
    writeDemoData(again.path() + "/");
    auto first = allFiles(s_dir->path());
    EXPECT_TRUE(allFiles(again.path()) == first);
    for (const auto& [path, content] : first) {
        std::size_t i = content.find_first_of("\r\n");
        while (i != std::string::npos && content.compare(i, 2, "\r\n") == 0)
            i = content.find_first_of("\r\n", i + 2);
        EXPECT_EQ(i, std::string::npos) << path << ": a lone CR or LF";
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n")) << path;
    }
}

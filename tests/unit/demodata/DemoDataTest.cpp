#include "demodata/DemoData.h"
#include "demodata/HouseholdFiles.h"
#include "demodata/SarCodebook.h"

#include "extraction/SarTables.h"
#include "geography/AreaTablesLoader.h"
#include "geography/EdCode.h"
#include "base/DataFolders.h"
#include "textio/DataFileError.h"
#include "textio/FieldReader.h"
#include "variables/VariableCatalogue.h"

#include "ErrorText.h"
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

std::vector<std::int64_t> householdNumbers(const std::string& path)
{
    FieldReader reader = FieldReader::open(path);
    std::vector<std::int64_t> values;
    while (!reader.atEnd())
        values.push_back(reader.readInteger("a household record number", 1, kNumSarHouseholds));
    return values;
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
    static void TearDownTestSuite()
    {
        s_areas.reset();
        s_dir.reset();
    }

    static int wardOf(const std::string& code)
    {
        for (int w = 1; w <= kNumWards; ++w)
            if (s_areas->wardCodes[w] == code)
                return w;
        return 0;
    }

    static inline std::unique_ptr<TempDir> s_dir;
    static inline DemoSummary s_summary;
    static inline DataFolders s_folders;
    static inline std::unique_ptr<AreaTables> s_areas;
};

TEST_F(DemoDataSet, WardCodesAreUniqueAndShareTheirDistrictsCountyRegionAndLetters)
{
    const AreaTables& t = *s_areas;
    std::set<std::string> codes(t.wardCodes.begin() + 1, t.wardCodes.end());
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kNumWards));
    bool commaName = false;
    std::set<std::string_view> lettersSeen;
    std::map<int, int> countyOfCensusNumber;
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
            commaName = commaName || t.level(AreaLevel::Ward).names[w].find(',') != std::string::npos;
        }
        // The letters name the folder of the district's household files; one census
        // number per list county and one list county per census number.
        EXPECT_TRUE(lettersSeen.insert(districtLetters(first)).second) << first;
        auto it
            = countyOfCensusNumber.emplace(censusCountyNumber(first), t.level(AreaLevel::District).parents[d]).first;
        EXPECT_EQ(it->second, t.level(AreaLevel::District).parents[d]) << first;
    }
    EXPECT_EQ(countyOfCensusNumber.size(), static_cast<std::size_t>(kNumCounties));
    EXPECT_TRUE(commaName) << "no quoted ward name with a comma";
}

TEST_F(DemoDataSet, HouseholdFilesMatchTheirWards)
{
    std::map<std::string, std::size_t> counts; // by ED code
    for (const auto& entry : fs::recursive_directory_iterator(s_folders.populationDataFolder)) {
        if (!entry.is_regular_file())
            continue;
        std::vector<std::int64_t> values = householdNumbers(entry.path().string());
        EXPECT_LE(values.size(), static_cast<std::size_t>(kMaxHouseholdsPerEd)) << entry.path();
        counts[entry.path().stem().string()] = values.size();
    }
    EXPECT_EQ(counts.size(), static_cast<std::size_t>(s_summary.householdFiles));

    std::set<std::string> wards;
    for (const auto& [code, count] : counts)
        wards.insert(code.substr(0, 6));
    EXPECT_GE(wards.size(), 4u);
    EXPECT_EQ(wards.count(kSampleWardCode), 1u) << "extractions substitute from the sample ward";
    bool emptyFile = false, northernIreland = false, divided = false, large = false;
    for (const std::string& code : wards) {
        int w = wardOf(code);
        ASSERT_NE(w, 0) << code;
        const auto& row = s_areas->eds2Ward[w];
        std::size_t households = 0;
        for (int e = 1; e <= row[kEdCount]; ++e) {
            // A divided ED exists only as its lettered parts.
            EXPECT_EQ(counts.count(edCode(code, e, 0)), row[kLetteredParts] == 0 ? 1u : 0u) << edCode(code, e, 0);
            for (int k = row[kLetteredParts] == 0 ? 0 : 1; k <= row[kLetteredParts]; ++k) {
                auto file = counts.find(edCode(code, e, k));
                ASSERT_NE(file, counts.end()) << edCode(code, e, k);
                households += file->second;
                emptyFile = emptyFile || file->second == 0;
            }
        }
        EXPECT_EQ(households, static_cast<std::size_t>(row[kHouseholds])) << code;
        northernIreland = northernIreland || code.starts_with("NI");
        divided = divided || row[kLetteredParts] > 0;
        large = large || row[kEdCount] > 30;
    }
    EXPECT_TRUE(emptyFile && northernIreland && divided && large);
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
            if (sar.person(p, 3) < 16) {
                EXPECT_EQ(sar.person(p, 7), -9) << "a child with an economic position, person " << p;
            }
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

// The widths feed the size estimate: a sign left out of a width goes unnoticed elsewhere.
TEST_F(DemoDataSet, VariableMapIsIdentityWithWidthsOfTheWrittenValues)
{
    VariableCatalogue catalogue = loadVariableCatalogue(s_folders);
    SarTables sar = loadSarTables(s_folders);
    std::array<std::size_t, kNumHhVars + 1> hh {};
    std::array<std::size_t, kNumIndVars + 1> ind {};
    for (int k = 1; k <= kNumHhVars; ++k)
        for (int h = 1; h <= kNumSarHouseholds; ++h)
            hh[k] = std::max(hh[k], std::to_string(sar.household(h, k)).size());
    for (int k = 1; k <= kNumIndVars; ++k)
        for (int p = 1; p <= kNumSarPersons; ++p)
            ind[k] = std::max(ind[k], std::to_string(sar.person(p, k)).size());
    for (int k = 1; k <= kNumHhVars; ++k)
        EXPECT_EQ(std::pair(int(catalogue.hhListMap[k]), int(catalogue.hhVarWidths[k])), std::pair(k, int(hh[k])))
            << "household " << k;
    // The loader sets HNUM and PNUM to the digits of the record counts.
    for (int k = kIndPnum + 1; k <= kNumIndVars; ++k)
        EXPECT_EQ(std::pair(int(catalogue.indListMap[k]), int(catalogue.indVarWidths[k])), std::pair(k, int(ind[k])))
            << "person " << k;
}

// A second run gives the same bytes, and every line ends with CR LF.
TEST_F(DemoDataSet, SecondRunWritesTheSameCrLfBytes)
{
    TempDir again;
    writeDemoData(again.path() + "/");
    auto first = allFiles(s_dir->path());
    EXPECT_EQ(allFiles(again.path()) == first, true);
    for (const auto& [path, content] : first) {
        std::size_t lf = 0;
        for (std::size_t i = content.find('\n'); i != std::string::npos; i = content.find('\n', i + 1), ++lf)
            ASSERT_TRUE(i > 0 && content[i - 1] == '\r') << path << " byte " << i;
        EXPECT_EQ(std::count(content.begin(), content.end(), '\r'), lf) << path;
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n")) << path;
    }
}

TEST(DemoDataErrors, UnwritableFolderIsReportedWithItsPath)
{
    TempDir dir;
    std::string blocker = dir.write("blocker", "a file where a folder should be");
    const std::string message = dataFileErrorOf([&] { writeDemoData(blocker + "/demo"); });
    EXPECT_NE(message.find(blocker + "/demo"), std::string::npos) << message;
}

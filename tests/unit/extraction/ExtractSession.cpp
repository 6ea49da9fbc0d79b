#include "ExtractSession.h"

#include "session/StartSession.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::unique_ptr<ApplicationState> loadFixture(const TempDir& dir, bool reversedMap)
{
    FixtureData::write(dir, reversedMap);
    return loadApplicationState(DataFolders::under(dir.path()));
}

AreaCascade::Lists pointersTo(std::array<FakeListBox, kNumAreaLevels>& lists)
{
    AreaCascade::Lists pointers;
    for (int i = 0; i < kNumAreaLevels; ++i)
        pointers[i] = &lists[i];
    return pointers;
}

} // namespace

ExtractSession::ExtractSession(bool reversedMap)
    : state(loadFixture(dir, reversedMap))
    , areas(state->areas)
    , settings(state->settings)
    , cascade(areas, pointersTo(areaLists))
{
    startSession(*state, cascade, hhList, indList);
    ::mkdir(dir.file("Zen91").c_str(), 0777);
    choices.spatialCodes[kSpatialEd] = true;
    choices.sizeWarningThreshold = "1";
}

ExtractCommand ExtractSession::command()
{
    return ExtractCommand(state->folders, areas, state->variables, settings, dialogs, state->random);
}

RequestChoices ExtractSession::chosen() const
{
    RequestChoices c = choices;
    VariableNames names = selectedVariableNames(state->variables, hhList, indList);
    c.householdVariables = std::move(names.household);
    c.individualVariables = std::move(names.individual);
    c.outputFolder = settings.outputFolder;
    c.rootFileName = settings.rootFileName;
    return c;
}

void ExtractSession::useEdList(const std::string& path)
{
    choices.edList = EdListRecord { path, {} };
}

void ExtractSession::chooseWards(std::initializer_list<int> wards)
{
    auto& wardFlags = areas.level(AreaLevel::Ward).flags;
    std::fill(wardFlags.begin(), wardFlags.end(), 0);
    wardFlags[0] = kModeIndividual;
    for (int w : wards)
        areas.level(AreaLevel::Ward).flags[w] = 1;
}

std::vector<std::string> filesIn(const std::string& folder, bool withDotFiles)
{
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
        if (withDotFiles || entry.path().filename().string()[0] != '.')
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void expectGolden(const std::string& name, const std::string& actual)
{
    const char* root = std::getenv("ZENDRA91_TEST_DATA");
    ASSERT_NE(root, nullptr);
    std::string path = std::string(root) + "/extraction/" + name;
    if (std::getenv("ZENDRA91_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::string expected = readFile(path);
    ASSERT_FALSE(expected.empty()) << "no golden file " << path;
    EXPECT_EQ(actual, expected) << "differs from " << path;
}

void writeGoldenUserList(const ExtractSession& s, const std::string& listName)
{
    s.dir.write("Zen91Data/BY/08BYFA01.res", "1, 2\r\n514 515\r\n");
    s.dir.write("Zen91Data/AA/NIAACC01A.res", "1000\r\n");
    s.dir.write("Zen91Data/CD/99CDEF01.res", "3\r\n"); // county 99: no region
    s.dir.write("Zen91Data/BY/08BYFA02.res", "");
    s.dir.write(listName,
        "08BYFA01\r\nBYFA01\r\n08BYFA99,NIAACC01A\r\n08BYFA01  \r\n08BY/../BY/08BYFA01\r\n"
        "99CDEF01\r\n08BYFA02\r\n");
}

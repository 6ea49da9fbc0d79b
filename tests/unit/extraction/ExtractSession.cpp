#include "ExtractSession.h"

#include "FixtureData.h"

#include "geography/AreaTablesLoader.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

void FakeListBox::selectOnly(const std::vector<std::string>& names)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        selected[r] = false;
        for (const std::string& name : names)
            if (r > 0 && trimmedName(rows[r]) == name)
                selected[r] = true;
    }
}

bool ScriptedDialogs::askYesNo(const ExtractMessage& message)
{
    shown.push_back(message);
    if (answers.empty())
        return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDialogs::inform(const ExtractMessage& message)
{
    shown.push_back(message);
}

std::vector<MessageId> ScriptedDialogs::ids() const
{
    std::vector<MessageId> result;
    for (const ExtractMessage& m : shown)
        result.push_back(m.id);
    return result;
}

ExtractSession::ExtractSession(bool reversedMap)
{
    FixtureData::write(dir, reversedMap);
    folders = DataFolders::under(dir.path());
    areas = loadAreaTables(folders);
    catalogue = loadVariableCatalogue(folders);
    fillVariableLists(catalogue, hhList, indList);
    setDefaultVars(catalogue, hhList, indList);
    ::mkdir(dir.file("Zen91").c_str(), 0777);
    settings.outputFolder = dir.path() + "/Zen91";
    settings.rootFileName = "Zen91";
    settings.edListFile = dir.path() + "/EDlist.txt";
    settings.separateFiles = true;
    inputs.edListText = settings.edListFile;
    inputs.spatialCodeFlags[kSpatialEd] = true;
    inputs.thresholdText = "1";
}

ExtractOutcome ExtractSession::extract()
{
    ExtractCommand command(folders, areas, catalogue, hhList, indList, settings, dialogs, random);
    return command.run(inputs);
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

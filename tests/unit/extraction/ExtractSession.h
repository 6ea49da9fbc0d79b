#pragma once

#include "FakeListBox.h"
#include "FixtureData.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

#include "extraction/ExtractCommand.h"
#include "geography/AreaTables.h"
#include "base/CurrentSettings.h"
#include "base/DataFolders.h"
#include "variables/VariableCatalogue.h"

#include <initializer_list>
#include <random>
#include <string>

/// A fixture data set in a temporary folder, loaded as the window loads it at
/// start-up, with the window's starting settings, and an Extract command over it.
/// Questions are answered Yes unless scripted.
class ExtractSession {
public:
    explicit ExtractSession(bool reversedMap = false);

    ExtractOutcome extract();
    std::string output(const std::string& name) const { return readFile(settings.outputFolder + name); }
    /// Expands the ward list with only `wards` chosen.
    void chooseWards(std::initializer_list<int> wards);

    TempDir dir;
    DataFolders folders;
    AreaTables areas;
    VariableCatalogue catalogue;
    FakeListBox hhList;
    FakeListBox indList;
    CurrentSettings settings;
    ScriptedDialogs dialogs;
    std::mt19937 random;
    ExtractInputs inputs;
};

/// Compares `actual` with tests/data/extraction/`name`; with ZENDRA91_UPDATE_GOLDEN
/// set, writes it there instead.
void expectGolden(const std::string& name, const std::string& actual);

/// The user ED list of the golden user-list extraction, written with the household
/// files it names under the session's folder as `listName`.
void writeGoldenUserList(const ExtractSession& s, const std::string& listName);

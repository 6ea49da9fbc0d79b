#pragma once

#include "FakeListBox.h"
#include "FixtureData.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

#include "extraction/ExtractCommand.h"
#include "geography/AreaCascade.h"
#include "session/ApplicationState.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

/// A fixture data set in a temporary folder, loaded and started as the window and
/// zendra91-extract start, and an Extract command over it.
/// Questions are answered Yes unless scripted.
class ExtractSession {
public:
    explicit ExtractSession(bool reversedMap = false);

    /// An Extract command over the session, to set up before running.
    ExtractCommand command();
    ExtractOutcome extract() { return command().run(chosen(), options); }
    /// `choices` with the variables the two lists select and the output folder and
    /// root name of the settings.
    RequestChoices chosen() const;
    /// Switches to the user ED list at `path`.
    void useEdList(const std::string& path);
    std::string output(const std::string& name) const { return readFile(settings.outputFolder + name); }
    /// Expands the ward list with only `wards` chosen.
    void chooseWards(std::initializer_list<int> wards);

    TempDir dir;
    std::unique_ptr<ApplicationState> state;
    AreaTables& areas;
    CurrentSettings& settings;
    std::array<FakeListBox, kNumAreaLevels> areaLists;
    AreaCascade cascade;
    FakeListBox hhList;
    FakeListBox indList;
    ScriptedDialogs dialogs;
    RequestChoices choices;
    ExtractOptions options;
};

/// The names in `folder`, sorted, without the dot files unless asked; none for a
/// missing folder.
std::vector<std::string> filesIn(const std::string& folder, bool withDotFiles = false);

/// Compares `actual` with tests/data/extraction/`name`; with ZENDRA91_UPDATE_GOLDEN
/// set, writes it there instead.
void expectGolden(const std::string& name, const std::string& actual);

/// The user ED list of the golden user-list extraction, written with the household
/// files it names under the session's folder as `listName`.
void writeGoldenUserList(const ExtractSession& s, const std::string& listName);

#pragma once

#include "TempDir.h"

#include "extraction/ExtractCommand.h"
#include "extraction/ExtractDialogs.h"
#include "geography/AreaTables.h"
#include "shell/CurrentSettings.h"
#include "shell/DataFolders.h"
#include "shell/ListBox.h"
#include "variables/VariableCatalogue.h"

#include <deque>
#include <random>
#include <string>
#include <vector>

/// Rows and selection only.
class FakeListBox : public ListBox {
public:
    int count() const override { return static_cast<int>(rows.size()); }
    void clear() override { rows.clear(); selected.clear(); }
    void addRow(const std::string& text) override { rows.push_back(text); selected.push_back(false); }
    void removeRow(int row) override { rows.erase(rows.begin() + row); selected.erase(selected.begin() + row); }
    bool isSelected(int row) const override { return selected.at(static_cast<std::size_t>(row)); }
    void setSelected(int row, bool on) override { selected.at(static_cast<std::size_t>(row)) = on; }
    void setEnabled(bool) override {}

    /// Selects exactly the rows showing `names` (trimmed).
    void selectOnly(const std::vector<std::string>& names);

    std::vector<std::string> rows;
    std::vector<bool> selected;
};

/// Answers questions from a script (Yes when it runs out) and records every message.
class ScriptedDialogs : public ExtractDialogs {
public:
    bool askYesNo(const ExtractMessage& message) override;
    void inform(const ExtractMessage& message) override;

    std::deque<bool> answers;
    std::vector<ExtractMessage> shown;
    std::vector<MessageId> ids() const;
};

/// A fixture data set in a temporary folder, loaded as the window loads it at
/// start-up, with the window's starting settings, and an Extract command over it.
class ExtractSession {
public:
    explicit ExtractSession(bool reversedMap = false);

    ExtractOutcome extract();
    std::string output(const std::string& name) const { return readFile(settings.outputFolder + name); }

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

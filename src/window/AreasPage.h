#pragma once

#include "geography/AreaTables.h"

#include <QList>

#include <array>

struct CurrentSettings;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QListWidget;
class QRadioButton;
class QWidget;

/// The Select Area(s) page, pgSelectAreas: either the five area lists, countries
/// down to wards, each beside its heading, or the user's ED list file.
struct AreasPage {
    QRadioButton* obSelectedAreas = nullptr;
    std::array<QListWidget*, kNumAreaLevels> areaLists {}; // by AreaLevel: lstCountries .. lstWards
    QRadioButton* obUserEDlist = nullptr;
    QLineEdit* txtUserEDlist = nullptr;
    QPushButton* btBrowseEdList = nullptr;
    QLabel* lblSelectionSummary = nullptr;
    /// Above the lists: where the window puts the find box once the areas are loaded.
    QHBoxLayout* findRow = nullptr;

    /// Creates the page and its controls; the window takes the page.
    QWidget* build();
    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
    /// Keeps the ED-list path in `settings` in step with its box.
    void mirrorInto(CurrentSettings& settings) const;
};

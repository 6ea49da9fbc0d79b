#pragma once

#include <QList>

class QListWidget;
class QPushButton;
class QWidget;

/// The Select Variable(s) page, pgSelectVars: the original variables above the
/// derived ones, each as a household and an individual list with Definitions and
/// Reset between them, and notes on the right. The derived lists stay empty.
struct VariablesPage {
    QListWidget* lstHHVars_Orig = nullptr;
    QListWidget* lstIndVars_Orig = nullptr;
    QListWidget* lstHHVars_Derived = nullptr;
    QListWidget* lstIndVars_Derived = nullptr;
    QPushButton* cmdOrigVarHelp = nullptr;
    QPushButton* cmdResetOrigVars = nullptr;
    QPushButton* cmdDerivedVarHelp = nullptr;
    QPushButton* cmdResetDerivedVars = nullptr;

    /// Creates the page and its controls; the window takes the page.
    QWidget* build();
    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
};

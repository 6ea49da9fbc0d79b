#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QMessageBox;
class QWidget;

/// The main window's menu bar: File (Open Request..., Open Recent, Save Request..., Quit) and
/// Help (Variable Definitions, About ZENDRA91). Each menu and action is named
/// (mnuFile, actOpenRequest, ...) and has its shortcut; the window connects them.
struct WindowMenu {
    QMenuBar* menuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* actOpenRequest = nullptr;
    /// The recent request files (the window fills it), a separator, then Clear Recent.
    QMenu* mnuOpenRecent = nullptr;
    QAction* actClearRecent = nullptr;
    QAction* actSaveRequest = nullptr;
    QAction* actQuit = nullptr;
    QAction* actVariableDefinitions = nullptr;
    QAction* actAbout = nullptr;

    /// Creates the menu bar; the caller puts it into its layout.
    void build();
};

/// The About box over `parent`: the program's name and version, its licence, what
/// it holds and the notice on its data. Shown without blocking; it deletes itself when closed.
QMessageBox* showAbout(QWidget* parent);

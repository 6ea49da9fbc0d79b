#pragma once

#include <QString>

class QWidget;

/// Where the Browse buttons and the File menu ask for a path; the window uses file
/// dialogs, tests a script. An empty result means the user cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& start) = 0;
    virtual QString chooseFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) = 0;
    /// A file to write, which may exist already (the dialog asks before replacing it).
    virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& start, const QString& filter)
        = 0;
};

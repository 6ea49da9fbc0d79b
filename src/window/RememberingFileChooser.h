#pragma once

#include "window/FileChooser.h"

class WindowSettings;

/// A FileChooser that starts each chooser in the folder it last used and
/// remembers where the user went: the output folder's, the ED list's and the
/// request files' choosers each their own. A chooser it does not know (by title)
/// passes straight through.
class RememberingFileChooser : public FileChooser {
public:
    /// Neither is owned; both must outlive this object.
    RememberingFileChooser(FileChooser& inner, WindowSettings& settings);
    void setInner(FileChooser& inner) { m_inner = &inner; }
    void setSettings(WindowSettings& settings) { m_settings = &settings; }

    QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override;
    QString chooseFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;

private:
    FileChooser* m_inner;
    WindowSettings* m_settings;
};

#pragma once

#include "request/SavedRequest.h"

#include <QMessageBox>
#include <QString>

#include <cstdint>
#include <optional>

class AreaCascade;
class FileChooser;
class MainWindow;
struct AreaTables;

/// File > Open Request and Save Request: a request file read into every control of
/// the window, or the window's current choices written to one.
///
/// Opening checks the whole file against this data set before it touches a
/// control; a file that cannot be read, is malformed or names an unknown area or
/// variable is reported in a message box (msgRequestError) naming the file and
/// the problem, and the window stays as it was. A request whose ED list or
/// reference files differ from its recorded run opens with a note saying which
/// (msgRequestNotes).
class RequestActions {
public:
    /// Neither is owned; both must outlive this object.
    RequestActions(MainWindow& window, AreaCascade& cascade);

    /// Asks `chooser` for a request file and opens it.
    void open(FileChooser& chooser);
    /// Asks `chooser` where to save, offering ROOT_request.json in the output folder.
    void save(FileChooser& chooser);

    /// True when every control now shows what the file at `path` says.
    bool openFile(const QString& path);
    bool saveFile(const QString& path);

    /// What the controls hold, as a request without a run record, at the
    /// generator's present position.
    SavedRequest currentRequest() const;
    /// The time the opened request's statistics files say they were written, while
    /// the controls and the generator still stand as it says (the output folder and
    /// root name aside), so that Extract writes the same bytes; nothing otherwise.
    std::optional<std::int64_t> recordedFileTime() const;

private:
    void apply(const SavedRequest& request, const AreaTables& wanted);
    void showAreas(const AreaTables& wanted);
    void report(const char* what, const std::string& problem);
    void show(QMessageBox::Icon icon, const char* objectName, const char* what, const std::string& details);

    MainWindow& m_window;
    AreaCascade& m_cascade;
    struct Opened {
        SavedRequest choices;
        std::int64_t fileTime;
    };
    std::optional<Opened> m_opened;
};

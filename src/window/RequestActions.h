#pragma once

#include "request/SavedRequest.h"

#include <QMessageBox>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class FileChooser;
class ListBox;
class QWidget;
struct ApplicationState;
struct AreaTables;

/// What the request actions need of the window: its choices, read from its pages
/// in one place, and a way to show a request on them.
class RequestView {
public:
    virtual ~RequestView() = default;
    /// Everything the pages show.
    virtual RequestChoices choices() const = 0;
    /// Shows `request` on every page, with the area lists choosing as `areas` does.
    virtual void showRequest(const RequestChoices& request, const AreaTables& areas) = 0;
};

/// File > Open Request and Save Request: a request file laid over the program
/// state and shown on the window, or the window's current choices written to one.
///
/// Opening checks the whole file against this data set before it changes anything;
/// a file that cannot be read, is malformed or names an unknown area or variable is
/// reported in a message box (msgRequestError) naming the file and the problem,
/// and the window stays as it was. A request whose ED list or reference files
/// differ from its recorded run opens with a note saying which (msgRequestNotes).
class RequestActions {
public:
    /// None is owned; all must outlive this object. Messages appear over `parent`.
    RequestActions(ApplicationState& state, RequestView& view, ListBox& hhList, ListBox& indList, QWidget* parent);

    /// Asks `chooser` for a request file and opens it.
    void open(FileChooser& chooser);
    /// Asks `chooser` where to save, offering ROOT_request.json in the output folder.
    void save(FileChooser& chooser);

    /// True when the window now shows what the file at `path` says.
    bool openFile(const QString& path);
    bool saveFile(const QString& path);
    /// Called with the path of each request file opened or saved, for the recent list.
    void setFileUsed(std::function<void(const QString& path)> fileUsed) { m_fileUsed = std::move(fileUsed); }
    /// Reports, as a request that cannot be opened is reported, that `what` (a fixed
    /// text) did not happen because of `problem`.
    void refuse(const char* what, const std::string& problem) { report(what, problem); }

    /// What the window shows, as a request without a run record, at the generator's
    /// present position.
    SavedRequest currentRequest() const;
    /// The time the opened request's statistics files say they were written, while
    /// `current` and the generator still stand as it says (the output folder, root
    /// name and threshold aside), so that Extract writes the same bytes; nothing
    /// otherwise.
    std::optional<std::int64_t> recordedFileTime(const SavedRequest& current) const;

private:
    void report(const char* what, const std::string& problem);
    void show(QMessageBox::Icon icon, const char* objectName, const char* what, const std::string& details);

    ApplicationState& m_state;
    RequestView& m_view;
    ListBox& m_hhList;
    ListBox& m_indList;
    QWidget* m_parent;
    struct Opened {
        SavedRequest choices;
        std::int64_t fileTime;
    };
    std::optional<Opened> m_opened;
    std::function<void(const QString&)> m_fileUsed;
};

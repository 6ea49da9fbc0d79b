#include "window/RequestActions.h"

#include "base/ListBox.h"
#include "extraction/ExtractCommand.h"
#include "extraction/ExtractMessage.h"
#include "extraction/UserEdList.h"
#include "geography/AreaTables.h"
#include "request/AreaRecord.h"
#include "request/ReferenceDigest.h"
#include "session/ApplicationState.h"
#include "session/RequestChoice.h"
#include "textio/Sha256.h"
#include "window/FileChooser.h"
#include "window/MessageBoxDialogs.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QMessageBox>

#include <exception>

using widgets::fromPath;
using widgets::text;
using widgets::toPath;

namespace {

/// What decides an extraction's rows and values: the request without its run record
/// and where it goes.
SavedRequest choicesOf(SavedRequest request)
{
    request.run.reset();
    request.outputFolder.clear();
    request.rootFileName.clear();
    request.sizeWarningThreshold.reset();
    return request;
}

} // namespace

RequestActions::RequestActions(
    ApplicationState& state, RequestView& view, ListBox& hhList, ListBox& indList, QWidget* parent)
    : m_state(state)
    , m_view(view)
    , m_hhList(hhList)
    , m_indList(indList)
    , m_parent(parent)
{
}

void RequestActions::open(FileChooser& chooser)
{
    const QString path = chooser.chooseFile(
        m_parent, text(kOpenRequestTitle), fromPath(m_view.choices().outputFolder), text(kRequestFilter));
    if (!path.isEmpty())
        openFile(path);
}

void RequestActions::save(FileChooser& chooser)
{
    const RequestChoices choices = m_view.choices();
    const std::string offered
        = normalisedOutputFolder(choices.outputFolder) + choices.rootFileName + kRequestFileSuffix;
    const QString path
        = chooser.chooseSaveFile(m_parent, text(kSaveRequestTitle), fromPath(offered), text(kRequestFilter));
    if (!path.isEmpty())
        saveFile(path);
}

bool RequestActions::openFile(const QString& path)
{
    const std::string file = toPath(path);
    SavedRequest request;
    // The window's lists reach the request's areas through the cascade, from the
    // choice they show now; the tables go back to that choice for it.
    AreaTables areas = m_state.areas;
    try {
        request = readRequestFile(file);
        applyRequest(request, m_state, m_hhList, m_indList);
    } catch (const RequestMismatch& e) {
        report(kRequestNotOpened, file + ": " + e.what());
        return false;
    } catch (const std::exception& e) {
        report(kRequestNotOpened, e.what());
        return false;
    }
    for (std::size_t i = 0; i < areas.levels.size(); ++i)
        std::swap(areas.levels[i].flags, m_state.areas.levels[i].flags);
    m_view.showRequest(request, areas);
    m_opened.reset();
    if (request.run && !request.run->fileTime.empty())
        m_opened = Opened { choicesOf(request), *parseUtcTime(request.run->fileTime) };
    if (m_fileUsed)
        m_fileUsed(path);
    std::string notes;
    for (const std::string& note : requestDifferences(request, m_state.folders))
        notes += "\n" + note;
    if (!notes.empty())
        show(QMessageBox::Information, "msgRequestNotes", kRequestOpenedWithNotes, notes);
    return true;
}

std::optional<std::int64_t> RequestActions::recordedFileTime(const SavedRequest& current) const
{
    if (m_opened && choicesOf(current) == m_opened->choices)
        return m_opened->fileTime;
    return std::nullopt;
}

bool RequestActions::saveFile(const QString& path)
{
    try {
        writeRequestFile(toPath(path), currentRequest());
        if (m_fileUsed)
            m_fileUsed(path);
        return true;
    } catch (const std::exception& e) {
        report(kRequestNotSaved, e.what());
        return false;
    }
}

SavedRequest RequestActions::currentRequest() const
{
    SavedRequest request;
    static_cast<RequestChoices&>(request) = m_view.choices();
    request.sizeWarningThreshold.reset();
    if (request.edList) {
        const std::string& path = request.edList->path;
        request.edList->sha256 = regularFileExists(path) ? sha256OfFile(path) : std::string();
    }
    request.randomDraws = m_state.randomDraws;
    return request;
}

void RequestActions::report(const char* what, const std::string& problem)
{
    show(QMessageBox::Warning, "msgRequestError", what, "\n" + problem);
}

void RequestActions::show(QMessageBox::Icon icon, const char* objectName, const char* what, const std::string& details)
{
    tell(m_parent, icon, objectName, QString::fromUtf8(kMessageTitle),
        text(what) + QStringLiteral("\n") + QString::fromStdString(details));
}

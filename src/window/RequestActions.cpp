#include "window/RequestActions.h"

#include "base/ListBox.h"
#include "extraction/ExtractCommand.h"
#include "extraction/ExtractMessage.h"
#include "extraction/UserEdList.h"
#include "geography/AreaCascade.h"
#include "request/AreaRecord.h"
#include "request/ReferenceDigest.h"
#include "session/ApplicationState.h"
#include "session/RequestChoice.h"
#include "textio/Sha256.h"
#include "window/FileChooser.h"
#include "window/MainWindow.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include <cassert>
#include <exception>

using widgets::fromPath;
using widgets::text;
using widgets::toPath;

namespace {

template <std::size_t N, std::size_t M>
std::vector<std::string> selectedNames(
    const ListBox& list, const std::array<std::string, N>& names, const std::array<std::int16_t, M>& listMap)
{
    std::vector<std::string> chosen;
    for (int r = 1; r < list.count() && r < static_cast<int>(M); ++r)
        if (list.isSelected(r))
            chosen.push_back(trimmedName(names[static_cast<std::size_t>(listMap[static_cast<std::size_t>(r)])]));
    return chosen;
}

/// What decides an extraction's rows and values: the request without its run record
/// and where it goes.
SavedRequest choices(SavedRequest request)
{
    request.run.reset();
    request.outputFolder.clear();
    request.rootFileName.clear();
    return request;
}

std::array<QCheckBox*, 6> spatialBoxes(const MainWindow::Controls& c)
{
    return { c.cbCountry, c.cbRegion, c.cbCounty, c.cbDistrict, c.cbWard, c.cbED };
}

} // namespace

RequestActions::RequestActions(MainWindow& window, AreaCascade& cascade)
    : m_window(window)
    , m_cascade(cascade)
{
}

void RequestActions::open(FileChooser& chooser)
{
    const QString path = chooser.chooseFile(
        &m_window, text(kOpenRequestTitle), m_window.controls().txtUserOutput->text(), text(kRequestFilter));
    if (!path.isEmpty())
        openFile(path);
}

void RequestActions::save(FileChooser& chooser)
{
    const CurrentSettings& settings = m_window.state().settings;
    const std::string offered
        = normalisedOutputFolder(settings.outputFolder) + settings.rootFileName + kRequestFileSuffix;
    const QString path
        = chooser.chooseSaveFile(&m_window, text(kSaveRequestTitle), fromPath(offered), text(kRequestFilter));
    if (!path.isEmpty())
        saveFile(path);
}

bool RequestActions::openFile(const QString& path)
{
    const std::string file = toPath(path);
    ApplicationState& state = m_window.state();
    SavedRequest request;
    // Worked out on a copy: the window's tables change only once the variables have passed too.
    AreaTables wanted = state.areas;
    try {
        request = readRequestFile(file);
        if (request.areas)
            applyAreaRecord(wanted, *request.areas);
        // Checks both lists before it selects a row; nothing below can fail.
        selectRequestVariables(state.variables, m_window.householdVariables(), m_window.individualVariables(), request);
    } catch (const RequestMismatch& e) {
        report(kRequestNotOpened, file + ": " + e.what());
        return false;
    } catch (const std::exception& e) {
        report(kRequestNotOpened, e.what());
        return false;
    }
    apply(request, wanted);
    std::string notes;
    for (const std::string& note : requestDifferences(request, state.folders))
        notes += "\n" + note;
    if (!notes.empty())
        show(QMessageBox::Information, "msgRequestNotes", kRequestOpenedWithNotes, notes);
    return true;
}

void RequestActions::apply(const SavedRequest& request, const AreaTables& wanted)
{
    const MainWindow::Controls& c = m_window.controls();
    ApplicationState& state = m_window.state();
    if (request.edList) {
        // Switching to the ED list puts the area lists back to "All".
        c.obUserEDlist->setChecked(true);
        c.txtUserEDlist->setText(fromPath(request.edList->path));
    } else {
        c.obSelectedAreas->setChecked(true);
        showAreas(wanted);
    }
    const std::array<QCheckBox*, 6> boxes = spatialBoxes(c);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(request.spatialCodes[i]);
    (request.separateFiles ? c.obSeparateFiles : c.obCombinedFiles)->setChecked(true);
    c.txtUserOutput->setText(fromPath(request.outputFolder));
    c.txtUserRootFilename->setText(fromPath(request.rootFileName));
    c.cboFileFormat->setCurrentIndex(static_cast<int>(request.format));
    // The generator as it stood before the recorded run (a fresh one, never seeded,
    // moved on by as many draws), so that Extract now writes what that run wrote.
    state.random.seed();
    state.random.discard(request.randomDraws);
    state.randomDraws = request.randomDraws;
    m_opened.reset();
    if (request.run && !request.run->fileTime.empty())
        m_opened = Opened { choices(request), *parseUtcTime(request.run->fileTime) };
}

std::optional<std::int64_t> RequestActions::recordedFileTime() const
{
    if (m_opened && choices(currentRequest()) == m_opened->choices)
        return m_opened->fileTime;
    return std::nullopt;
}

// As a user could have built them: every list back to "All", then, from the wards
// up, each level chosen member by member is expanded while the levels above are
// still on "All" (so it lists every member) and its members selected. Expanding a
// level leaves the lists below it as they are, so each keeps its choice.
void RequestActions::showAreas(const AreaTables& wanted)
{
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const auto level = static_cast<AreaLevel>(i);
        m_cascade.list(level).setSelected(0, true);
        m_cascade.listChanged(level);
    }
    const AreaTables& shown = m_window.state().areas;
    for (int i = kNumAreaLevels - 1; i >= 0; --i) {
        const auto level = static_cast<AreaLevel>(i);
        const AreaTables::Level& t = wanted.level(level);
        if (t.flags[0] != kModeIndividual)
            continue;
        ListBox& list = m_cascade.list(level);
        // A click on "Select ...".
        list.setSelected(0, false);
        m_cascade.listChanged(level);
        list.setSelected(1, true);
        m_cascade.listChanged(level);
        std::vector<int> rows;
        for (int m = 1; m <= t.count(); ++m)
            if (t.flags[static_cast<std::size_t>(m)] == 1)
                rows.push_back(shown.level(level).listPos[static_cast<std::size_t>(m)]);
        list.setSelectedRows(rows);
        m_cascade.listChanged(level);
    }
    for (int i = 0; i < kNumAreaLevels; ++i)
        assert(shown.levels[static_cast<std::size_t>(i)].flags == wanted.levels[static_cast<std::size_t>(i)].flags);
}

bool RequestActions::saveFile(const QString& path)
{
    try {
        writeRequestFile(toPath(path), currentRequest());
        return true;
    } catch (const std::exception& e) {
        report(kRequestNotSaved, e.what());
        return false;
    }
}

SavedRequest RequestActions::currentRequest() const
{
    const MainWindow::Controls& c = m_window.controls();
    const ApplicationState& state = m_window.state();
    SavedRequest request;
    if (c.obUserEDlist->isChecked()) {
        const std::string& path = state.settings.edListFile;
        request.edList = EdListRecord { path, regularFileExists(path) ? sha256OfFile(path) : std::string() };
    } else {
        request.areas = recordAreaChoice(state.areas);
    }
    const VariableCatalogue& catalogue = state.variables;
    request.householdVariables
        = selectedNames(m_window.householdVariables(), catalogue.hhVarNames, catalogue.hhListMap);
    request.individualVariables
        = selectedNames(m_window.individualVariables(), catalogue.indVarNames, catalogue.indListMap);
    const std::array<QCheckBox*, 6> boxes = spatialBoxes(c);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        request.spatialCodes[i] = boxes[i]->isChecked();
    request.separateFiles = !c.obCombinedFiles->isChecked();
    request.outputFolder = state.settings.outputFolder;
    request.rootFileName = state.settings.rootFileName;
    request.format = static_cast<OutputFormat>(c.cboFileFormat->currentIndex());
    request.randomDraws = state.randomDraws;
    return request;
}

void RequestActions::report(const char* what, const std::string& problem)
{
    show(QMessageBox::Warning, "msgRequestError", what, "\n" + problem);
}

void RequestActions::show(QMessageBox::Icon icon, const char* objectName, const char* what, const std::string& details)
{
    auto* box = new QMessageBox(icon, QString::fromUtf8(kMessageTitle),
        text(what) + QStringLiteral("\n") + QString::fromStdString(details), QMessageBox::Ok, &m_window);
    box->setObjectName(QString::fromLatin1(objectName));
    // Plain text: a path may hold characters that rich text would swallow.
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

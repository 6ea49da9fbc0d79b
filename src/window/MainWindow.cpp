#include "window/MainWindow.h"

#include "extraction/ExtractCommand.h"
#include "extraction/UserEdList.h"
#include "geography/AreaCascade.h"
#include "geography/AreaDirectory.h"
#include "geography/SelectionSummary.h"
#include "request/AreaRecord.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "session/ApplicationState.h"
#include "session/StartSession.h"
#include "variables/VariableCatalogue.h"
#include "window/AreaFinder.h"
#include "window/ExtractRunner.h"
#include "window/FileChooser.h"
#include "window/AreasPage.h"
#include "window/IntroPage.h"
#include "window/KeyboardAccess.h"
#include "window/ListWidgetAdapter.h"
#include "window/MessageBoxDialogs.h"
#include "window/OutputPage.h"
#include "window/PageWidgets.h"
#include "window/RememberingFileChooser.h"
#include "window/RequestActions.h"
#include "window/ScreenFit.h"
#include "window/SvgPicture.h"
#include "window/TablesPage.h"
#include "window/VariablesPage.h"
#include "window/WindowSettings.h"
#include "window/WindowTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cassert>

using widgets::fromPath;
using widgets::text;
using widgets::toPath;

static void initWindowResources()
{
    // The pictures live in a static library; nothing else would pull them in.
    Q_INIT_RESOURCE(window);
}

MainWindow::MainWindow(ApplicationState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_messageBoxes(std::make_unique<MessageBoxDialogs>(this))
    , m_extract(std::make_unique<ExtractRunner>(state, *m_messageBoxes, this))
    , m_help(new HelpController(this))
    , m_ownSettings(std::make_unique<WindowSettings>())
    , m_settings(m_ownSettings.get())
    , m_remembering(std::make_unique<RememberingFileChooser>(*m_messageBoxes, *m_settings))
    , m_chooser(m_remembering.get())
{
    initWindowResources();
    setObjectName(QStringLiteral("frmZENDRA91"));
    setWindowTitle(text(kWindowCaption));
    setWindowIcon(svgIcon(QStringLiteral(":/shell/zendra91.svg")));
    buildPages();
    connectHandlers();
    buildMenu();
    setFocusOrder();
    setMnemonics();
    startUp();
    buildFinder();
    fitInto(screen()->availableGeometry());
    setAcceptDrops(true);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPages()
{
    m_pages = widgets::named(new QTabWidget, "MultiPage1");
    m_areasPage = new AreasPage;
    m_variablesPage = new VariablesPage(m_state.variables);
    m_variablesPage->setCaseSources(m_state.folders, m_state.labels ? &*m_state.labels : nullptr);
    m_outputPage = new OutputPage;
    m_areasPage->setFileChooser(m_chooser);
    m_outputPage->setFileChooser(m_chooser);
    const struct {
        QWidget* page;
        const char* scrollName;
        const char* caption;
    } pages[] = {
        { IntroPage::build(devicePixelRatioF()), "scrollIntro", kPageIntro },
        { m_areasPage, "scrollAreas", kPageSelectAreas },
        { m_variablesPage, "scrollVariables", kPageSelectVars },
        { m_outputPage, "scrollOutput", kPageOutputOptions },
        { m_tablesPage = new TablesPage(m_state, [this] { return choices(); }, *m_messageBoxes), "scrollTables",
            kPageTables },
    };
    for (const auto& page : pages)
        m_pages->addTab(scrollable(page.page, page.scrollName, text(page.caption)), text(page.caption));
    m_tablesPage->setFileChooser(m_chooser);

    QLabel* notice = widgets::label("Label40", kDemoDataNotice);
    notice->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(notice);
}

void MainWindow::connectHandlers()
{
    AreaCascade::Lists lists {};
    for (int i = 0; i < kNumAreaLevels; ++i)
        lists[i] = &m_areasPage->areaList(static_cast<AreaLevel>(i));
    m_cascade = std::make_unique<AreaCascade>(m_state.areas, lists);
    // The summary follows every change, once the change and its nested ones are over.
    m_summaryTimer = new QTimer(this);
    m_summaryTimer->setSingleShot(true);
    m_summaryTimer->setInterval(0);
    connect(m_summaryTimer, &QTimer::timeout, this, &MainWindow::updateSelectionSummary);
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const auto level = static_cast<AreaLevel>(i);
        ListWidgetAdapter& list = m_areasPage->areaList(level);
        connect(&list, &ListWidgetAdapter::changed, this, [this, level] {
            m_cascade->listChanged(level);
            m_summaryTimer->start();
        });
        if (level >= AreaLevel::County)
            list.setRowsAdded([this, level](int first, int last) { setAreaToolTips(level, first, last); });
    }
    connect(m_areasPage, &AreasPage::edListTextChanged, m_summaryTimer, qOverload<>(&QTimer::start));
    connect(m_areasPage, &AreasPage::edListChosenChanged, this, &MainWindow::edListChosenChanged);
    // The derived variables' Reset does nothing: their lists have neither rows nor defaults.
    connect(m_outputPage, &OutputPage::extractRequested, this, &MainWindow::extract);
    connect(m_variablesPage, &VariablesPage::originalDefinitionsRequested, this,
        [this] { showDefinitions(HelpController::kOriginalVariablesPage); });
    connect(m_variablesPage, &VariablesPage::derivedDefinitionsRequested, this,
        [this] { showDefinitions(HelpController::kDerivedVariablesPage); });
    // The controls take no input while an extraction writes; a close request still comes.
    connect(m_extract.get(), &ExtractRunner::writingChanged, this, [this](bool writing) {
        m_pages->setEnabled(!writing);
        m_menu.menuBar->setEnabled(!writing);
    });
}

void MainWindow::buildMenu()
{
    m_menu.build();
    layout()->setMenuBar(m_menu.menuBar);
    m_requests = std::make_unique<RequestActions>(
        m_state, *this, m_variablesPage->householdList(), m_variablesPage->individualList(), this);
    connect(m_menu.actOpenRequest, &QAction::triggered, this, [this] { m_requests->open(*m_chooser); });
    connect(m_menu.actSaveRequest, &QAction::triggered, this, [this] { m_requests->save(*m_chooser); });
    m_requests->setFileUsed([this](const QString& path) { rememberRequest(path); });
    connect(m_menu.mnuOpenRecent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    connect(m_menu.actClearRecent, &QAction::triggered, this, [this] {
        m_settings->clearRecentRequests();
        fillRecentMenu();
    });
    fillRecentMenu();
    connect(m_menu.actQuit, &QAction::triggered, this, &QWidget::close);
    connect(m_menu.actVariableDefinitions, &QAction::triggered, this,
        [this] { showDefinitions(HelpController::kOriginalVariablesPage); });
    connect(m_menu.actAbout, &QAction::triggered, this, [this] { showAbout(this); });
}

// The keyboard walks each page top to bottom, left to right, from the tabs on.
void MainWindow::setFocusOrder()
{
    const QList<QWidget*> order
        = m_areasPage->focusOrder() + m_variablesPage->focusOrder() + m_outputPage->focusOrder()
        + m_tablesPage->focusOrder();
    setTabOrder(m_pages->tabBar(), order.front());
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Alt+letter for the pages and the main buttons; the texts otherwise stay as they are.
void MainWindow::setMnemonics()
{
    const char* const pages[] = { kPageIntro, kPageSelectAreas, kPageSelectVars, kPageOutputOptions, kPageTables };
    const char letters[] = { 'I', 'A', 'V', 'O', 'T' };
    for (int i = 0; i < 5; ++i)
        setMnemonic(m_pages, i, pages[i], QChar::fromLatin1(letters[i]));
    setMnemonic(m_areasPage->areaListsOption(), kObSelectedAreas, u'm');
    setMnemonic(m_areasPage->edListOption(), kObUserEDlist, u'u');
    setMnemonic(m_variablesPage->originalReset(), kReset, u'R');
    setMnemonic(m_variablesPage->derivedReset(), kReset, u's');
    setMnemonic(m_outputPage->separateFilesOption(), kObSeparateFiles, u'S');
    setMnemonic(m_outputPage->combinedFileOption(), kObCombinedFiles, u'C');
    setMnemonic(m_outputPage->extractButton(), kBtExtract, u'E');
}

// As large as the pages want without scrolling (the lists longer where there is
// room), within the screen.
void MainWindow::fitInto(const QRect& available)
{
    static constexpr QSize kRoomy(900, 860);
    QSize pages;
    for (int i = 0; i < m_pages->count(); ++i)
        if (auto* area = qobject_cast<QScrollArea*>(m_pages->widget(i)))
            pages = pages.expandedTo(area->widget()->sizeHint());
    const int tabFrame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    const QMargins margins = layout()->contentsMargins();
    QWidget* notice = findChild<QLabel*>(QStringLiteral("Label40"));
    const int width = pages.width() + tabFrame + margins.left() + margins.right();
    const int height = m_menu.menuBar->sizeHint().height() + m_pages->tabBar()->sizeHint().height() + pages.height()
        + tabFrame + layout()->spacing() + notice->heightForWidth(width - margins.left() - margins.right())
        + margins.top() + margins.bottom();
    setGeometry(fittedGeometry(QSize(width, height).expandedTo(kRoomy), expectedFrame(*this), available));
}

void MainWindow::startUp()
{
    const CurrentSettings& settings = m_state.settings;
    startSession(m_state, *m_cascade, m_variablesPage->householdList(), m_variablesPage->individualList());
    m_variablesPage->describeVariables(m_state.labels ? &*m_state.labels : nullptr);
    m_areasPage->startWith(settings.edListFile);
    RequestChoices start;
    start.outputFolder = settings.outputFolder;
    start.rootFileName = settings.rootFileName;
    start.separateFiles = settings.separateFiles;
    start.spatialCodes[kSpatialEd] = true;
    start.sizeWarningThreshold = kDefaultWarningSize;
    m_outputPage->setChoices(start);
    m_pages->setCurrentIndex(0);
}

RequestChoices MainWindow::choices() const
{
    RequestChoices choices;
    if (std::optional<std::string> path = m_areasPage->edListChoice())
        choices.edList = EdListRecord { *path, {} };
    else
        choices.areas = recordAreaChoice(m_state.areas);
    m_variablesPage->readChoices(choices);
    m_outputPage->readChoices(choices);
    return choices;
}

void MainWindow::showRequest(const RequestChoices& request, const AreaTables& areas)
{
    if (request.edList) {
        m_areasPage->chooseEdList(request.edList->path);
    } else {
        m_areasPage->chooseAreaLists();
        showAreas(areas);
    }
    m_variablesPage->setChoices(request);
    m_outputPage->setChoices(request);
}

// As a user could have built them: every list back to "All", then, from the wards
// up, each level chosen member by member is expanded while the levels above are
// still on "All" (so it lists every member) and its members selected. Expanding a
// level leaves the lists below it as they are, so each keeps its choice.
void MainWindow::showAreas(const AreaTables& wanted)
{
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const auto level = static_cast<AreaLevel>(i);
        m_cascade->list(level).setSelected(0, true);
        m_cascade->listChanged(level);
    }
    const AreaTables& shown = m_state.areas;
    for (int i = kNumAreaLevels - 1; i >= 0; --i) {
        const auto level = static_cast<AreaLevel>(i);
        const AreaTables::Level& t = wanted.level(level);
        if (t.flags[0] != kModeIndividual)
            continue;
        ListBox& list = m_cascade->list(level);
        // A click on "Select ...".
        list.setSelected(0, false);
        m_cascade->listChanged(level);
        list.setSelected(1, true);
        m_cascade->listChanged(level);
        std::vector<int> rows;
        for (int m = 1; m <= t.count(); ++m)
            if (t.flags[static_cast<std::size_t>(m)] == 1)
                rows.push_back(shown.level(level).listPos[static_cast<std::size_t>(m)]);
        list.setSelectedRows(rows);
        m_cascade->listChanged(level);
    }
    for (int i = 0; i < kNumAreaLevels; ++i)
        assert(shown.levels[static_cast<std::size_t>(i)].flags == wanted.levels[static_cast<std::size_t>(i)].flags);
}

void MainWindow::buildFinder()
{
    m_directory = std::make_unique<AreaDirectory>(m_state.areas);
    m_finder = new AreaFinder(*m_directory);
    m_finder->setObjectName(QStringLiteral("findArea"));
    m_areasPage->addFinder(m_finder, m_finder->lineEdit());
    connect(m_finder, &AreaFinder::areaChosen, this,
        [this](AreaLevel level, int member) { m_cascade->chooseMember(level, member); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_pages->setCurrentWidget(m_areasPage->parentWidget()->parentWidget());
        m_finder->lineEdit()->setFocus(Qt::ShortcutFocusReason);
    });
    // Rows listed before the directory existed (none below counties at start-up).
    for (int i = static_cast<int>(AreaLevel::County); i < kNumAreaLevels; ++i) {
        const auto level = static_cast<AreaLevel>(i);
        setAreaToolTips(level, 1, m_areasPage->areaList(level).count() - 1);
    }
    updateSelectionSummary();
}

void MainWindow::setAreaToolTips(AreaLevel level, int first, int last)
{
    if (!m_directory)
        return;
    QListWidget* list = m_areasPage->areaList(level).widget();
    const AreaTables::Level& t = m_state.areas.level(level);
    for (int m = 1; m <= t.count(); ++m) {
        const int row = t.listPos[m];
        if (row >= first && row <= last && row < list->count())
            list->item(row)->setToolTip(QString::fromStdString(m_directory->toolTip(m_directory->entry(level, m))));
    }
}

void MainWindow::updateSelectionSummary()
{
    QString summary;
    if (m_areasPage->edListChosen()) {
        const QString path = m_areasPage->edListText();
        if (path.trimmed().isEmpty()) {
            summary = text(kEdListNone);
        } else {
            try {
                const std::size_t codes = readUserEdList(widgets::userPath(path)).size();
                summary = text(kEdListCodes)
                              .arg(QString::fromStdString(groupedNumber(static_cast<std::int64_t>(codes))), path);
            } catch (const std::exception& e) {
                summary = text(kEdListUnreadable).arg(QString::fromUtf8(e.what()));
            }
        }
    } else {
        summary = QString::fromStdString(selectionSummaryText(countSelection(m_state.areas)));
    }
    m_areasPage->showSummary(summary);
}

void MainWindow::edListChosenChanged(bool edList)
{
    m_summaryTimer->start();
    if (edList)
        m_cascade->resetAll();
}

void MainWindow::setDialogs(ExtractDialogs& dialogs)
{
    m_extract->setDialogs(dialogs);
    m_tablesPage->setDialogs(dialogs);
}

void MainWindow::setFileChooser(FileChooser& chooser)
{
    m_remembering->setInner(chooser);
}

void MainWindow::useSettings(WindowSettings& settings)
{
    m_settings = &settings;
    m_remembering->setSettings(settings);
    fillRecentMenu();
    if (std::optional<QRect> saved = settings.windowGeometry()) {
        // Placed with its frame, so that the title bar stays on the screen too.
        const QMargins frame = expectedFrame(*this);
        QList<QRect> available;
        for (const QScreen* s : QGuiApplication::screens())
            available << s->availableGeometry();
        setGeometry(placedOnScreen(saved->marginsAdded(frame), available).marginsRemoved(frame));
    }
}

void MainWindow::rememberRequest(const QString& path)
{
    m_settings->addRecentRequest(path);
    fillRecentMenu();
}

// Newest first; files gone since drop out each time the menu opens.
void MainWindow::fillRecentMenu()
{
    QMenu* menu = m_menu.mnuOpenRecent;
    const QList<QAction*> actions = menu->actions();
    for (QAction* old : actions)
        if (old->objectName().startsWith(QLatin1String("actRecent"))) {
            // Later: this may run inside one of these actions' own triggered().
            menu->removeAction(old);
            old->deleteLater();
        }
    QAction* separator = menu->actions().front();
    const QStringList recent = m_settings->recentRequests();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // "&1".."&9", then "1&0": a digit to press for each.
        const QString number = QString::number(i + 1);
        QString caption = path;
        caption.replace(QLatin1Char('&'), QLatin1String("&&")); // a "&" in a path is no mnemonic
        auto* action = new QAction(
            number.left(number.size() - 1) + QLatin1Char('&') + number.right(1) + QLatin1Char(' ') + caption, menu);
        action->setObjectName(QStringLiteral("actRecent%1").arg(i + 1));
        action->setData(path);
        // A file that fails to open stays listed while it exists: it may be back in order later.
        connect(action, &QAction::triggered, this, [this, path] { openPath(path); });
        menu->insertAction(separator, action);
    }
    m_menu.actClearRecent->setEnabled(!recent.isEmpty());
}

bool MainWindow::openPath(const QString& path)
{
    if (m_extract->running())
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("json"))
        return m_requests->openFile(path);
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("csv")) {
        const std::string file = toPath(path);
        try {
            // Refuses a folder, a device or a huge file before reading it.
            readUserEdList(file);
        } catch (const std::exception& e) {
            m_requests->refuse(kEdListNotOpened, e.what());
            return false;
        }
        m_areasPage->chooseEdList(file);
        m_pages->setCurrentWidget(m_areasPage->parentWidget()->parentWidget());
        return true;
    }
    m_requests->refuse(kFileNotOpened, text(kFileTypesAccepted).arg(path).toStdString());
    return false;
}

namespace {

/// The one local file a drag carries; empty for anything else.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    return data->urls().front().toLocalFile();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!m_extract->running() && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (m_extract->running() || path.isEmpty())
        return;
    event->acceptProposedAction();
    openPath(path);
}

void MainWindow::extract()
{
    if (m_extract->running())
        return;
    const RequestChoices chosen = choices();
    SavedRequest current = m_requests->currentRequest();
    const ExtractRunner::Result result = m_extract->run(chosen, m_requests->recordedFileTime(current));
    if (result.combinedCleared)
        m_outputPage->clearCombinedOption();
    if (result.written) {
        const std::string request
            = normalisedOutputFolder(chosen.outputFolder) + chosen.rootFileName + kRequestFileSuffix;
        if (regularFileExists(request))
            rememberRequest(fromPath(request));
    }
    if (result.ending == ExtractRunner::Ending::Quit)
        quitProgram();
}

void MainWindow::showDefinitions(const char* page)
{
    m_help->showHelp(fromPath(m_state.folders.glossaryFolder) + QLatin1String(page));
}

// After Yes to the completion question: this window goes first, then the help
// window; the application quits when its last window has closed.
void MainWindow::quitProgram()
{
    m_quitting = true;
    close();
    m_help->closeHelp();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // During a press the runner asks or puts the close off; the press then ends with Quit.
    if (!m_quitting && m_extract->deferClose()) {
        event->ignore();
        return;
    }
    if (!m_quitting)
        m_help->closeHelp();
    m_settings->setWindowGeometry(geometry());
    event->accept();
}

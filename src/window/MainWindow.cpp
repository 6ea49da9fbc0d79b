#include "window/MainWindow.h"

#include "extraction/UserEdList.h"
#include "geography/AreaCascade.h"
#include "geography/AreaDirectory.h"
#include "geography/SelectionSummary.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "session/ApplicationState.h"
#include "session/StartSession.h"
#include "variables/VariableCatalogue.h"
#include "window/AreaFinder.h"
#include "window/ExtractRunner.h"
#include "window/FileChooser.h"
#include "window/IntroPage.h"
#include "window/KeyboardAccess.h"
#include "window/ListWidgetAdapter.h"
#include "window/MessageBoxDialogs.h"
#include "window/PageWidgets.h"
#include "window/RequestActions.h"
#include "window/ScreenFit.h"
#include "window/SvgPicture.h"
#include "window/WindowTexts.h"

#include <QAction>
#include <QMenuBar>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QTabWidget>
#include <QVBoxLayout>

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
    , m_extract(std::make_unique<ExtractRunner>(*this, *m_messageBoxes))
    , m_help(new HelpController(this))
    , m_dialogChooser(std::make_unique<DialogFileChooser>())
    , m_chooser(m_dialogChooser.get())
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
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPages()
{
    auto* tabs = widgets::named(new QTabWidget, "MultiPage1");
    m_controls.MultiPage1 = tabs;
    AreasPage& areas = m_controls;
    VariablesPage& variables = m_controls;
    OutputPage& output = m_controls;
    tabs->addTab(scrollable(IntroPage::build(devicePixelRatioF()), "scrollIntro", text(kPageIntro)), text(kPageIntro));
    tabs->addTab(scrollable(areas.build(), "scrollAreas", text(kPageSelectAreas)), text(kPageSelectAreas));
    tabs->addTab(scrollable(variables.build(), "scrollVariables", text(kPageSelectVars)), text(kPageSelectVars));
    tabs->addTab(scrollable(output.build(), "scrollOutput", text(kPageOutputOptions)), text(kPageOutputOptions));

    QLabel* notice = widgets::label("Label40", kLabel40);
    notice->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(notice);

    for (int i = 0; i < kNumAreaLevels; ++i)
        m_areaAdapters[i] = new ListWidgetAdapter(m_controls.areaLists[i]);
    m_hhVarsAdapter = new ListWidgetAdapter(m_controls.lstHHVars_Orig);
    m_indVarsAdapter = new ListWidgetAdapter(m_controls.lstIndVars_Orig);
}

void MainWindow::connectHandlers()
{
    Controls& c = m_controls;
    std::array<ListBox*, kNumAreaLevels> lists {};
    for (int i = 0; i < kNumAreaLevels; ++i)
        lists[i] = m_areaAdapters[i];
    m_cascade = std::make_unique<AreaCascade>(m_state.areas, lists);
    // The summary follows every change, once the change and its nested ones are over.
    m_summaryTimer = new QTimer(this);
    m_summaryTimer->setSingleShot(true);
    m_summaryTimer->setInterval(0);
    connect(m_summaryTimer, &QTimer::timeout, this, &MainWindow::updateSelectionSummary);
    for (int i = 0; i < kNumAreaLevels; ++i) {
        connect(m_areaAdapters[i], &ListWidgetAdapter::changed, this, [this, i] {
            m_cascade->listChanged(static_cast<AreaLevel>(i));
            m_summaryTimer->start();
        });
        if (i >= static_cast<int>(AreaLevel::County))
            m_areaAdapters[i]->setRowsAdded(
                [this, i](int first, int last) { setAreaToolTips(static_cast<AreaLevel>(i), first, last); });
    }
    connect(c.txtUserEDlist, &QLineEdit::textChanged, m_summaryTimer, qOverload<>(&QTimer::start));
    connect(c.btBrowseOutput, &QPushButton::clicked, this, &MainWindow::btBrowseOutputClick);
    connect(c.btBrowseEdList, &QPushButton::clicked, this, &MainWindow::btBrowseEdListClick);

    static_cast<const AreasPage&>(c).mirrorInto(m_state.settings);
    static_cast<const OutputPage&>(c).mirrorInto(m_state.settings);
    connect(c.obUserEDlist, &QRadioButton::toggled, this, &MainWindow::obUserEDlistChange);
    connect(c.cmdResetOrigVars, &QPushButton::clicked, this, &MainWindow::cmdResetOrigVarsClick);
    // cmdResetDerivedVars does nothing: the derived lists have neither rows nor defaults.

    connect(c.btExtract, &QPushButton::clicked, this, &MainWindow::btExtractClick);
    connect(c.cmdOrigVarHelp, &QPushButton::clicked, this, &MainWindow::cmdOrigVarHelpClick);
    connect(c.cmdDerivedVarHelp, &QPushButton::clicked, this, &MainWindow::cmdDerivedVarHelpClick);
}

void MainWindow::buildMenu()
{
    m_menu.build();
    layout()->setMenuBar(m_menu.menuBar);
    m_requests = std::make_unique<RequestActions>(*this, *m_cascade);
    connect(m_menu.actOpenRequest, &QAction::triggered, this, [this] { m_requests->open(*m_chooser); });
    connect(m_menu.actSaveRequest, &QAction::triggered, this, [this] { m_requests->save(*m_chooser); });
    // The same close as the window's own, with an extraction's close put off.
    connect(m_menu.actQuit, &QAction::triggered, this, &QWidget::close);
    connect(m_menu.actVariableDefinitions, &QAction::triggered, this, &MainWindow::cmdOrigVarHelpClick);
    connect(m_menu.actAbout, &QAction::triggered, this, [this] { showAbout(this); });
}

// The keyboard walks each page top to bottom, left to right, from the tabs on.
void MainWindow::setFocusOrder()
{
    const Controls& c = m_controls;
    const QList<QWidget*> order = static_cast<const AreasPage&>(c).focusOrder()
        + static_cast<const VariablesPage&>(c).focusOrder() + static_cast<const OutputPage&>(c).focusOrder();
    setTabOrder(c.MultiPage1, order.front());
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Alt+letter for the pages and the main buttons; the texts otherwise stay as they are.
void MainWindow::setMnemonics()
{
    Controls& c = m_controls;
    const char* const pages[] = { kPageIntro, kPageSelectAreas, kPageSelectVars, kPageOutputOptions };
    const char letters[] = { 'I', 'A', 'V', 'O' };
    for (int i = 0; i < 4; ++i)
        setMnemonic(c.MultiPage1, i, pages[i], QChar::fromLatin1(letters[i]));
    setMnemonic(c.obSelectedAreas, kObSelectedAreas, u'm');
    setMnemonic(c.obUserEDlist, kObUserEDlist, u'u');
    setMnemonic(c.cmdResetOrigVars, kReset, u'R');
    setMnemonic(c.cmdResetDerivedVars, kReset, u's');
    setMnemonic(c.obSeparateFiles, kObSeparateFiles, u'S');
    setMnemonic(c.obCombinedFiles, kObCombinedFiles, u'C');
    setMnemonic(c.btExtract, kBtExtract, u'E');
}

void MainWindow::fitInto(const QRect& available)
{
    static constexpr QSize kPreferredSize(900, 760);
    setGeometry(fittedGeometry(kPreferredSize, expectedFrame(*this), available));
}

void MainWindow::startUp()
{
    Controls& c = m_controls;
    const CurrentSettings& settings = m_state.settings;
    startSession(m_state, *m_cascade, *m_hhVarsAdapter, *m_indVarsAdapter);

    c.txtUserEDlist->setText(fromPath(settings.edListFile));
    c.txtUserOutput->setText(fromPath(settings.outputFolder));
    c.txtUserRootFilename->setText(fromPath(settings.rootFileName));
    (settings.separateFiles ? c.obSeparateFiles : c.obCombinedFiles)->setChecked(true);
    c.obSelectedAreas->setChecked(true);
    c.txtUserEDlist->setEnabled(false);
    c.btBrowseEdList->setEnabled(false);
    c.cbED->setChecked(true);
    c.txtFileWarningSize->setText(text(kDefaultWarningSize));

    c.MultiPage1->setCurrentIndex(0);
}

ListBox& MainWindow::householdVariables()
{
    return *m_hhVarsAdapter;
}

ListBox& MainWindow::individualVariables()
{
    return *m_indVarsAdapter;
}

void MainWindow::buildFinder()
{
    m_directory = std::make_unique<AreaDirectory>(m_state.areas);
    m_finder = new AreaFinder(*m_directory);
    m_finder->setObjectName(QStringLiteral("findArea"));
    m_controls.findRow->addWidget(m_finder);
    connect(m_finder, &AreaFinder::areaChosen, this,
        [this](AreaLevel level, int member) { m_cascade->chooseMember(level, member); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_controls.MultiPage1->setCurrentWidget(m_controls.obSelectedAreas->parentWidget());
        m_finder->lineEdit()->setFocus(Qt::ShortcutFocusReason);
    });
    setTabOrder(m_controls.obSelectedAreas, m_finder->lineEdit());
    setTabOrder(m_finder->lineEdit(), m_controls.areaLists[0]);
    // Rows listed before the directory existed (none below counties at start-up).
    for (int i = static_cast<int>(AreaLevel::County); i < kNumAreaLevels; ++i)
        setAreaToolTips(static_cast<AreaLevel>(i), 1, m_controls.areaLists[i]->count() - 1);
    updateSelectionSummary();
}

void MainWindow::setAreaToolTips(AreaLevel level, int first, int last)
{
    if (!m_directory)
        return;
    QListWidget* list = m_controls.areaLists[static_cast<int>(level)];
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
    if (m_controls.obUserEDlist->isChecked()) {
        const QString path = m_controls.txtUserEDlist->text();
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
    m_controls.lblSelectionSummary->setText(summary);
}

void MainWindow::btBrowseOutputClick()
{
    QLineEdit* box = m_controls.txtUserOutput;
    const QString chosen = m_chooser->chooseFolder(this, text(kChooseOutputFolder), box->text());
    if (!chosen.isEmpty())
        box->setText(chosen);
}

void MainWindow::btBrowseEdListClick()
{
    QLineEdit* box = m_controls.txtUserEDlist;
    const QString chosen = m_chooser->chooseFile(this, text(kChooseEdList), box->text(), text(kEdListFilter));
    if (!chosen.isEmpty())
        box->setText(chosen);
}

void MainWindow::obUserEDlistChange()
{
    const bool userList = m_controls.obUserEDlist->isChecked();
    if (m_finder)
        m_finder->setEnabled(!userList);
    m_controls.btBrowseEdList->setEnabled(userList);
    m_summaryTimer->start();
    if (userList) {
        m_controls.txtUserEDlist->setEnabled(true);
        for (ListWidgetAdapter* list : m_areaAdapters)
            list->setEnabled(false);
        m_cascade->resetAll();
    } else {
        m_controls.txtUserEDlist->setEnabled(false);
        for (ListWidgetAdapter* list : m_areaAdapters)
            list->setEnabled(true);
    }
}

void MainWindow::cmdResetOrigVarsClick()
{
    setDefaultVars(m_state.variables, *m_hhVarsAdapter, *m_indVarsAdapter);
}

void MainWindow::setDialogs(ExtractDialogs& dialogs)
{
    m_extract->setDialogs(dialogs);
}

void MainWindow::btExtractClick()
{
    if (m_extract->running())
        return;
    const ExtractRunner::Ending ending = m_extract->run();
    if (ending == ExtractRunner::Ending::Quit)
        quitProgram();
}

void MainWindow::cmdOrigVarHelpClick()
{
    m_help->showHelp(fromPath(m_state.folders.glossaryFolder) + QLatin1String(HelpController::kOriginalVariablesPage));
}

void MainWindow::cmdDerivedVarHelpClick()
{
    m_help->showHelp(fromPath(m_state.folders.glossaryFolder) + QLatin1String(HelpController::kDerivedVariablesPage));
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
    // An extraction cannot be interrupted; the press closes the window when it ends.
    if (m_extract->deferClose()) {
        event->ignore();
        return;
    }
    if (!m_quitting)
        m_help->closeHelp();
    event->accept();
}

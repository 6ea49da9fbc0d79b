#include "window/MainWindow.h"

#include "geography/AreaCascade.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "session/ApplicationState.h"
#include "session/StartSession.h"
#include "variables/VariableCatalogue.h"
#include "window/ExtractRunner.h"
#include "window/IntroPage.h"
#include "window/KeyboardAccess.h"
#include "window/ListWidgetAdapter.h"
#include "window/MessageBoxDialogs.h"
#include "window/PageWidgets.h"
#include "window/ScreenFit.h"
#include "window/SvgPicture.h"
#include "window/WindowTexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
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
{
    initWindowResources();
    setObjectName(QStringLiteral("frmZENDRA91"));
    setWindowTitle(text(kWindowCaption));
    setWindowIcon(svgIcon(QStringLiteral(":/shell/zendra91.svg")));
    buildPages();
    connectHandlers();
    setFocusOrder();
    setMnemonics();
    startUp();
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
    for (int i = 0; i < kNumAreaLevels; ++i)
        connect(m_areaAdapters[i], &ListWidgetAdapter::changed, this,
            [this, i] { m_cascade->listChanged(static_cast<AreaLevel>(i)); });

    static_cast<const AreasPage&>(c).mirrorInto(m_state.settings);
    static_cast<const OutputPage&>(c).mirrorInto(m_state.settings);
    connect(c.obUserEDlist, &QRadioButton::toggled, this, &MainWindow::obUserEDlistChange);
    connect(c.cmdResetOrigVars, &QPushButton::clicked, this, &MainWindow::cmdResetOrigVarsClick);
    // cmdResetDerivedVars does nothing: the derived lists have neither rows nor defaults.

    connect(c.btExtract, &QPushButton::clicked, this, &MainWindow::btExtractClick);
    connect(c.cmdOrigVarHelp, &QPushButton::clicked, this, &MainWindow::cmdOrigVarHelpClick);
    connect(c.cmdDerivedVarHelp, &QPushButton::clicked, this, &MainWindow::cmdDerivedVarHelpClick);
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

void MainWindow::obUserEDlistChange()
{
    const bool userList = m_controls.obUserEDlist->isChecked();
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

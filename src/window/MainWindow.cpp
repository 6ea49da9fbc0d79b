#include "window/MainWindow.h"

#include "geography/AreaCascade.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "session/ApplicationState.h"
#include "session/StartSession.h"
#include "window/CheckMarkDelegate.h"
#include "window/ExtractRunner.h"
#include "window/ListWidgetAdapter.h"
#include "window/MessageBoxDialogs.h"
#include "window/WindowTexts.h"
#include "window/SvgPicture.h"
#include "variables/VariableCatalogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

static void initWindowResources()
{
    // The pictures live in a static library; nothing else would pull them in.
    Q_INIT_RESOURCE(window);
}

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/// A label's text as a screen reader should say it for the control it heads.
QString spoken(const char* caption)
{
    return text(caption).remove(QLatin1Char('\n')).trimmed();
}

QString fromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toPath(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const char* name, const char* caption)
{
    auto* l = named(new QLabel(text(caption)), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* framedLabel(const char* name, const char* caption)
{
    QLabel* l = label(name, caption);
    l->setFrameShape(QFrame::StyledPanel);
    l->setWordWrap(true);
    l->setMargin(6);
    return l;
}

QListWidget* listBox(const char* name, const QString& accessibleName, QLabel* heading)
{
    auto* list = named(new QListWidget, name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setAccessibleName(accessibleName);
    if (heading)
        heading->setBuddy(list);
    return list;
}

QListWidget* checkList(const char* name, const QString& accessibleName, QLabel* heading)
{
    QListWidget* list = listBox(name, accessibleName, heading);
    list->setItemDelegate(new CheckMarkDelegate(list));
    return list;
}

QLineEdit* textBox(const char* name, const QString& accessibleName)
{
    auto* box = named(new QLineEdit, name);
    box->setAccessibleName(accessibleName);
    return box;
}

template <typename Button>
Button* button(const char* name, const char* caption)
{
    auto* b = named(new Button(text(caption)), name);
    b->setAccessibleName(spoken(caption));
    return b;
}

QPushButton* definitionsButton(const char* name, const char* description)
{
    auto* b = named(new QPushButton, name);
    b->setIcon(svgIcon(QStringLiteral(":/shell/definitions.svg")));
    b->setIconSize(QSize(32, 32));
    b->setAccessibleName(text(kLabel34));
    b->setAccessibleDescription(text(description));
    b->setToolTip(text(description));
    return b;
}

QLabel* picture(const char* name, const char* resource, const QString& description, qreal ratio)
{
    auto* l = named(new QLabel, name);
    l->setPixmap(svgPixmap(QLatin1String(resource), QSize(240, 160), ratio));
    l->setAccessibleName(description);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

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

    auto* tabs = named(new QTabWidget, "MultiPage1");
    m_controls.MultiPage1 = tabs;
    tabs->addTab(buildIntroPage(), text(kPageIntro));
    tabs->addTab(buildAreasPage(), text(kPageSelectAreas));
    tabs->addTab(buildVariablesPage(), text(kPageSelectVars));
    tabs->addTab(buildOutputPage(), text(kPageOutputOptions));

    QLabel* notice = label("Label40", kLabel40);
    notice->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(notice);

    connectHandlers();
    startUp();
    resize(900, 760);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildIntroPage()
{
    auto* page = named(new QWidget, "Page1");
    QLabel* title = label("Label1", kLabel1);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QLabel* version = label("Label43", kLabel43);
    QFont versionFont = version->font();
    versionFont.setPointSizeF(versionFont.pointSizeF() * 1.3);
    version->setFont(versionFont);
    QLabel* subtitle = label("Label36", kLabel36);
    QFont subtitleFont = subtitle->font();
    subtitleFont.setBold(true);
    subtitle->setFont(subtitleFont);
    subtitle->setWordWrap(true);
    QLabel* about = label("Label37", kLabel37);
    about->setWordWrap(true);
    about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QLabel* contact = label("Label38", kLabel38);
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const qreal ratio = devicePixelRatioF();
    auto* pictures = new QHBoxLayout;
    pictures->addStretch();
    pictures->addWidget(picture("Image1", ":/shell/intro-households.svg", tr("Households"), ratio));
    pictures->addSpacing(24);
    pictures->addWidget(picture("Image2", ":/shell/intro-areas.svg", tr("Small areas"), ratio));
    pictures->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(subtitle);
    layout->addSpacing(8);
    layout->addWidget(about);
    layout->addSpacing(12);
    layout->addLayout(pictures);
    layout->addStretch();
    layout->addWidget(contact);
    return page;
}

QWidget* MainWindow::buildAreasPage()
{
    auto* page = named(new QWidget, "pgSelectAreas");
    auto* layout = new QVBoxLayout(page);

    m_controls.obSelectedAreas = button<QRadioButton>("obSelectedAreas", kObSelectedAreas);
    layout->addWidget(m_controls.obSelectedAreas);

    struct AreaList {
        const char* list;
        const char* label;
        const char* heading;
        int stretch;
        int minimumRows;
    };
    // Indexed by AreaLevel; the longer lists get more of the height, and the
    // countries list always shows all five of its rows.
    const AreaList areas[kNumAreaLevels] = {
        {"lstCountries", "Label2", kLabel2, 2, 5},  {"lstRegions", "Label21", kLabel21, 3, 4},
        {"lstCounties", "Label20", kLabel20, 3, 4}, {"lstDistricts", "Label19", kLabel19, 3, 4},
        {"lstWards", "Label6", kLabel6, 4, 4},
    };
    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    for (int i = 0; i < kNumAreaLevels; ++i) {
        QLabel* heading = label(areas[i].label, areas[i].heading);
        QListWidget* list = listBox(areas[i].list, spoken(areas[i].heading), heading);
        list->setMinimumHeight(areas[i].minimumRows * (list->fontMetrics().height() + 1) + 2 * list->frameWidth() + 4);
        grid->addWidget(list, i, 0);
        grid->addWidget(heading, i, 1, Qt::AlignTop | Qt::AlignLeft);
        grid->setRowStretch(i, areas[i].stretch);
        m_controls.areaLists[i] = list;
        m_areaAdapters[i] = new ListWidgetAdapter(list);
    }
    layout->addLayout(grid, 1);

    layout->addWidget(framedLabel("Label41", kLabel41));

    m_controls.obUserEDlist = button<QRadioButton>("obUserEDlist", kObUserEDlist);
    m_controls.txtUserEDlist = textBox("txtUserEDlist", spoken(kObUserEDlist));
    auto* edList = new QHBoxLayout;
    edList->addWidget(m_controls.obUserEDlist);
    edList->addWidget(m_controls.txtUserEDlist, 1);
    layout->addLayout(edList);
    QLabel* hint = label("Label8", kLabel8);
    hint->setIndent(24);
    layout->addWidget(hint);

    auto* group = new QButtonGroup(page);
    group->addButton(m_controls.obSelectedAreas);
    group->addButton(m_controls.obUserEDlist);
    return page;
}

QWidget* MainWindow::buildVariablesPage()
{
    auto* page = named(new QWidget, "pgSelectVars");
    auto* grid = new QGridLayout(page);

    auto half = [&](int row, const char* titleName, const char* titleText, const char* hhLabelName,
                    const char* hhCaption, const char* hhList, const char* indLabelName, const char* indCaption,
                    const char* indList, const char* defsLabelName, const char* defsCaption, const char* helpName,
                    const char* helpDescription, const char* resetName, const char* resetDescription,
                    QListWidget*& hh, QListWidget*& ind, QPushButton*& help, QPushButton*& reset) {
        QLabel* title = label(titleName, titleText);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        grid->addWidget(title, row, 0, 1, 3);
        QLabel* hhHeading = label(hhLabelName, hhCaption);
        QLabel* indHeading = label(indLabelName, indCaption);
        grid->addWidget(hhHeading, row + 1, 0);
        grid->addWidget(indHeading, row + 1, 2);
        hh = checkList(hhList, spoken(hhCaption), hhHeading);
        hh->setAccessibleDescription(text(titleText));
        ind = checkList(indList, spoken(indCaption), indHeading);
        ind->setAccessibleDescription(text(titleText));
        help = definitionsButton(helpName, helpDescription);
        reset = button<QPushButton>(resetName, kReset);
        reset->setAccessibleDescription(text(resetDescription));
        auto* middle = new QVBoxLayout;
        middle->addWidget(label(defsLabelName, defsCaption), 0, Qt::AlignHCenter);
        middle->addWidget(help, 0, Qt::AlignHCenter);
        middle->addStretch();
        middle->addWidget(reset, 0, Qt::AlignHCenter);
        grid->addWidget(hh, row + 2, 0);
        grid->addLayout(middle, row + 2, 1);
        grid->addWidget(ind, row + 2, 2);
        grid->setRowStretch(row + 2, 1);
    };
    Controls& c = m_controls;
    half(0, "Label15", kLabel15, "Label11", kLabel11, "lstHHVars_Orig", "Label13", kLabel13, "lstIndVars_Orig",
         "Label34", kLabel34, "cmdOrigVarHelp", kOrigVarHelpDescription, "cmdResetOrigVars", kResetOrigDescription,
         c.lstHHVars_Orig, c.lstIndVars_Orig, c.cmdOrigVarHelp, c.cmdResetOrigVars);
    grid->setRowMinimumHeight(3, 12);
    half(4, "Label25", kLabel25, "Label12", kLabel12, "lstHHVars_Derived", "Label14", kLabel14,
         "lstIndVars_Derived", "Label35", kLabel35, "cmdDerivedVarHelp", kDerivedVarHelpDescription,
         "cmdResetDerivedVars", kResetDerivedDescription, c.lstHHVars_Derived, c.lstIndVars_Derived,
         c.cmdDerivedVarHelp, c.cmdResetDerivedVars);
    // The original variables have rows; the derived lists stay empty.
    grid->setRowStretch(2, 3);
    grid->setRowStretch(6, 1);

    auto* notes = new QVBoxLayout;
    notes->addWidget(framedLabel("Label45", kLabel45));
    notes->addWidget(framedLabel("Label42", kLabel42));
    notes->addWidget(framedLabel("Label44", kLabel44));
    notes->addStretch();
    grid->addLayout(notes, 1, 3, 6, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);

    m_hhVarsAdapter = new ListWidgetAdapter(c.lstHHVars_Orig);
    m_indVarsAdapter = new ListWidgetAdapter(c.lstIndVars_Orig);
    return page;
}

QWidget* MainWindow::buildOutputPage()
{
    auto* page = named(new QWidget, "pgOutputOptions");
    auto* layout = new QVBoxLayout(page);
    Controls& c = m_controls;

    layout->addWidget(label("Label26", kLabel26));
    struct Code {
        const char* box;
        const char* caption;
        const char* example;
        const char* exampleText;
        QCheckBox** control;
    };
    const Code codes[] = {
        {"cbED", kCbED, "Label31", kLabel31, &c.cbED},
        {"cbWard", kCbWard, "Label30", kLabel30, &c.cbWard},
        {"cbDistrict", kCbDistrict, "Label29", kLabel29, &c.cbDistrict},
        {"cbCounty", kCbCounty, "Label32", kLabel32, &c.cbCounty},
        {"cbRegion", kCbRegion, "Label28", kLabel28, &c.cbRegion},
        {"cbCountry", kCbCountry, "Label27", kLabel27, &c.cbCountry},
    };
    auto* codeGrid = new QGridLayout;
    codeGrid->setHorizontalSpacing(18);
    for (int i = 0; i < 6; ++i) {
        *codes[i].control = button<QCheckBox>(codes[i].box, codes[i].caption);
        QLabel* example = label(codes[i].example, codes[i].exampleText);
        example->setEnabled(false); // drawn greyed, as an example rather than a setting
        int column = (i / 3) * 2;
        codeGrid->addWidget(*codes[i].control, i % 3, column);
        codeGrid->addWidget(example, i % 3, column + 1);
    }
    codeGrid->setColumnStretch(4, 1);
    layout->addLayout(codeGrid);
    layout->addSpacing(12);

    auto* files = new QGridLayout;
    files->setColumnStretch(1, 1);
    QLabel* folderLabel = label("Label9", kLabel9);
    c.txtUserOutput = textBox("txtUserOutput", spoken(kLabel9));
    folderLabel->setBuddy(c.txtUserOutput);
    files->addWidget(folderLabel, 0, 0);
    files->addWidget(c.txtUserOutput, 0, 1);
    files->addWidget(label("Label10", kLabel10), 1, 1);
    QLabel* rootLabel = label("Label22", kLabel22);
    c.txtUserRootFilename = textBox("txtUserRootFilename", spoken(kLabel22));
    rootLabel->setBuddy(c.txtUserRootFilename);
    files->addWidget(rootLabel, 2, 0);
    files->addWidget(c.txtUserRootFilename, 2, 1);
    files->addWidget(label("Label23", kLabel23), 3, 1);
    layout->addLayout(files);
    layout->addSpacing(12);

    QLabel* options = label("Label18", kLabel18);
    QFont bold = options->font();
    bold.setBold(true);
    options->setFont(bold);
    layout->addWidget(options);
    c.obSeparateFiles = button<QRadioButton>("obSeparateFiles", kObSeparateFiles);
    c.obCombinedFiles = button<QRadioButton>("obCombinedFiles", kObCombinedFiles);
    layout->addWidget(c.obSeparateFiles);
    layout->addWidget(c.obCombinedFiles);
    auto* group = new QButtonGroup(page);
    group->addButton(c.obSeparateFiles);
    group->addButton(c.obCombinedFiles);
    layout->addSpacing(16);

    auto* bottom = new QHBoxLayout;
    c.btExtract = button<QPushButton>("btExtract", kBtExtract);
    c.btExtract->setMinimumWidth(120);
    QFont extractFont = c.btExtract->font();
    extractFont.setBold(true);
    c.btExtract->setFont(extractFont);
    bottom->addWidget(c.btExtract);
    bottom->addStretch();
    QLabel* warn = label("Label46", kLabel46);
    c.txtFileWarningSize = textBox("txtFileWarningSize", spoken(kLabel46));
    c.txtFileWarningSize->setMaximumWidth(80);
    warn->setBuddy(c.txtFileWarningSize);
    bottom->addWidget(warn);
    bottom->addWidget(c.txtFileWarningSize);
    bottom->addWidget(label("Label47", kLabel47));
    layout->addLayout(bottom);
    // Extra height goes below the form, so Extract stays next to the options it uses.
    layout->addStretch();
    return page;
}

void MainWindow::connectHandlers()
{
    Controls& c = m_controls;
    std::array<ListBox*, kNumAreaLevels> lists{};
    for (int i = 0; i < kNumAreaLevels; ++i)
        lists[i] = m_areaAdapters[i];
    m_cascade = std::make_unique<AreaCascade>(m_state.areas, lists);
    for (int i = 0; i < kNumAreaLevels; ++i)
        connect(m_areaAdapters[i], &ListWidgetAdapter::changed, this,
                [this, i] { m_cascade->listChanged(static_cast<AreaLevel>(i)); });

    connect(c.obSeparateFiles, &QRadioButton::toggled, this, &MainWindow::obSeparateFilesChange);
    connect(c.obCombinedFiles, &QRadioButton::toggled, this, &MainWindow::obCombinedFilesChange);
    connect(c.txtUserOutput, &QLineEdit::textChanged, this, &MainWindow::txtUserOutputChange);
    connect(c.txtUserRootFilename, &QLineEdit::textChanged, this, &MainWindow::txtUserRootFilenameChange);
    connect(c.obUserEDlist, &QRadioButton::toggled, this, &MainWindow::obUserEDlistChange);
    connect(c.txtUserEDlist, &QLineEdit::textChanged, this, &MainWindow::txtUserEDlistChange);
    connect(c.cmdResetOrigVars, &QPushButton::clicked, this, &MainWindow::cmdResetOrigVarsClick);
    // cmdResetDerivedVars does nothing: the derived lists have neither rows nor defaults.

    connect(c.btExtract, &QPushButton::clicked, this, &MainWindow::btExtractClick);
    connect(c.cmdOrigVarHelp, &QPushButton::clicked, this, &MainWindow::cmdOrigVarHelpClick);
    connect(c.cmdDerivedVarHelp, &QPushButton::clicked, this, &MainWindow::cmdDerivedVarHelpClick);

    // The keyboard walks each page top to bottom, left to right.
    const QList<QWidget*> order = {
        c.obSelectedAreas, c.areaLists[0], c.areaLists[1], c.areaLists[2], c.areaLists[3], c.areaLists[4],
        c.obUserEDlist, c.txtUserEDlist,
        c.lstHHVars_Orig, c.cmdOrigVarHelp, c.cmdResetOrigVars, c.lstIndVars_Orig,
        c.lstHHVars_Derived, c.cmdDerivedVarHelp, c.cmdResetDerivedVars, c.lstIndVars_Derived,
        c.cbED, c.cbWard, c.cbDistrict, c.cbCounty, c.cbRegion, c.cbCountry,
        c.txtUserOutput, c.txtUserRootFilename, c.obSeparateFiles, c.obCombinedFiles, c.btExtract,
        c.txtFileWarningSize,
    };
    setTabOrder(c.MultiPage1, order.front());
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
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

ListBox& MainWindow::areaList(AreaLevel level)
{
    return *m_areaAdapters[static_cast<int>(level)];
}

void MainWindow::obSeparateFilesChange()
{
    m_state.settings.separateFiles = m_controls.obSeparateFiles->isChecked();
}

// After Extract has cleared the combined option neither button is on, and choosing
// combined again does not change obSeparateFiles; this keeps the setting in step.
void MainWindow::obCombinedFilesChange()
{
    m_state.settings.separateFiles = !m_controls.obCombinedFiles->isChecked();
}

void MainWindow::txtUserOutputChange()
{
    m_state.settings.outputFolder = toPath(m_controls.txtUserOutput->text());
}

void MainWindow::txtUserRootFilenameChange()
{
    m_state.settings.rootFileName = toPath(m_controls.txtUserRootFilename->text());
}

void MainWindow::txtUserEDlistChange()
{
    m_state.settings.edListFile = toPath(m_controls.txtUserEDlist->text());
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
    emit extractRequested();
    if (ending == ExtractRunner::Ending::Quit)
        quitProgram();
}

void MainWindow::cmdOrigVarHelpClick()
{
    m_help->showHelp(fromPath(m_state.folders.glossaryFolder) + QLatin1String(HelpController::kOriginalVariablesPage));
    emit originalVariablesHelpRequested();
}

void MainWindow::cmdDerivedVarHelpClick()
{
    m_help->showHelp(fromPath(m_state.folders.glossaryFolder) + QLatin1String(HelpController::kDerivedVariablesPage));
    emit derivedVariablesHelpRequested();
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
    emit closing();
    event->accept();
}

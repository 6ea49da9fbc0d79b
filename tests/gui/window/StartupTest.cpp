#include "TestWindow.h"

#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "session/StartupTexts.h"
#include "window/PageWidgets.h"
#include "window/KeyboardAccess.h"
#include "window/MessageBoxStartupDialogs.h"
#include "window/ScreenFit.h"
#include "window/Startup.h"
#include "window/StartupDialogs.h"
#include "window/WindowTexts.h"

#include <QAccessible>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <filesystem>

namespace {

/// Answers the start-up offer from a script: "choose:NAME" picks folder NAME of the
/// test's folder ("choose:" cancels the chooser), "demo" and "quit" as named.
struct ScriptedStartupDialogs : StartupDialogs {
    Answer offer(const std::string& report) override
    {
        reports.push_back(report);
        if (script.empty())
            return Answer::Quit;
        const QString step = script.takeFirst();
        if (step.startsWith("choose:")) {
            const QString name = step.mid(7);
            folders.push_back(name.isEmpty() ? std::nullopt : std::optional(base + "/" + name.toStdString()));
            return Answer::ChooseFolder;
        }
        return step == "demo" ? Answer::CreateDemo : Answer::Quit;
    }
    std::optional<std::string> chooseFolder() override
    {
        std::optional<std::string> folder = folders.front();
        folders.pop_front();
        return folder;
    }
    void writeWithProgress(const std::string& folder, const std::function<void()>& work) override
    {
        progressShown.push_back(folder);
        work();
    }

    std::string base;
    QStringList script;
    std::deque<std::optional<std::string>> folders;
    std::vector<std::string> reports;
    std::vector<std::string> progressShown;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void optionsAreParsed_data();
    void optionsAreParsed();
    void dataFolderStartsAsIfStartedThere();
    void failedStartOffersAFolderOrTheDemo_data();
    void failedStartOffersAFolderOrTheDemo();
    void quitIsTheOfferDefault();
    void windowFitsTheAvailableArea_data();
    void windowFitsTheAvailableArea();
    void mnemonicsPressButtonsAndKeepNames_data();
    void mnemonicsPressButtonsAndKeepNames();
    void escapeClosesTheHelpWindow();
};

void StartupTest::optionsAreParsed_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("parsed");
    QTest::newRow("none") << QStringList {} << "";
    QTest::newRow("data") << QStringList { "--data", "d" } << "data=d";
    QTest::newRow("data=") << QStringList { "--data=d e" } << "data=d e";
    QTest::newRow("help") << QStringList { "--help" } << "help";
    QTest::newRow("-h after data") << QStringList { "--data", "d", "-h" } << "help";
    QTest::newRow("version") << QStringList { "--version" } << "version";
    QTest::newRow("unknown option") << QStringList { "--bogus" } << "usage error";
    QTest::newRow("data without folder") << QStringList { "--data" } << "usage error";
    QTest::newRow("stray argument") << QStringList { "d" } << "usage error";
    QTest::newRow("version with a value") << QStringList { "--version=2" } << "usage error";
}

void StartupTest::optionsAreParsed()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, parsed);
    std::vector<std::string> args;
    for (const QString& a : arguments)
        args.push_back(a.toStdString());
    QString got;
    try {
        WindowOptions o = WindowOptions::parse(args);
        got = o.help       ? "help"
            : o.version    ? "version"
            : o.dataFolder ? "data=" + QString::fromStdString(*o.dataFolder)
                           : "";
    } catch (const WindowUsageError&) {
        got = "usage error";
    }
    QCOMPARE(got, parsed);
}

// --data with a relative folder written with a trailing slash gives the folders,
// output folder and ED list that starting in that folder gives.
void StartupTest::dataFolderStartsAsIfStartedThere()
{
    TempDir dir;
    FixtureData::write(dir);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const DataFolders there = setDataFolders();
    std::filesystem::current_path(std::filesystem::path(dir.path()).parent_path());
    const std::string name = std::filesystem::path(dir.path()).filename().string();
    const DataFolders given = startFolders(WindowOptions::parse({ "--data", "./" + name + "/" }));
    std::filesystem::current_path(before);

    for (auto field : { &DataFolders::baseFolder, &DataFolders::programDataFolder, &DataFolders::glossaryFolder,
             &DataFolders::sarDataFolder, &DataFolders::populationDataFolder })
        QCOMPARE(QString::fromStdString(given.*field), QString::fromStdString(there.*field));

    ScriptedStartupDialogs dialogs;
    StartupLoad load = loadWithOffer(given, dialogs, dir.file("demo"));
    QVERIFY2(load.state, load.error.c_str());
    QVERIFY(dialogs.reports.empty());
    MainWindow window(*load.state);
    QCOMPARE(window.controls().txtUserOutput->text(), QString::fromStdString(there.baseFolder + "/Zen91"));
    QCOMPARE(window.controls().txtUserEDlist->text(), QString::fromStdString(there.baseFolder + "/EDlist.txt"));
}

void StartupTest::failedStartOffersAFolderOrTheDemo_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("demoFolder");
    QTest::addColumn<int>("offers");
    QTest::addColumn<QString>("lastReport"); // what the last offer's report begins with
    QTest::addColumn<QString>("opened"); // folder the state loads from; empty for none
    QTest::newRow("quit") << QStringList { "quit" } << "demo" << 1 << kStartupFailedIntro << "";
    QTest::newRow("choose data") << QStringList { "choose:data" } << "demo" << 1 << kStartupFailedIntro << "data";
    QTest::newRow("empty folder, then data")
        << QStringList { "choose:empty", "choose:data" } << "demo" << 2 << kStartupFailedIntro << "data";
    QTest::newRow("chooser cancelled, then quit")
        << QStringList { "choose:", "quit" } << "demo" << 2 << kStartupFailedIntro << "";
    QTest::newRow("demo") << QStringList { "demo" } << "demo" << 1 << kStartupFailedIntro << "demo";
    QTest::newRow("demo cannot be written, then quit")
        << QStringList { "demo", "quit" } << "file/demo" << 2 << kDemoWriteFailed << "";
}

// Started where there are no data: each answer is loaded as a start would load it,
// and the offer comes again until something loads or the user quits.
void StartupTest::failedStartOffersAFolderOrTheDemo()
{
    QFETCH(QStringList, script);
    QFETCH(QString, demoFolder);
    QFETCH(int, offers);
    QFETCH(QString, lastReport);
    QFETCH(QString, opened);
    TempDir dir;
    dir.write("empty/note.txt", "no data here");
    dir.write("file", "a file, not a folder");
    TempDir data;
    FixtureData::write(data);
    std::filesystem::create_symlink(data.path(), dir.file("data"));

    ScriptedStartupDialogs dialogs;
    dialogs.base = dir.path();
    dialogs.script = script;
    const std::string demo = dir.file(demoFolder.toStdString());
    StartupLoad load = loadWithOffer(DataFolders::under(dir.file("empty")), dialogs, demo);

    QCOMPARE(int(dialogs.reports.size()), offers);
    QVERIFY2(dialogs.reports.front().find("ProgramData/County_Names.dat") != std::string::npos,
        dialogs.reports.front().c_str());
    QVERIFY2(dialogs.reports.back().starts_with(lastReport.toStdString()), dialogs.reports.back().c_str());
    QCOMPARE(dialogs.progressShown.size(), std::size_t(script.contains("demo")));
    if (opened.isEmpty()) {
        QVERIFY(!load.state);
        QCOMPARE(load.error, dialogs.reports.back());
        return;
    }
    QVERIFY2(load.state, load.error.c_str());
    const std::string base = opened == "demo" ? demo : absoluteFolder(data.path());
    QCOMPARE(QString::fromStdString(load.state->folders.baseFolder), QString::fromStdString(base));
    QVERIFY(load.state->areas.level(AreaLevel::Ward).count() > 0);
}

// Enter on the offer quits: the program then ends as a failed start always has.
void StartupTest::quitIsTheOfferDefault()
{
    QString text;
    QTimer::singleShot(0, [&text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    MessageBoxStartupDialogs dialogs;
    QCOMPARE(dialogs.offer("the report"), StartupDialogs::Answer::Quit);
    QVERIFY2(
        text.startsWith("the report") && text.contains(QString::fromStdString(demoDataFolder())), qPrintable(text));
}

void StartupTest::windowFitsTheAvailableArea_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QMargins>("frame");
    QTest::newRow("1920x1080 at scale 2") << QRect(0, 0, 960, 516) << QMargins(4, 30, 4, 4);
    QTest::newRow("1366x768 below a panel") << QRect(0, 32, 1366, 736) << QMargins(4, 30, 4, 4);
    QTest::newRow("1366x768 at scale 2") << QRect(0, 0, 683, 384) << QMargins();
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QMargins(2, 20, 2, 2);
}

// The window with its frame lies inside the available area, as large as it would
// like where that fits, and every page can still show its last control.
void StartupTest::windowFitsTheAvailableArea()
{
    QFETCH(QRect, available);
    QFETCH(QMargins, frame);
    const QRect fitted = fittedGeometry(QSize(900, 760), frame, available);
    QVERIFY(available.contains(fitted.marginsAdded(frame)));
    const QSize room = available.marginsRemoved(frame).size();
    QCOMPARE(fitted.size(), QSize(std::min(900, room.width()), std::min(760, room.height())));

    TestWindow f(DataSet::Demo);
    f.window->fitInto(available);
    QVERIFY2(available.contains(f.window->frameGeometry()),
        qPrintable(QStringLiteral("%1x%2").arg(f.window->width()).arg(f.window->height())));
    const auto& c = f.c();
    const QList<QWidget*> lastOnPage { c.obUserEDlist, c.cmdResetDerivedVars, c.btExtract };
    for (int page = 1; page < 4; ++page) {
        c.MultiPage1->setCurrentIndex(page);
        auto* area = qobject_cast<QScrollArea*>(c.MultiPage1->currentWidget());
        QVERIFY(area);
        QWidget* last = lastOnPage[page - 1];
        area->ensureWidgetVisible(last);
        QVERIFY2(!last->visibleRegion().isEmpty(), qPrintable(last->objectName()));
    }
}

void StartupTest::mnemonicsPressButtonsAndKeepNames_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("pressed"); // a button's objectName, or "tab N"
    QTest::newRow("Alt+E") << 3 << QChar('E') << "btExtract";
    QTest::newRow("Alt+R") << 2 << QChar('R') << "cmdResetOrigVars";
    QTest::newRow("Alt+C") << 3 << QChar('C') << "obCombinedFiles";
    QTest::newRow("Alt+U") << 1 << QChar('U') << "obUserEDlist";
    QTest::newRow("Alt+O") << 0 << QChar('O') << "tab 3";
    QTest::newRow("Alt+V") << 3 << QChar('V') << "tab 2";
    QTest::newRow("Alt+A") << 0 << QChar('A') << "tab 1";
    QTest::newRow("Alt+I") << 2 << QChar('I') << "tab 0";
}

// Alt+letter presses the button or opens the page; the captions show and speak as
// before, without the "&".
void StartupTest::mnemonicsPressButtonsAndKeepNames()
{
    QFETCH(int, page);
    QFETCH(QChar, key);
    QFETCH(QString, pressed);
    TestWindow f;
    const auto& c = f.c();
    const char* const pages[] = { kPageIntro, kPageSelectAreas, kPageSelectVars, kPageOutputOptions };
    QAccessibleInterface* tabBar = QAccessible::queryAccessibleInterface(c.MultiPage1->tabBar());
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(c.MultiPage1->tabText(i).remove('&'), QString::fromUtf8(pages[i]));
        QCOMPARE(tabBar->child(i)->text(QAccessible::Name), QString::fromUtf8(pages[i]));
    }
    const std::pair<QAbstractButton*, const char*> captions[]
        = { { c.btExtract, kBtExtract }, { c.cmdResetOrigVars, kReset }, { c.cmdResetDerivedVars, kReset },
              { c.obSelectedAreas, kObSelectedAreas }, { c.obUserEDlist, kObUserEDlist },
              { c.obSeparateFiles, kObSeparateFiles }, { c.obCombinedFiles, kObCombinedFiles } };
    for (auto [button, caption] : captions) {
        QVERIFY2(button->text().contains('&'), qPrintable(button->objectName()));
        QCOMPARE(button->text().remove('&'), QString::fromUtf8(caption));
        QCOMPARE(button->accessibleName(), widgets::spoken(caption));
    }
    QCOMPARE(withMnemonic("Fish & Chips", 'C'), QStringLiteral("Fish && &Chips"));

    c.MultiPage1->setCurrentIndex(page);
    QApplication::setActiveWindow(f.window.get());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QAbstractButton* button = f.window->findChild<QAbstractButton*>(pressed);
    std::unique_ptr<QSignalSpy> clicks(button ? new QSignalSpy(button, &QAbstractButton::clicked) : nullptr);
    QTest::keyClick(f.window.get(), Qt::Key(key.unicode()), Qt::AltModifier);
    if (button)
        QTRY_COMPARE(clicks->count(), 1); // a mnemonic animates its click
    else
        QCOMPARE("tab " + QString::number(c.MultiPage1->currentIndex()), pressed);
}

void StartupTest::escapeClosesTheHelpWindow()
{
    TestWindow f;
    f.c().cmdOrigVarHelp->click();
    QPointer<HelpWindow> help = f.window->help().window();
    QVERIFY(help && help->isVisible());
    QApplication::setActiveWindow(help);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help, Qt::Key_Escape);
    QVERIFY(!help || !help->isVisible());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"

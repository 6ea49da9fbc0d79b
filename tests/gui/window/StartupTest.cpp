#include "TestWindow.h"

#include "session/StartupTexts.h"
#include "window/KeyboardAccess.h"
#include "window/MessageBoxStartupDialogs.h"
#include "window/ScreenFit.h"
#include "window/Startup.h"
#include "window/WindowTexts.h"

#include <QMessageBox>
#include <QScrollArea>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>

namespace {

/// Answers the start-up offer from a script: "choose:NAME" picks folder NAME of the
/// test's folder ("choose:" cancels the chooser), "demo" and "quit" as named.
struct ScriptedStartupDialogs : StartupDialogs {
    Answer offer(const std::string& report) override
    {
        reports.push_back(report);
        const QString step = script.isEmpty() ? QStringLiteral("quit") : script.takeFirst();
        const QString name = step.mid(7);
        chosen = name.isEmpty() ? std::nullopt : std::optional(base + "/" + name.toStdString());
        return step.startsWith("choose:") ? Answer::ChooseFolder : step == "demo" ? Answer::CreateDemo : Answer::Quit;
    }
    std::optional<std::string> chooseFolder() override { return chosen; }
    void writeWithProgress(const std::string&, const std::function<void()>& work) override
    {
        ++progressShown;
        work();
    }

    std::string base;
    QStringList script;
    std::optional<std::string> chosen;
    std::vector<std::string> reports;
    int progressShown = 0;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void optionsAreParsed_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("parsed");
        QTest::newRow("data") << QStringList { "--data", "d" } << "data=d";
        QTest::newRow("data=") << QStringList { "--data=d e" } << "data=d e";
        QTest::newRow("-h after data") << QStringList { "--data", "d", "-h" } << "help";
        QTest::newRow("version") << QStringList { "--version" } << "version";
        QTest::newRow("stray argument") << QStringList { "d" } << "usage error";
        QTest::newRow("version with a value") << QStringList { "--version=2" } << "usage error";
    }

    void optionsAreParsed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, parsed);
        std::vector<std::string> args;
        for (const QString& a : arguments)
            args.push_back(a.toStdString());
        QString got = "usage error";
        try {
            const WindowOptions o = WindowOptions::parse(args);
            got = o.help       ? "help"
                : o.version    ? "version"
                : o.dataFolder ? "data=" + QString::fromStdString(*o.dataFolder)
                               : "";
        } catch (const WindowUsageError&) {
        }
        QCOMPARE(got, parsed);
    }

    // --data with a relative folder written with a trailing slash gives the folders
    // that starting in that folder gives.
    void dataFolderStartsAsIfStartedThere()
    {
        TempDir dir;
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        const DataFolders there = setDataFolders();
        std::filesystem::current_path(std::filesystem::path(dir.path()).parent_path());
        const std::string name = std::filesystem::path(dir.path()).filename().string();
        const DataFolders given = startFolders(WindowOptions::parse({ "--data", "./" + name + "/" }));
        std::filesystem::current_path(before);
        QCOMPARE(QString::fromStdString(given.baseFolder), QString::fromStdString(there.baseFolder));
    }

    void failedStartOffersAFolderOrTheDemo_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<bool>("demoFails"); // the demo folder would lie under a plain file
        QTest::addColumn<QString>("opened"); // folder the state loads from; empty for none
        QTest::newRow("quit") << QStringList { "quit" } << false << "";
        QTest::newRow("choose data") << QStringList { "choose:data" } << false << "data";
        QTest::newRow("empty folder, then data") << QStringList { "choose:empty", "choose:data" } << false << "data";
        QTest::newRow("chooser cancelled, then quit") << QStringList { "choose:", "quit" } << false << "";
        QTest::newRow("demo") << QStringList { "demo" } << false << "demo";
        QTest::newRow("demo cannot be written, then quit") << QStringList { "demo", "quit" } << true << "";
    }

    // Started where there are no data: each answer is loaded as a start would load
    // it, and the offer comes again until something loads or the user quits.
    void failedStartOffersAFolderOrTheDemo()
    {
        QFETCH(QStringList, script);
        QFETCH(bool, demoFails);
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
        const std::string demo = dir.file(demoFails ? "file/demo" : "demo");
        StartupLoad load = loadWithOffer(DataFolders::under(dir.file("empty")), dialogs, demo);

        QCOMPARE(qsizetype(dialogs.reports.size()), script.size()); // one offer for each answer
        QVERIFY2(dialogs.reports.front().find("ProgramData/County_Names.dat") != std::string::npos,
            dialogs.reports.front().c_str());
        QVERIFY2(dialogs.reports.back().starts_with(demoFails ? kDemoWriteFailed : kStartupFailedIntro),
            dialogs.reports.back().c_str());
        QCOMPARE(dialogs.progressShown, int(script.contains("demo")));
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
    void quitIsTheOfferDefault()
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

    void windowFitsTheAvailableArea_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::newRow("1920x1080 at scale 2") << QRect(0, 0, 960, 516);
        QTest::newRow("1366x768 below a panel") << QRect(0, 32, 1366, 736);
        QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024);
    }

    // The window with its frame lies inside the available area, and every page can
    // still show its last control.
    void windowFitsTheAvailableArea()
    {
        QFETCH(QRect, available);
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

    void mnemonicsPressButtonsAndOpenPages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("after"); // the page shown, and whether Combined is chosen
        QTest::newRow("Alt+C") << 3 << QChar('C') << "3 combined";
        QTest::newRow("Alt+O") << 0 << QChar('O') << "3 separate";
        QTest::newRow("Alt+I") << 2 << QChar('I') << "0 separate";
    }

    void mnemonicsPressButtonsAndOpenPages()
    {
        QFETCH(int, page);
        QFETCH(QChar, key);
        QFETCH(QString, after);
        QCOMPARE(withMnemonic("Fish & Chips", 'C'), QStringLiteral("Fish && &Chips"));
        TestWindow f;
        const MainWindow::Controls& c = f.c();
        c.MultiPage1->setCurrentIndex(page);
        QApplication::setActiveWindow(f.window.get());
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key(key.unicode()), Qt::AltModifier);
        // A mnemonic animates its click.
        QTRY_COMPARE(QString::number(c.MultiPage1->currentIndex())
                + (c.obCombinedFiles->isChecked() ? " combined" : " separate"),
            after);
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"

#include "TestWindow.h"

#include "session/StartupTexts.h"
#include "window/StartupDialogs.h"
#include "window/Startup.h"
#include "window/WindowTexts.h"

#include <QScrollArea>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>

namespace {

/// Answers the start-up offer from a script: "choose:NAME" picks folder NAME of the
/// test's folder ("choose:" cancels the chooser), "demo" and "quit" as named.
struct ScriptedStartupDialogs : StartupDialogs {
    Answer offer(const std::string& report, const std::string& demoFolder) override
    {
        reports.push_back(report);
        offeredDemo = demoFolder;
        const QString step = script.isEmpty() ? QStringLiteral("quit") : script.takeFirst();
        const QString name = step.mid(7);
        chosen = name.isEmpty() ? std::nullopt : std::optional(base + "/" + name.toStdString());
        return step.startsWith("choose:") ? Answer::ChooseFolder : step == "demo" ? Answer::CreateDemo : Answer::Quit;
    }
    std::optional<std::string> chooseFolder() override { return chosen; }
    void writeWithProgress(const std::string&, const std::function<void()>& work) override { work(); }

    std::string base;
    QStringList script;
    std::optional<std::string> chosen;
    std::vector<std::string> reports;
    std::string offeredDemo; ///< where the last offer said the demo would go
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    // The parser takes the arguments last first; --data must still get its value.
    void dataOptionIsParsed()
    {
        QCOMPARE(WindowOptions::parse({ "--data", "d" }).dataFolder, std::optional<std::string>("d"));
        QVERIFY_THROWS_EXCEPTION(WindowUsageError, WindowOptions::parse({ "d" }));
    }

    void failedStartOffersAFolderOrTheDemo_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<bool>("demoFails"); // the demo folder would lie under a plain file
        QTest::addColumn<QString>("opened"); // folder the state loads from; empty for none
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
        QCOMPARE(dialogs.offeredDemo, demo);
        QVERIFY2(dialogs.reports.back().starts_with(demoFails ? kDemoWriteFailed : kStartupFailedIntro),
            dialogs.reports.back().c_str());
        QVERIFY2(bool(load.state) == !opened.isEmpty(), load.error.c_str());
        if (load.state) {
            const std::string base = opened == "demo" ? demo : absoluteFolder(data.path());
            QCOMPARE(QString::fromStdString(load.state->folders.baseFolder), QString::fromStdString(base));
        }
    }

    // The window with its frame lies inside the available area (a small second
    // screen, below a panel), and every page can still show its last control.
    void windowFitsTheAvailableArea()
    {
        const QRect available(1920, 32, 960, 516);
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
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"

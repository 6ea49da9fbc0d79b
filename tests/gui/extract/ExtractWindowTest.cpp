#include "TestWindow.h"

#include <QProcess>
#include <QRadioButton>
#include <QtTest>

#include <filesystem>

namespace {

/// Runs zendra91-extract, as a fresh process, over the fixture's data.
int runTool(const TestWindow& f, const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(ZENDRA91_EXTRACT_TOOL),
        QStringList { "--quiet", "--data", QString::fromStdString(f.dir.path()), "--output", f.path("cli") }
            + arguments);
    return tool.waitForFinished(60000) ? tool.exitCode() : -1;
}

} // namespace

class ExtractWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Both are the first extraction after a fresh start, so they draw alike.
    void sameFilesAsTheCommandLineTool()
    {
        TestWindow f(DataSet::Demo);
        const QString ward = QString::fromStdString(f.chooseLargeWard());
        f.dialogs.script("M2=Yes,M7=Yes");
        f.extract();
        QCOMPARE(f.asked(), QStringLiteral("M2 M7 M9"));
        QCOMPARE(runTool(f, { "--wards", ward }), 0);
        for (const char* name : { "/Zen91_hh.txt", "/Zen91_ind.txt" }) {
            const std::string window = readFile(f.dir.file("Zen91") + name);
            QVERIFY(!window.empty());
            QVERIFY2(window == readFile(f.dir.file("cli") + name), name);
        }
    }

    void controlsReachTheRequest_data()
    {
        // setup: what is done to the window first, in order; "folder" creates the
        // output folder beforehand, "ward" chooses one ward.
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("asked");
        QTest::newRow("ED list missing") << QStringList { "missing-list" } << "M1";
        QTest::newRow("no variables") << QStringList { "folder", "no-vars" } << "M3";
        QTest::newRow("threshold abc") << QStringList { "folder", "ward", "threshold=abc" } << "ThresholdNotANumber";
    }

    // Each control's value reaches the extraction: its refusal shows, nothing is written.
    void controlsReachTheRequest()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, asked);
        TestWindow f(DataSet::Demo);
        const MainWindow::Controls& c = f.c();
        for (const QString& step : setup) {
            if (step == "folder")
                QVERIFY(QDir().mkdir(f.path("Zen91")));
            else if (step == "ward")
                f.chooseLargeWard();
            else if (step == "no-vars") {
                c.lstHHVars_Orig->clearSelection();
                c.lstIndVars_Orig->clearSelection();
            } else if (step == "missing-list") {
                c.obUserEDlist->setChecked(true);
                c.txtUserEDlist->setText(f.path("NoSuchList.txt"));
            } else if (step.startsWith("threshold="))
                c.txtFileWarningSize->setText(step.mid(10));
        }
        f.extract();
        QCOMPARE(f.asked(), asked);
        QCOMPARE(f.outputListing(), setup.contains("folder") ? QStringList() : QStringList { "(no folder)" });
    }

    // Afterwards neither output option shows as chosen; choosing combined again
    // must give a combined file, although the separate option does not change.
    void householdOnlyClearsTheCombinedOptionUntilChosenAgain()
    {
        TestWindow f(DataSet::Demo);
        const MainWindow::Controls& c = f.c();
        f.chooseLargeWard();
        c.obCombinedFiles->setChecked(true);
        c.lstIndVars_Orig->clearSelection();
        f.dialogs.script("M2=Yes,M4=Yes,M6=Yes,M7=Yes");
        f.extract();
        QCOMPARE(f.asked(), QStringLiteral("M2 M4 M9"));
        QVERIFY(!c.obCombinedFiles->isChecked() && !c.obSeparateFiles->isChecked());
        QVERIFY(f.state->settings.separateFiles);

        clickOption(c.obCombinedFiles);
        c.cmdResetOrigVars->click();
        f.dialogs.shown.clear();
        f.extract();
        QCOMPARE(f.asked(), QStringLiteral("M6 M7 M9"));
        QCOMPARE(f.outputListing(), (QStringList { "Zen91_hh.txt", "Zen91_hhind.txt" }));
    }

    // A failure is reported as an error naming the file, and the window keeps
    // every value the user set.
    void failureIsReportedAndChangesNothing()
    {
        TestWindow f(DataSet::Demo);
        f.dir.write("Zen91Data/BY/04BYFA01.res", "12,x7,3\r\n");
        QVERIFY(QDir().mkdir(f.path("Zen91")));
        f.chooseLargeWard();
        const QStringList before = f.snapshot();
        f.dialogs.script("M7=Yes,M9=Yes");
        f.extract();
        QCOMPARE(f.asked(), QStringLiteral("M7 ExtractionFailed"));
        const std::string message = f.dialogs.shown.back().joined("\n");
        QVERIFY2(message.find(f.dir.file("Zen91Data/BY/04BYFA01.res")) != std::string::npos, message.c_str());
        QCOMPARE(f.outputListing(), QStringList());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.snapshot(), before);
    }
};

QTEST_MAIN(ExtractWindowTest)
#include "ExtractWindowTest.moc"

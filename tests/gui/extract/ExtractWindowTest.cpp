#include "demodata/DemoGeography.h"
#include "TestWindow.h"

#include <QCheckBox>
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
    if (!tool.waitForFinished(60000))
        return -1;
    return tool.exitCode();
}

} // namespace

class ExtractWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sameFilesAsTheCommandLineTool_data();
    void sameFilesAsTheCommandLineTool();
    void refusals_data();
    void refusals();
    void householdOnlyClearsTheCombinedOptionUntilChosenAgain();
    void failureIsReportedAndChangesNothing_data();
    void failureIsReportedAndChangesNothing();
};

void ExtractWindowTest::sameFilesAsTheCommandLineTool_data()
{
    QTest::addColumn<bool>("userList");
    QTest::addColumn<QString>("completion");
    QTest::addColumn<int>("toolExit");
    QTest::newRow("a ward with draws") << false << "M9" << 0;
    QTest::newRow("the demo ED list") << true << "M8" << 3;
}

// Both are the first extraction after a fresh start, so they draw alike.
void ExtractWindowTest::sameFilesAsTheCommandLineTool()
{
    QFETCH(bool, userList);
    QFETCH(QString, completion);
    QFETCH(int, toolExit);
    TestWindow f(DataSet::Demo);
    QStringList toolArguments;
    if (userList) {
        f.c().obUserEDlist->setChecked(true);
        toolArguments << "--ed-list" << f.c().txtUserEDlist->text();
    } else {
        toolArguments << "--wards" << QString::fromStdString(f.chooseLargeWard());
    }
    f.dialogs.script("M2=Yes,M7=Yes");
    f.extract();
    QVERIFY2(f.asked().endsWith(completion), qPrintable(f.asked()));
    QCOMPARE(f.outputListing(), (QStringList { "Zen91_hh.txt", "Zen91_ind.txt" }));
    const std::string rejected = readFile(f.dir.file("RejectedEDs.txt"));
    QCOMPARE(rejected.empty(), !userList);

    QCOMPARE(runTool(f, toolArguments), toolExit);
    for (const char* name : { "/Zen91_hh.txt", "/Zen91_ind.txt" }) {
        const std::string window = readFile(f.dir.file("Zen91") + name);
        QVERIFY(!window.empty());
        QVERIFY2(window == readFile(f.dir.file("cli") + name), name);
    }
    QCOMPARE(readFile(f.dir.file("RejectedEDs.txt")), rejected);
}

void ExtractWindowTest::refusals_data()
{
    // setup: what is done to the window first, in order; "folder" creates the
    // output folder beforehand, "ward" chooses a small area.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QStringList>("listing");
    const QStringList noFolder { "(no folder)" };
    QTest::newRow("M1 list missing") << "missing-list"
                                     << ""
                                     << "M1" << noFolder;
    QTest::newRow("M2 No") << "ward"
                           << "M2=No"
                           << "M2" << noFolder;
    QTest::newRow("M3 even when combined") << "folder no-vars combined"
                                           << ""
                                           << "M3" << QStringList();
    QTest::newRow("M4 No") << "folder ward combined hh-only"
                           << "M4=No"
                           << "M4" << QStringList();
    QTest::newRow("M5 Yes") << "folder ward combined ind-only"
                            << "M5=Yes,M7=Yes"
                            << "M5 M7 M9" << QStringList { "Zen91_ind.txt" };
    QTest::newRow("M6 No") << "folder ward combined"
                           << "M6=No"
                           << "M6" << QStringList();
    QTest::newRow("M7 No") << "folder ward"
                           << "M7=No"
                           << "M7" << QStringList();
    QTest::newRow("threshold abc") << "folder ward threshold=abc"
                                   << "M7=Yes"
                                   << "ThresholdNotANumber" << QStringList();
}

void ExtractWindowTest::refusals()
{
    QFETCH(QString, setup);
    QFETCH(QString, answers);
    QFETCH(QString, asked);
    QFETCH(QStringList, listing);
    TestWindow f(DataSet::Demo);
    const MainWindow::Controls& c = f.c();
    for (const QString& step : setup.split(QLatin1Char(' '))) {
        if (step == "folder")
            QVERIFY(QDir().mkdir(f.path("Zen91")));
        else if (step == "ward")
            f.chooseLargeWard();
        else if (step == "missing-list") {
            c.obUserEDlist->setChecked(true);
            c.txtUserEDlist->setText(f.path("NoSuchList.txt"));
        } else if (step == "combined")
            c.obCombinedFiles->setChecked(true);
        else if (step == "no-vars" || step == "ind-only")
            selectRows(c.lstHHVars_Orig, {});
        if (step == "no-vars" || step == "hh-only")
            selectRows(c.lstIndVars_Orig, {});
        if (step.startsWith("threshold="))
            c.txtFileWarningSize->setText(step.mid(10));
    }
    f.dialogs.script(answers.toStdString());
    f.extract();
    QCOMPARE(f.asked(), asked);
    QCOMPARE(f.outputListing(), listing);
    QVERIFY(f.window->isVisible());
}

void ExtractWindowTest::householdOnlyClearsTheCombinedOptionUntilChosenAgain()
{
    TestWindow f(DataSet::Demo);
    const MainWindow::Controls& c = f.c();
    f.chooseLargeWard();
    c.obCombinedFiles->setChecked(true);
    selectRows(c.lstIndVars_Orig, {});
    f.dialogs.script("M2=Yes,M4=Yes,M6=Yes,M7=Yes");
    f.extract();
    QCOMPARE(f.asked(), QStringLiteral("M2 M4 M9"));
    QCOMPARE(f.outputListing(), QStringList { "Zen91_hh.txt" });
    QVERIFY(!c.obCombinedFiles->isChecked());
    QVERIFY(!c.obSeparateFiles->isChecked());
    QVERIFY(f.state->settings.separateFiles);

    // Choosing combined again must give a combined file, although the separate
    // option, already off, does not change.
    QTest::mouseClick(c.obCombinedFiles, Qt::LeftButton, {}, QPoint(8, c.obCombinedFiles->height() / 2));
    QVERIFY(c.obCombinedFiles->isChecked());
    c.cmdResetOrigVars->click();
    f.dialogs.shown.clear();
    f.extract();
    QCOMPARE(f.asked(), QStringLiteral("M6 M7 M9"));
    QCOMPARE(f.outputListing(), (QStringList { "Zen91_hh.txt", "Zen91_hhind.txt" }));
}

void ExtractWindowTest::failureIsReportedAndChangesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("named");
    QTest::newRow("malformed ED file") << "malformed"
                                       << "Zen91Data/BY/04BYFA01.res";
    QTest::newRow("missing ED file") << "missing"
                                     << "Zen91Data/BY/04BYFA01.res";
    QTest::newRow("output name taken by a folder") << "folder"
                                                   << "Zen91/Zen91_ind.txt";
}

void ExtractWindowTest::failureIsReportedAndChangesNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, named);
    TestWindow f(DataSet::Demo);
    const std::string edFile = f.dir.file("Zen91Data/BY/04BYFA01.res");
    if (fault == "malformed")
        f.dir.write("Zen91Data/BY/04BYFA01.res", "12,x7,3\r\n");
    else if (fault == "missing")
        std::filesystem::remove(edFile);
    QVERIFY(QDir().mkdir(f.path("Zen91")));
    if (fault == "folder")
        QVERIFY(QDir().mkdir(f.path("Zen91/Zen91_ind.txt")));
    f.chooseLargeWard();
    const QStringList before = f.snapshot();

    f.dialogs.script("M7=Yes,M9=Yes");
    f.extract();
    QCOMPARE(f.asked(), QStringLiteral("M7 ExtractionFailed"));
    const std::string message = f.dialogs.shown.back().joined("\n");
    QVERIFY2(message.find(f.dir.file(named.toStdString())) != std::string::npos, message.c_str());
    QCOMPARE(f.dialogs.shown.back().icon, MessageIcon::Critical);
    QCOMPARE(f.outputListing(), fault == "folder" ? QStringList { "Zen91_ind.txt" } : QStringList());
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.snapshot(), before);
}

QTEST_MAIN(ExtractWindowTest)
#include "ExtractWindowTest.moc"

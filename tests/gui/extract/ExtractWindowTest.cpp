#include "TestWindow.h"
#include "window/VariablesPage.h"

#include <QProcess>
#include <QRadioButton>
#include <QtTest>

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

    // The page's case selection reaches the extraction and its size check, and one
    // that nothing meets says so before the completion question.
    void caseSelectionReachesTheExtraction()
    {
        TestWindow f(DataSet::Demo);
        const QString ward = QString::fromStdString(f.chooseLargeWard());
        auto* page = f.window->findChild<VariablesPage*>(QStringLiteral("pgSelectVars"));
        page->setCaseSelection({ { { "Age", { { 65, 99 } } } }, false });
        f.dialogs.script("M2=Yes,M7=Yes");
        f.extract();
        // Counted exactly, the selected cases stay below the size threshold that all
        // the ward's cases pass.
        QCOMPARE(f.asked(), QStringLiteral("M2 M9"));
        QCOMPARE(runTool(f, { "--wards", ward, "--select", "age=65-99" }), 0);
        for (const char* name : { "/Zen91_hh.txt", "/Zen91_ind.txt" }) {
            const std::string window = readFile(f.dir.file("Zen91") + name);
            QVERIFY(window.find("\r\n") + 2 < window.size());
            QVERIFY2(window == readFile(f.dir.file("cli") + name), name);
        }
        page->setCaseSelection({ { { "Age", { { 65, 99 } } }, { "Age", { { 0, 0 } } } }, false });
        f.extract();
        QVERIFY2(f.asked().endsWith(QStringLiteral("CaseSelectionRefused")), qPrintable(f.asked()));
        page->setCaseSelection({ { { "Age", { { 0, 0 } } }, { "EconPrim", { { 5, 5 } } } }, false });
        f.dialogs.script("M7=Yes,M9=No,Overwrite=Yes");
        f.extract();
        QVERIFY2(f.asked().endsWith(QStringLiteral("NoCaseMatched M9")), qPrintable(f.asked()));
    }

    // The ED list choice and the size threshold reach the extraction, and a broken
    // household file fails it: each refusal and the failure, naming the file, show,
    // and nothing is written.
    void refusalsAndFailuresShowAndWriteNothing()
    {
        TestWindow f(DataSet::Demo);
        const Controls c = f.c();
        QVERIFY(QDir().mkdir(f.path("Zen91")));
        f.dir.write("Zen91Data/BY/04BYFA01.res", "12,x7,3\r\n");
        c.obUserEDlist->setChecked(true);
        c.txtUserEDlist->setText(f.path("NoSuchList.txt"));
        f.extract();
        c.obSelectedAreas->setChecked(true);
        f.chooseLargeWard();
        const QString threshold = c.txtFileWarningSize->text();
        c.txtFileWarningSize->setText(QStringLiteral("abc"));
        f.extract();
        c.txtFileWarningSize->setText(threshold);
        f.dialogs.script("M7=Yes,M9=Yes");
        f.extract();
        QCOMPARE(f.asked(), QStringLiteral("M1 ThresholdNotANumber M7 ExtractionFailed"));
        const std::string message = f.dialogs.shown.back().joined("\n");
        QVERIFY2(message.find(f.dir.file("Zen91Data/BY/04BYFA01.res")) != std::string::npos, message.c_str());
        QCOMPARE(f.outputListing(), QStringList());
    }

    // Afterwards neither output option shows as chosen; choosing combined again
    // must give a combined file, although the separate option does not change.
    void householdOnlyClearsTheCombinedOptionUntilChosenAgain()
    {
        TestWindow f(DataSet::Demo);
        const Controls c = f.c();
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
};

QTEST_MAIN(ExtractWindowTest)
#include "ExtractWindowTest.moc"

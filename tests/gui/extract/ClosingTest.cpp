#include "help/HelpBrowser.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "window/ExtractRunner.h"

#include "demodata/DemoGeography.h"
#include "TestWindow.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {

QString shownPage(HelpWindow* help)
{
    return help->browser()->source().toLocalFile();
}

/// Runs the event loop as the program does, does `action` inside it, and returns
/// whether the loop ended by itself (the program ended) within a few seconds.
bool programEnds(const std::function<void()>& action)
{
    bool ended = true;
    QTimer::singleShot(0, action);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&ended] {
        ended = false;
        QCoreApplication::exit(1);
    });
    giveUp.start(3000);
    QCoreApplication::exec();
    return ended;
}

} // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private slots:
    void definitionsButtonsOpenTheHelpPages();
    void endingTheProgramClosesTheHelpWindow_data();
    void endingTheProgramClosesTheHelpWindow();
    void completionNoKeepsEverything();
    void closeDuringTheExtractionWaitsForItsEnd();
};

// The help window has its own tests; this checks the wiring to the two buttons:
// each shows its own page, in the one help window, from the glossary folder.
void ClosingTest::definitionsButtonsOpenTheHelpPages()
{
    TestWindow f(DataSet::Demo);
    f.c().cmdOrigVarHelp->click();
    QPointer<HelpWindow> help = f.window->help().window();
    QVERIFY(help && help->isVisible());
    QCOMPARE(shownPage(help), f.path("SARGlossary/Original_Variables.htm"));

    f.c().cmdDerivedVarHelp->click();
    QCOMPARE(f.window->help().window(), help.data());
    QCOMPARE(shownPage(help), f.path("SARGlossary/Derived_Variables.htm"));
    QVERIFY(f.window->isVisible());
}

void ClosingTest::endingTheProgramClosesTheHelpWindow_data()
{
    QTest::addColumn<bool>("byCompletion");
    QTest::newRow("closing the main window") << false;
    QTest::newRow("Yes to the completion question") << true;
}

void ClosingTest::endingTheProgramClosesTheHelpWindow()
{
    QFETCH(bool, byCompletion);
    TestWindow f(DataSet::Demo);
    f.chooseLargeWard();
    f.dialogs.script("M2=Yes,M7=Yes,M9=Yes");
    QPointer<HelpWindow> help;
    QVERIFY(programEnds([&] {
        f.c().cmdOrigVarHelp->click();
        help = f.window->help().window();
        QVERIFY(help);
        if (byCompletion)
            f.extract();
        else
            f.window->close();
    }));
    QCOMPARE(f.asked(), QString(byCompletion ? "M2 M7 M9" : ""));
    QVERIFY(!f.window->isVisible());
    QVERIFY(!help || !help->isVisible());
}

void ClosingTest::completionNoKeepsEverything()
{
    TestWindow f(DataSet::Demo);
    f.chooseLargeWard();
    f.c().cmdOrigVarHelp->click();
    const QStringList before = f.snapshot();
    f.dialogs.script("M2=Yes,M7=Yes,M9=No");
    f.extract();
    QCOMPARE(f.asked(), QStringLiteral("M2 M7 M9"));
    QVERIFY(f.window->isVisible());
    QVERIFY(f.window->help().window() && f.window->help().window()->isVisible());
    QCOMPARE(f.snapshot(), before);

    // Another press makes the same request again, replacing the files.
    f.dialogs.shown.clear();
    f.dialogs.script("Overwrite=Yes");
    f.extract();
    QCOMPARE(f.asked(), QStringLiteral("M7 Overwrite M9"));
}

// The close arrives while the extraction runs, as the window system's would; the
// extraction finishes, and then the window closes without asking. A click and a
// key press meanwhile are dropped.
void ClosingTest::closeDuringTheExtractionWaitsForItsEnd()
{
    TestWindow f(DataSet::Demo);
    const MainWindow::Controls& c = f.c();
    f.chooseLargeWard();
    f.dialogs.script("M2=Yes,M7=Yes,M9=No");
    f.window->extractRunner().setProgressDelay(0);
    QString progressShown;
    bool closedAtOnce = true;
    QTimer::singleShot(0, f.window.get(), [&] {
        if (auto* count = f.window->findChild<QLabel*>(QStringLiteral("progressCount")); count && count->isVisible())
            progressShown = count->text();
        QTest::mouseClick(c.obCombinedFiles, Qt::LeftButton, {}, QPoint(8, c.obCombinedFiles->height() / 2));
        QTest::keyClick(c.txtFileWarningSize, Qt::Key_5);
        closedAtOnce = f.window->close();
    });
    f.extract();
    QVERIFY2(progressShown.endsWith(QStringLiteral(" of 104 EDs done")), qPrintable(progressShown));
    QVERIFY(!closedAtOnce);
    QCOMPARE(f.asked(), QStringLiteral("M2 M7"));
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.outputListing(), (QStringList { "Zen91_hh.txt", "Zen91_ind.txt" }));
    QVERIFY(!c.obCombinedFiles->isChecked());
    QCOMPARE(c.txtFileWarningSize->text(), QStringLiteral("1"));
}

QTEST_MAIN(ClosingTest)
#include "ClosingTest.moc"

#include "help/HelpController.h"
#include "help/HelpWindow.h"
#include "window/ExtractProgressDialog.h"
#include "window/ExtractRunner.h"

#include "TestWindow.h"

#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {

/// Runs the event loop as the program does, does `action` inside it, and returns
/// whether the loop ended by itself (the program ended) within a few seconds.
bool programEnds(const std::function<void()>& action)
{
    bool ended = true;
    QTimer::singleShot(0, action);
    QTimer giveUp; // stops with this function, should the program end in time
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
    void endingTheProgramClosesTheHelpWindow_data()
    {
        QTest::addColumn<QString>("completion"); // the answer to the completion question; none: closed instead
        QTest::newRow("closing the main window") << "";
        QTest::newRow("Yes to the completion question") << "Yes";
        QTest::newRow("No to the completion question") << "No";
    }

    // No keeps the window, its help window and every value the user set.
    void endingTheProgramClosesTheHelpWindow()
    {
        QFETCH(QString, completion);
        const bool ends = completion != QStringLiteral("No");
        TestWindow f(DataSet::Demo);
        f.chooseLargeWard();
        f.dialogs.script("M2=Yes,M7=Yes,M9=" + completion.toStdString());
        const QStringList before = f.snapshot();
        QPointer<HelpWindow> help;
        QVERIFY(programEnds([&] {
            f.c().cmdOrigVarHelp->click();
            help = f.window->help().window();
            QVERIFY(help);
            if (completion.isEmpty())
                f.window->close();
            else
                f.extract();
            if (!ends)
                QCoreApplication::exit(0); // the program goes on; the test ends the loop itself
        }));
        QCOMPARE(f.asked(), QString(completion.isEmpty() ? "" : "M2 M7 M9"));
        QCOMPARE(f.window->isVisible(), !ends);
        QCOMPARE(help && help->isVisible(), !ends);
        QCOMPARE(f.snapshot(), before);
    }

    // The close arrives while the extraction runs, as the window system's would; the
    // extraction finishes, and then the window closes without asking. A click and a
    // key press meanwhile are dropped.
    void closeDuringTheExtractionWaitsForItsEnd()
    {
        TestWindow f(DataSet::Demo);
        const MainWindow::Controls& c = f.c();
        f.chooseLargeWard();
        f.dialogs.script("M2=Yes,M7=Yes,M9=No");
        f.window->extractRunner().setProgressDelay(0);
        QString progressShown;
        bool closedAtOnce = true;
        QTimer::singleShot(0, f.window.get(), [&] {
            if (auto* count = f.window->findChild<QLabel*>(QStringLiteral("progressCount"));
                count && count->isVisible())
                progressShown = count->text();
            clickOption(c.obCombinedFiles);
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

    void cancelStopsAndWritesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape") << true;
    }

    // The extraction keeps the thread and repaints from its progress callback, so
    // the click is made from inside it, as a user's would arrive.
    void cancelStopsAndWritesNothing()
    {
        QFETCH(bool, escape);
        TestWindow f(DataSet::Demo);
        f.chooseLargeWard();
        f.dialogs.script("M2=Yes,M7=Yes");
        f.window->extractRunner().setProgressDelay(0);
        QTimer::singleShot(0, f.window.get(), [&] {
            auto* dialog = f.window->findChild<ExtractProgressDialog*>();
            QVERIFY(dialog && dialog->isVisible());
            QPushButton* cancel = dialog->findChild<QPushButton*>(QStringLiteral("btCancelExtract"));
            QVERIFY(!cancel->accessibleName().isEmpty());
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(cancel, Qt::LeftButton);
        });
        f.extract();
        QCOMPARE(f.asked(), QStringLiteral("M2 M7 ExtractionCancelled"));
        QCOMPARE(f.outputListing(), QStringList());
        QVERIFY(!f.window->findChild<ExtractProgressDialog*>()->isVisible());
        QVERIFY(f.window->isVisible() && f.c().btExtract->isEnabled());
    }
};

QTEST_MAIN(ClosingTest)
#include "ClosingTest.moc"

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
#include <memory>

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

/// Chooses the demo's first county (1482 EDs): long enough to act while it is written.
void chooseCounty(TestWindow& f)
{
    QListWidget* counties = f.list(AreaLevel::County);
    counties->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    counties->setCurrentRow(f.state->areas.level(AreaLevel::County).listPos[1], QItemSelectionModel::ClearAndSelect);
}

/// Does `action` once, when the worker reports its first ED written but not its last.
void whileWriting(TestWindow& f, std::function<void()> action)
{
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(&f.window->extractRunner(), &ExtractRunner::progressed, f.window.get(),
        [once, action = std::move(action)](quint64 done, quint64 total) {
            if (done == 0 || done >= total)
                return;
            QObject::disconnect(*once);
            action();
        });
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

    void closeDuringTheExtractionAsksToCancel_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("Yes cancels and closes") << "Yes";
        QTest::newRow("No lets it finish") << "No";
    }

    // The close arrives while the worker writes, as the window system's would; the
    // controls are locked meanwhile, so a click and a key press are dropped.
    void closeDuringTheExtractionAsksToCancel()
    {
        QFETCH(QString, answer);
        const bool cancel = answer == QStringLiteral("Yes");
        TestWindow f(DataSet::Demo);
        const Controls c = f.c();
        chooseCounty(f);
        f.dialogs.script("M2=Yes,M7=Yes,M9=No,CancelToClose=" + answer.toStdString());
        f.window->extractRunner().setProgressDelay(0);
        QString progressShown;
        bool closedAtOnce = true;
        whileWriting(f, [&] {
            if (auto* count = f.window->findChild<QLabel*>(QStringLiteral("progressCount"));
                count && count->isVisible())
                progressShown = count->text();
            clickOption(c.obCombinedFiles);
            QTest::keyClick(c.txtFileWarningSize, Qt::Key_5);
            closedAtOnce = f.window->close();
        });
        f.extract();
        QVERIFY2(progressShown.endsWith(QStringLiteral(" of 1482 EDs done")), qPrintable(progressShown));
        QVERIFY(!closedAtOnce);
        QCOMPARE(f.asked(), QString(cancel ? "M2 M7 CancelToClose" : "M2 M7 CancelToClose M9"));
        QCOMPARE(f.window->isVisible(), !cancel);
        const QStringList written { "Zen91_hh.txt", "Zen91_ind.txt" };
        QCOMPARE(f.outputListing(), cancel ? QStringList() : written);
        QVERIFY(!c.obCombinedFiles->isChecked());
        QCOMPARE(c.txtFileWarningSize->text(), QStringLiteral("1"));
    }

    void cancelStopsAndWritesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape") << true;
    }

    // Cancel is pressed on the progress display while the worker writes.
    void cancelStopsAndWritesNothing()
    {
        QFETCH(bool, escape);
        TestWindow f(DataSet::Demo);
        chooseCounty(f);
        f.dialogs.script("M2=Yes,M7=Yes");
        f.window->extractRunner().setProgressDelay(0);
        whileWriting(f, [&] {
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

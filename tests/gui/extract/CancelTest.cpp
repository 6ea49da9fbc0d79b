// Cancel and Escape on the progress display, and the question before earlier
// output files are replaced.

#include "window/ExtractProgressDialog.h"
#include "window/ExtractRunner.h"
#include "window/MessageBoxDialogs.h"

#include "TestWindow.h"

#include <QMessageBox>
#include <QtTest>

class CancelTest : public QObject {
    Q_OBJECT

private slots:
    void cancelStopsAndChangesNothing_data();
    void cancelStopsAndChangesNothing();
    void replacingAsksWithNoAsTheDefault();
};

void CancelTest::cancelStopsAndChangesNothing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape") << true;
}

// The extraction keeps the thread and repaints from its progress callback, so the
// click is made from inside it, as a user's would arrive.
void CancelTest::cancelStopsAndChangesNothing()
{
    QFETCH(bool, escape);
    TestWindow f(DataSet::Demo);
    f.chooseLargeWard();
    f.dialogs.script("M2=Yes,M7=Yes,M9=No");
    f.extract();
    const QByteArray earlier = readFile(f.dir.file("Zen91/Zen91_hh.txt")).c_str();
    f.dialogs.shown.clear();
    f.dialogs.script("Overwrite=Yes");

    f.window->extractRunner().setProgressDelay(0);
    QTimer::singleShot(0, f.window.get(), [&] {
        auto* dialog = f.window->findChild<ExtractProgressDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QPushButton* cancel = dialog->findChild<QPushButton*>(QStringLiteral("btCancelExtract"));
        QCOMPARE(cancel->accessibleName(), QStringLiteral("Cancel"));
        if (escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(cancel, Qt::LeftButton);
    });
    f.extract();
    QCOMPARE(f.asked(), QStringLiteral("M7 Overwrite ExtractionCancelled"));
    QCOMPARE(QString::fromStdString(f.dialogs.shown.back().text()),
        QStringLiteral("Extraction cancelled: no output file was changed."));
    QCOMPARE(QByteArray(readFile(f.dir.file("Zen91/Zen91_hh.txt")).c_str()), earlier);
    QCOMPARE(f.outputListing(), (QStringList { "Zen91_hh.txt", "Zen91_ind.txt" }));
    QVERIFY(!f.window->findChild<ExtractProgressDialog*>()->isVisible());
    QVERIFY(f.window->isVisible());
    QVERIFY(f.c().btExtract->isEnabled());
}

void CancelTest::replacingAsksWithNoAsTheDefault()
{
    TestWindow f;
    f.chooseWard(FixtureData::kWard3Eds);
    f.dialogs.script("M2=Yes");
    f.extract();
    f.dir.write("Zen91/Zen91_hh.txt", "earlier\r\n");

    MessageBoxDialogs boxes(f.window.get());
    f.window->setDialogs(boxes);
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = box->text() + "|" + box->defaultButton()->text().remove('&');
        box->defaultButton()->click();
    });
    f.extract();
    QCOMPARE(seen,
        "Replace the existing files?\n" + f.path("Zen91/Zen91_hh.txt") + "\n" + f.path("Zen91/Zen91_ind.txt") + "|No");
    QCOMPARE(readFile(f.dir.file("Zen91/Zen91_hh.txt")), std::string("earlier\r\n"));
    f.window->setDialogs(f.dialogs);
}

QTEST_MAIN(CancelTest)
#include "CancelTest.moc"

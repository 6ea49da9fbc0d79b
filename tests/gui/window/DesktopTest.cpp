// The window as a desktop program: files opened from outside it (dropped or given
// on the command line), recent requests, remembered folders and the window's place,
// and a settings file that cannot be used.

#include "TestWindow.h"

#include "window/WindowMenu.h"
#include "window/WindowSettings.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include <filesystem>

namespace {

void drop(QWidget* window, const QString& path)
{
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return;
    QDropEvent event(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

/// The paths File > Open Recent lists, in its order.
QStringList recentMenu(const TestWindow& w)
{
    QStringList paths;
    for (const QAction* action : w.window->menu().mnuOpenRecent->actions())
        if (action->objectName().startsWith(QLatin1String("actRecent")))
            paths << action->data().toString();
    return paths;
}

/// Asks every question with a drop of `file` on the window first, then answers No.
struct DroppingDialogs : ScriptedDialogs {
    QWidget* window = nullptr;
    QString file;
    bool askYesNo(const ExtractMessage& message) override
    {
        drop(window, file);
        ScriptedDialogs::askYesNo(message);
        return false;
    }
};

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void openingFromOutside_data()
    {
        QTest::addColumn<QString>("file"); // relative to the test's folder
        QTest::addColumn<bool>("dropped"); // else given as FILE on the command line
        QTest::addColumn<QString>("opened"); // "request", "ED list" or the message box that refuses it
        QTest::addColumn<QString>("message"); // what the refusal says
        for (bool dropped : { true, false }) {
            auto row = [dropped](const char* name, const char* file, const char* opened, const char* message) {
                QTest::newRow(qPrintable(QString::fromLatin1(name) + (dropped ? " dropped" : " as FILE")))
                    << file << dropped << opened << message;
            };
            row("request", "saved.json", "request", "");
            row("ED list", "my EDs.txt", "ED list", "");
            row("ED list in capitals", "EDS.CSV", "ED list", "");
            row("missing request", "none.json", "msgRequestError", "cannot open file");
            row("malformed request", "bad.json", "msgRequestError", "bad.json");
            row("missing ED list", "none.txt", "msgRequestError", "none.txt");
            row("folder named like a list", "folder.txt", "msgRequestError", "folder.txt");
            row("unknown type", "table.xlsx", "msgRequestError", "(*.txt, *.csv)");
        }
    }

    void openingFromOutside()
    {
        QFETCH(QString, file);
        QFETCH(bool, dropped);
        QFETCH(QString, opened);
        QFETCH(QString, message);
        TestWindow w;
        w.dir.write("my EDs.txt", "08BYFA01\n");
        w.dir.write("EDS.CSV", "08BYFA01,08BYFA02\n");
        w.dir.write("bad.json", "{ \"format\": ");
        w.dir.write("table.xlsx", "PK");
        std::filesystem::create_directory(w.dir.file("folder.txt"));
        w.chooseWard(30);
        w.window->requests().saveFile(w.path("saved.json"));
        w.list(AreaLevel::Ward)->item(0)->setSelected(true);
        const QStringList before = w.snapshot();

        if (dropped)
            drop(w.window.get(), w.path(qPrintable(file)));
        else
            w.window->openPath(w.path(qPrintable(file)));

        auto* box = w.window->findChild<QMessageBox*>(QStringLiteral("msgRequestError"));
        if (opened == QLatin1String("msgRequestError")) {
            QVERIFY(box);
            QVERIFY2(box->text().contains(message), qPrintable(box->text()));
            QCOMPARE(w.snapshot(), before);
            return;
        }
        QVERIFY2(!box, box ? qPrintable(box->text()) : "");
        QCOMPARE(w.c().obUserEDlist->isChecked(), opened == QLatin1String("ED list"));
        if (opened == QLatin1String("ED list"))
            QCOMPARE(w.c().txtUserEDlist->text(), w.path(qPrintable(file)));
        else
            QCOMPARE(w.list(AreaLevel::Ward)->selectedItems().size(), 1); // the saved ward alone
    }

    // A press of Extract is under way from its first question: a drop then changes nothing.
    void dropDuringAnExtractionIsIgnored()
    {
        TestWindow w;
        w.dir.write("my EDs.txt", "08BYFA01\n");
        DroppingDialogs dialogs;
        dialogs.window = w.window.get();
        dialogs.file = w.path("my EDs.txt");
        w.window->setDialogs(dialogs);
        w.chooseWard(30);
        w.extract();
        QVERIFY2(!dialogs.asked().empty(), "no question was asked");
        QVERIFY(!w.c().obUserEDlist->isChecked());
    }

    // Recent requests: opened, saved and written by Extract, newest first; what is
    // gone drops out. Each chooser starts where it last went. Both carry over to the
    // next run over the same settings file.
    void recentRequestsAndPlacesSurviveARestart()
    {
        TempDir config;
        const QString file = QString::fromStdString(config.file("zendra91/zendra91.conf"));
        TestWindow w;
        WindowSettings settings(file);
        w.window->useSettings(settings);
        ScriptedChooser chooser;
        w.window->setFileChooser(chooser);
        w.chooseWard(30);
        for (const char* name : { "a.json", "b.json", "gone.json" })
            QVERIFY(w.window->requests().saveFile(w.path(name)));
        QVERIFY(w.window->requests().openFile(w.path("a.json")));
        w.dialogs.script("M2=Yes");
        w.dialogs.otherwise = true;
        w.extract();
        std::filesystem::remove(w.dir.file("gone.json"));
        const QStringList expected { w.path("Zen91/Zen91_request.json"), w.path("a.json"), w.path("b.json") };
        emit w.window->menu().mnuOpenRecent->aboutToShow();
        QCOMPARE(recentMenu(w), expected);

        // Browse for the output folder and the ED list, then save a request.
        w.dir.write("lists/my EDs.txt", "08BYFA01\n");
        std::filesystem::create_directories(w.dir.file("out/run1"));
        std::filesystem::create_directories(w.dir.file("requests"));
        auto useEveryChooser = [](const TestWindow& t) {
            t.window->findChild<QPushButton*>(QStringLiteral("btBrowseOutput"))->click();
            t.c().obUserEDlist->setChecked(true);
            t.window->findChild<QPushButton*>(QStringLiteral("btBrowseEdList"))->click();
            t.window->menu().actSaveRequest->trigger();
        };
        chooser.answers = QStringList { w.path("out/run1"), w.path("lists/my EDs.txt"), w.path("requests/r.json") };
        useEveryChooser(w);
        const QString firstSave = chooser.offered.takeLast();

        {
            TestWindow next;
            WindowSettings again(file);
            next.window->useSettings(again);
            next.window->setFileChooser(chooser);
            chooser.offered.clear();
            useEveryChooser(next);
            QCOMPARE(chooser.offered,
                QStringList(
                    { w.path("out/run1"), w.path("lists"), w.path("requests/") + QFileInfo(firstSave).fileName() }));
            QCOMPARE(recentMenu(next), QStringList { w.path("requests/r.json") } + expected);
            // Reopened from the menu: it comes first.
            next.window->menu().mnuOpenRecent->actions()[3]->trigger();
            QCOMPARE(recentMenu(next).front(), w.path("b.json"));
            next.window->menu().actClearRecent->trigger();
            QVERIFY(recentMenu(next).isEmpty());
        }
        WindowSettings last(file);
        QVERIFY(last.recentRequests().isEmpty());
        for (int i = 0; i < 12; ++i)
            last.addRecentRequest(QString::fromStdString(config.write("r" + std::to_string(i) + ".json", "{}")));
        QCOMPARE(last.recentRequests().size(), WindowSettings::kMaxRecent);
        QVERIFY(last.recentRequests().front().endsWith(QLatin1String("r11.json")));
    }

    void settingsFileThatCannotBeUsedGivesTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: a folder stands in its place
        QTest::newRow("garbage") << QByteArray("\x00\xff[[[\n=@Rect(1 2\n\x01\x02", 14);
        QTest::newRow("wrong types") << QByteArray("[recent]\nrequests=@Rect(1 2 3 4)\n[window]\ngeometry=big\n"
                                                   "[folders]\noutput=@Variant(\\0\\0\\0\\x7f)\n");
        QTest::newRow("a folder") << QByteArray();
    }

    void settingsFileThatCannotBeUsedGivesTheDefaults()
    {
        QFETCH(QByteArray, content);
        TempDir config;
        const std::string path
            = content.isEmpty() ? config.file("zendra91.conf") : config.write("zendra91.conf", content.toStdString());
        if (content.isEmpty())
            std::filesystem::create_directory(path);
        WindowSettings settings(QString::fromStdString(path));
        QVERIFY(settings.recentRequests().isEmpty());
        QVERIFY(!settings.windowGeometry());
        QVERIFY(settings.lastFolder(WindowSettings::Place::OutputFolder).isEmpty());
        settings.addRecentRequest(QString::fromStdString(config.write("a.json", "{}")));
        QCOMPARE(settings.recentRequests().size(), 1); // remembered for this run at least
    }

    void windowComesBackOnAScreen_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<bool>("twoScreens"); // a 1920x1080 one right of the 1366x768 one
        QTest::addColumn<QRect>("placed");
        QTest::newRow("on the screen") << QRect(100, 50, 800, 600) << false << QRect(100, 50, 800, 600);
        QTest::newRow("half off the right") << QRect(1000, 50, 800, 600) << false << QRect(566, 50, 800, 600);
        QTest::newRow("on a screen now gone") << QRect(3000, 900, 800, 600) << false << QRect(566, 168, 800, 600);
        QTest::newRow("larger than the screen") << QRect(-50, -50, 2000, 1000) << false << QRect(0, 0, 1366, 768);
        QTest::newRow("mostly on the second") << QRect(1300, 100, 800, 600) << true << QRect(1366, 100, 800, 600);
    }

    void windowComesBackOnAScreen()
    {
        QFETCH(QRect, saved);
        QFETCH(bool, twoScreens);
        QFETCH(QRect, placed);
        QList<QRect> screens { QRect(0, 0, 1366, 768) };
        if (twoScreens)
            screens << QRect(1366, 0, 1920, 1080);
        QCOMPARE(placedOnScreen(saved, screens), placed);
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"

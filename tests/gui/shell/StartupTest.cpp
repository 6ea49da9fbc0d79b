#include "shell/ApplicationState.h"
#include "shell/MainWindow.h"

#include "MiniDataTree.h"
#include "TempDir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void loadsTheFilesAndOpensOnIntro();
    void loadFailureIsReportedWithoutAWindow_data();
    void loadFailureIsReportedWithoutAWindow();
};

void StartupTest::loadsTheFilesAndOpensOnIntro()
{
    TempDir dir;
    writeMiniDataTree(dir.path());
    StartupLoad load = loadAtStartup(DataFolders::under(dir.path()));
    QVERIFY2(load.state, load.error.c_str());
    QVERIFY(load.error.empty());

    MainWindow window(*load.state);
    QCOMPARE(window.controls().MultiPage1->currentIndex(), 0);
    QCOMPARE(window.controls().txtUserOutput->text(), QString::fromStdString(dir.path() + "/Zen91"));
    QCOMPARE(window.controls().lstIndVars_Orig->count(), 34);
    QListWidget* wards = window.controls().areaLists[static_cast<int>(AreaLevel::Ward)];
    QCOMPARE(wards->item(0)->text(), QStringLiteral("All selected districts"));
    for (const auto* flags : {&load.state->areas.countryFlags, &load.state->areas.wardFlags})
        QCOMPARE(std::count(flags->begin(), flags->end(), 1), static_cast<long>(flags->size()));
}

void StartupTest::loadFailureIsReportedWithoutAWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("no ProgramData") << QString() << QString() << "ProgramData/County_Names.dat";
    QTest::newRow("short names file") << "District_Names.dat" << "\"One\"\r\n\"Two\"\r\n"
                                      << "District_Names.dat";
    QTest::newRow("not a number") << "EDs2WardMap.dat" << "\"heading\"\r\n1,x,0,1,1\r\n"
                                  << "EDs2WardMap.dat:2";
    QTest::newRow("list map out of range") << "VariableMap.dat" << "\"hh\"\r\n0,2\r\n16,2\r\n"
                                           << "VariableMap.dat";
}

void StartupTest::loadFailureIsReportedWithoutAWindow()
{
    QFETCH(QString, file);
    QFETCH(QString, content);
    QFETCH(QString, mentions);
    TempDir dir;
    if (!file.isEmpty()) {
        writeMiniDataTree(dir.path());
        dir.write("ProgramData/" + file.toStdString(), content.toStdString());
    }
    StartupLoad load = loadAtStartup(DataFolders::under(dir.path()));
    QVERIFY(!load.state);
    const QString error = QString::fromStdString(load.error);
    QVERIFY2(error.contains(mentions), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("cannot start")), qPrintable(error));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"

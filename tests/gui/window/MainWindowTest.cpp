#include "window/CheckMarkDelegate.h"

#include "TestWindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void captionPagesAndNotice();
    void startingValues();
    void loadFailureIsReportedWithoutAWindow_data();
    void loadFailureIsReportedWithoutAWindow();
    void outputControlsMirrorIntoSettings();
    void userEdListSwitchResetsAndDisablesTheAreaLists();
    void resetRestoresDefaultsAndKeepsRowZero();
    void accessibleNames_data();
    void accessibleNames();
    void tabOrderWalksEachPage();
    void buttonsAndClosingReachTheirListeners();
};

void MainWindowTest::captionPagesAndNotice()
{
    TestWindow f;
    MainWindow& w = *f.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("ZENDRA91 Demo v1.0"));
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(f.c().MultiPage1->tabText(3), QStringLiteral("Select Output Options"));

    // The notice sits below the tabs, so every page shows it.
    auto* notice = w.findChild<QLabel*>(QStringLiteral("Label40"));
    QVERIFY(notice && !f.c().MultiPage1->isAncestorOf(notice));
    QVERIFY(notice->text().endsWith(QStringLiteral("mini-replica of the SAR. ")));
}

// As loaded at start-up: on the Intro page, with the default choices shown.
void MainWindowTest::startingValues()
{
    TestWindow f;
    const MainWindow::Controls& c = f.c();
    const CurrentSettings& s = f.state->settings;
    const QString base = QString::fromStdString(f.dir.path());
    QCOMPARE(c.MultiPage1->currentIndex(), 0);
    QCOMPARE(c.txtUserOutput->text(), base + "/Zen91");
    QCOMPARE(c.txtUserRootFilename->text(), QStringLiteral("Zen91"));
    QCOMPARE(c.txtFileWarningSize->text(), QStringLiteral("1"));
    QCOMPARE(c.txtUserEDlist->text(), base + "/EDlist.txt");
    QCOMPARE(s.outputFolder, f.dir.path() + "/Zen91");
    QCOMPARE(s.rootFileName, std::string("Zen91"));
    QCOMPARE(s.edListFile, f.dir.path() + "/EDlist.txt");
    QVERIFY(s.separateFiles && c.obSeparateFiles->isChecked() && !c.obCombinedFiles->isChecked());
    for (QCheckBox* box : {c.cbED, c.cbWard, c.cbDistrict, c.cbCounty, c.cbRegion, c.cbCountry})
        QCOMPARE(box->isChecked(), box == c.cbED);
    QVERIFY(c.obSelectedAreas->isChecked() && !c.obUserEDlist->isChecked() && !c.txtUserEDlist->isEnabled());
    for (QListWidget* list : c.areaLists) {
        QVERIFY(list->isEnabled());
        QCOMPARE(list->count(), 2);
        QCOMPARE(selectedRows(list), QList<int>{0});
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    QCOMPARE(selectedRows(c.lstHHVars_Orig), (QList<int>{1, 4, 10, 11, 12}));
    QCOMPARE(selectedRows(c.lstIndVars_Orig), (QList<int>{1, 2, 3, 7, 10, 17, 19, 20, 25, 26, 27}));
    QCOMPARE(c.lstHHVars_Derived->count() + c.lstIndVars_Derived->count(), 0);
    for (QListWidget* list : {c.lstHHVars_Orig, c.lstIndVars_Orig, c.lstHHVars_Derived, c.lstIndVars_Derived}) {
        QVERIFY(list->isEnabled());
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(qobject_cast<CheckMarkDelegate*>(list->itemDelegate()));
    }
}

void MainWindowTest::loadFailureIsReportedWithoutAWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("no ProgramData") << QString() << QString() << "ProgramData/County_Names.dat";
    QTest::newRow("not a number") << "EDs2WardMap.dat" << "\"heading\"\r\n1,x,0,1,1\r\n" << "EDs2WardMap.dat:2";
    QTest::newRow("list map out of range") << "VariableMap.dat" << "\"hh\"\r\n0,2\r\n16,2\r\n"
                                           << "VariableMap.dat";
}

void MainWindowTest::loadFailureIsReportedWithoutAWindow()
{
    QFETCH(QString, file);
    QFETCH(QString, content);
    QFETCH(QString, mentions);
    TempDir dir;
    if (!file.isEmpty()) {
        FixtureData::write(dir);
        dir.write("ProgramData/" + file.toStdString(), content.toStdString());
    }
    StartupLoad load = loadAtStartup(DataFolders::under(dir.path()));
    QVERIFY(!load.state);
    const QString error = QString::fromStdString(load.error);
    QVERIFY2(error.contains(mentions) && error.contains(QStringLiteral("cannot start")), qPrintable(error));
}

void MainWindowTest::outputControlsMirrorIntoSettings()
{
    TestWindow f;
    const MainWindow::Controls& c = f.window->controls();
    const CurrentSettings& s = f.state->settings;
    c.MultiPage1->setCurrentIndex(3);

    clickOption(c.obCombinedFiles);
    QVERIFY(!c.obSeparateFiles->isChecked());
    QVERIFY(!s.separateFiles);
    clickOption(c.obSeparateFiles);
    QVERIFY(s.separateFiles);

    c.txtUserOutput->clear();
    QCOMPARE(s.outputFolder, std::string());
    c.txtUserOutput->setFocus();
    QTest::keyClicks(c.txtUserOutput, QStringLiteral("/tmp/out"));
    QCOMPARE(s.outputFolder, std::string("/tmp/out"));

    c.txtUserRootFilename->setText(QStringLiteral("  My run "));
    QCOMPARE(s.rootFileName, std::string("  My run "));
    c.txtUserRootFilename->setText(QString::fromUtf8("Môn"));
    QCOMPARE(s.rootFileName, std::string("M\xc3\xb4n"));
}

void MainWindowTest::userEdListSwitchResetsAndDisablesTheAreaLists()
{
    TestWindow f;
    const MainWindow::Controls& c = f.window->controls();
    AreaTables& t = f.state->areas;
    c.MultiPage1->setCurrentIndex(1);
    clickRow(f.list(AreaLevel::Country), 1);
    clickRow(f.list(AreaLevel::Country), 2); // Scotland only
    QCOMPARE(t.level(AreaLevel::Country).flags[1], std::uint8_t(0));

    clickOption(c.obUserEDlist);
    QVERIFY(c.obUserEDlist->isChecked());
    QVERIFY(c.txtUserEDlist->isEnabled());
    for (QListWidget* list : c.areaLists) {
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->count(), 2);
        QVERIFY(selectedRows(list).isEmpty());
    }
    QCOMPARE(t.level(AreaLevel::Country).flags, std::vector<std::uint8_t>(kNumCountries + 1, 1));
    QCOMPARE(t.level(AreaLevel::Ward).flags[0], kModeAll);

    c.txtUserEDlist->setText(QStringLiteral("/home/me/eds.txt"));
    QCOMPARE(f.state->settings.edListFile, std::string("/home/me/eds.txt"));

    clickOption(c.obSelectedAreas);
    QVERIFY(!c.txtUserEDlist->isEnabled());
    for (QListWidget* list : c.areaLists) {
        QVERIFY(list->isEnabled());
        QCOMPARE(list->count(), 2);
        QVERIFY(selectedRows(list).isEmpty());
    }
    // The lists work again from their collapsed form.
    clickRow(f.list(AreaLevel::Region), 1);
    QCOMPARE(f.list(AreaLevel::Region)->count(), kNumRegions + 1);
}

void MainWindowTest::resetRestoresDefaultsAndKeepsRowZero()
{
    TestWindow f;
    const MainWindow::Controls& c = f.window->controls();
    c.MultiPage1->setCurrentIndex(2);
    const QList<int> hhDefaults = {1, 4, 10, 11, 12};

    c.lstHHVars_Orig->clearSelection();
    c.lstIndVars_Orig->clearSelection();
    QTest::mouseClick(c.cmdResetOrigVars, Qt::LeftButton);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), hhDefaults);
    QCOMPARE(selectedRows(c.lstIndVars_Orig).size(), 11);

    clickRow(c.lstHHVars_Orig, 0);
    clickRow(c.lstHHVars_Orig, 2, Qt::ControlModifier);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), (QList<int>{0, 2}));
    QTest::mouseClick(c.cmdResetOrigVars, Qt::LeftButton);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), (QList<int>{0, 1, 4, 10, 11, 12}));
    QVERIFY(c.lstHHVars_Orig->isEnabled());
    QVERIFY(c.lstIndVars_Orig->isEnabled());

    // The derived Reset has nothing to reset and must not touch the original lists.
    QTest::mouseClick(c.cmdResetDerivedVars, Qt::LeftButton);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), (QList<int>{0, 1, 4, 10, 11, 12}));
}

void MainWindowTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");
    auto row = [](const char* name, const char* spoken) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(spoken);
    };
    row("lstDistricts", "District(s)");
    row("lstWards", "Ward(s)/Pseudo-Postcode(s)");
    row("txtUserEDlist", "user supplied ED list:");
    row("lstHHVars_Orig", "Household");
    row("lstHHVars_Derived", "Household");
    row("cmdOrigVarHelp", "Definitions");
    row("cmdDerivedVarHelp", "Definitions");
    row("cbWard", "Ward (ONS ID)");
    row("txtUserOutput", "output folder:");
    row("txtUserRootFilename", "output filename:");
    row("txtFileWarningSize", "Warn if output filesize >");
}

void MainWindowTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, spoken);
    TestWindow f;
    QWidget* w = f.window->findChild<QWidget*>(name);
    QVERIFY(w);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), spoken);
}

void MainWindowTest::tabOrderWalksEachPage()
{
    TestWindow f;
    const QStringList expected = {
        "obSelectedAreas", "lstCountries", "lstRegions", "lstCounties", "lstDistricts", "lstWards", "obUserEDlist",
        "txtUserEDlist", "lstHHVars_Orig", "cmdOrigVarHelp", "cmdResetOrigVars", "lstIndVars_Orig",
        "lstHHVars_Derived", "cmdDerivedVarHelp", "cmdResetDerivedVars", "lstIndVars_Derived", "cbED", "cbWard",
        "cbDistrict", "cbCounty", "cbRegion", "cbCountry", "txtUserOutput", "txtUserRootFilename",
        "obSeparateFiles", "obCombinedFiles", "btExtract", "txtFileWarningSize"};
    QStringList chain;
    QWidget* start = f.c().MultiPage1;
    for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && expected.contains(w->objectName()))
            chain << w->objectName();
    QCOMPARE(chain, expected);
}

void MainWindowTest::buttonsAndClosingReachTheirListeners()
{
    TestWindow f;
    MainWindow& w = *f.window;
    // No to every question: Extract stops at the missing output folder.
    w.controls().MultiPage1->setCurrentIndex(3);
    QSignalSpy extract(&w, &MainWindow::extractRequested);
    QSignalSpy original(&w, &MainWindow::originalVariablesHelpRequested);
    QSignalSpy derived(&w, &MainWindow::derivedVariablesHelpRequested);
    QSignalSpy closing(&w, &MainWindow::closing);

    QTest::mouseClick(w.controls().btExtract, Qt::LeftButton);
    w.controls().MultiPage1->setCurrentIndex(2);
    QTest::mouseClick(w.controls().cmdOrigVarHelp, Qt::LeftButton);
    QTest::mouseClick(w.controls().cmdDerivedVarHelp, Qt::LeftButton);
    QTest::mouseClick(w.controls().cmdDerivedVarHelp, Qt::LeftButton);
    QCOMPARE(extract.count(), 1);
    QCOMPARE(original.count(), 1);
    QCOMPARE(derived.count(), 2);
    QCOMPARE(closing.count(), 0);

    QVERIFY(w.close());
    QCOMPARE(closing.count(), 1);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

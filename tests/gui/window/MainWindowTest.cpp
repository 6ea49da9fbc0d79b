#include "TestWindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaultsShownAndMirrored();
    void loadFailureIsReportedWithoutAWindow_data();
    void loadFailureIsReportedWithoutAWindow();
    void textAndOptionEditsReachTheSettings();
    void userEdListSwitchResetsAndDisablesTheAreaLists();
    void resetRestoresDefaultsAndKeepsRowZero();
    void everyControlIsSpokenAndTabbedPageByPage();
};

// As loaded at start-up: on the Intro page, every setting equal to what its control
// shows, the area lists collapsed and the default variables chosen.
void MainWindowTest::startsWithDefaultsShownAndMirrored()
{
    TestWindow f;
    const MainWindow::Controls& c = f.c();
    const CurrentSettings& s = f.state->settings;
    QCOMPARE(c.MultiPage1->currentIndex(), 0);
    QCOMPARE(c.txtUserOutput->text(), f.path("Zen91"));
    QCOMPARE(c.txtUserEDlist->text(), f.path("EDlist.txt"));
    QCOMPARE(QString::fromStdString(s.outputFolder), c.txtUserOutput->text());
    QCOMPARE(QString::fromStdString(s.rootFileName), c.txtUserRootFilename->text());
    QCOMPARE(QString::fromStdString(s.edListFile), c.txtUserEDlist->text());
    QVERIFY(s.separateFiles && c.obSeparateFiles->isChecked() && !c.obCombinedFiles->isChecked());
    for (QCheckBox* box : { c.cbED, c.cbWard, c.cbDistrict, c.cbCounty, c.cbRegion, c.cbCountry })
        QCOMPARE(box->isChecked(), box == c.cbED);
    QVERIFY(c.obSelectedAreas->isChecked() && !c.txtUserEDlist->isEnabled());
    for (QListWidget* list : c.areaLists) {
        QVERIFY(list->isEnabled());
        QCOMPARE(list->count(), 2);
        QCOMPARE(selectedRows(list), QList<int> { 0 });
    }
    QCOMPARE(selectedRows(c.lstHHVars_Orig).size(), 5);
    QCOMPARE(c.lstHHVars_Derived->count() + c.lstIndVars_Derived->count(), 0);
}

void MainWindowTest::loadFailureIsReportedWithoutAWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("no ProgramData") << QString() << QString() << "ProgramData/County_Names.dat";
    QTest::newRow("not a number") << "EDs2WardMap.dat"
                                  << "\"heading\"\r\n1,x,0,1,1\r\n"
                                  << "EDs2WardMap.dat:2";
    QTest::newRow("list map out of range") << "VariableMap.dat"
                                           << "\"hh\"\r\n0,2\r\n16,2\r\n"
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

// Typed text and clicked options, not only the program's own setText and setChecked.
void MainWindowTest::textAndOptionEditsReachTheSettings()
{
    TestWindow f;
    const MainWindow::Controls& c = f.c();
    const CurrentSettings& s = f.state->settings;
    c.MultiPage1->setCurrentIndex(3);
    clickOption(c.obCombinedFiles);
    QVERIFY(!c.obSeparateFiles->isChecked() && !s.separateFiles);
    clickOption(c.obSeparateFiles);
    QVERIFY(s.separateFiles);

    const std::pair<QLineEdit*, const std::string*> boxes[]
        = { { c.txtUserOutput, &s.outputFolder }, { c.txtUserRootFilename, &s.rootFileName } };
    for (auto [box, setting] : boxes) {
        box->clear();
        QCOMPARE(*setting, std::string());
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral(" my/x "));
        QCOMPARE(*setting, std::string(" my/x ")); // as typed, spaces kept
        box->setText(QString::fromUtf8("Môn"));
        QCOMPARE(*setting, std::string("M\xc3\xb4n")); // in the file system's encoding
    }
    c.MultiPage1->setCurrentIndex(1);
    clickOption(c.obUserEDlist);
    c.txtUserEDlist->clear();
    QTest::keyClicks(c.txtUserEDlist, QStringLiteral("/home/me/eds.txt"));
    QCOMPARE(s.edListFile, std::string("/home/me/eds.txt"));
}

void MainWindowTest::userEdListSwitchResetsAndDisablesTheAreaLists()
{
    TestWindow f;
    const MainWindow::Controls& c = f.c();
    AreaTables& t = f.state->areas;
    c.MultiPage1->setCurrentIndex(1);
    clickRow(f.list(AreaLevel::Country), 1);
    clickRow(f.list(AreaLevel::Country), 2); // Scotland only
    QCOMPARE(t.level(AreaLevel::Country).flags[1], std::uint8_t(0));

    clickOption(c.obUserEDlist);
    QVERIFY(c.txtUserEDlist->isEnabled());
    for (QListWidget* list : c.areaLists) {
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->count(), 2);
        QVERIFY(selectedRows(list).isEmpty());
    }
    QCOMPARE(t.level(AreaLevel::Country).flags, std::vector<std::uint8_t>(kNumCountries + 1, 1));
    QCOMPARE(t.level(AreaLevel::Ward).flags[0], kModeAll);

    clickOption(c.obSelectedAreas);
    QVERIFY(!c.txtUserEDlist->isEnabled());
    for (QListWidget* list : c.areaLists)
        QVERIFY(list->isEnabled() && list->count() == 2 && selectedRows(list).isEmpty());
    // The lists work again from their collapsed form.
    clickRow(f.list(AreaLevel::Region), 1);
    QCOMPARE(f.list(AreaLevel::Region)->count(), kNumRegions + 1);
}

void MainWindowTest::resetRestoresDefaultsAndKeepsRowZero()
{
    TestWindow f;
    const MainWindow::Controls& c = f.c();
    c.MultiPage1->setCurrentIndex(2);
    const QList<int> hhDefaults = selectedRows(c.lstHHVars_Orig);
    const QList<int> indDefaults = selectedRows(c.lstIndVars_Orig);

    c.lstHHVars_Orig->clearSelection();
    c.lstIndVars_Orig->clearSelection();
    QTest::mouseClick(c.cmdResetOrigVars, Qt::LeftButton);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), hhDefaults);
    QCOMPARE(selectedRows(c.lstIndVars_Orig), indDefaults);

    clickRow(c.lstHHVars_Orig, 0);
    clickRow(c.lstHHVars_Orig, 2, Qt::ControlModifier);
    QTest::mouseClick(c.cmdResetOrigVars, Qt::LeftButton);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), QList<int> { 0 } + hhDefaults);

    // The derived Reset has nothing to reset and must not touch the original lists.
    QTest::mouseClick(c.cmdResetDerivedVars, Qt::LeftButton);
    QCOMPARE(selectedRows(c.lstHHVars_Orig), QList<int> { 0 } + hhDefaults);
}

// Whatever a page holds: every control the keyboard reaches has a name to find it
// by and a name to speak, and Tab from the page tabs walks the pages in their
// order, finishing one before the next, and never jumps back up and left at once.
void MainWindowTest::everyControlIsSpokenAndTabbedPageByPage()
{
    TestWindow f;
    QTabWidget* tabs = f.c().MultiPage1;
    QHash<QWidget*, std::pair<int, QPoint>> placed; // control -> page, top left on the page
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page); // lays the page out
        for (QWidget* w : tabs->widget(page)->findChildren<QWidget*>())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->inherits("QScrollBar"))
                placed.insert(w, { page, w->mapTo(tabs->widget(page), QPoint()) });
    }
    QVERIFY(placed.size() > 20);
    for (QWidget* w : placed.keys()) {
        QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
        QVERIFY2(
            !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
    }

    std::pair<int, QPoint> last { 0, QPoint() };
    qsizetype reached = 0;
    for (QWidget* w = tabs->nextInFocusChain(); w != tabs; w = w->nextInFocusChain()) {
        if (!placed.contains(w))
            continue;
        const auto [page, at] = placed.value(w);
        QVERIFY2(page >= last.first, qPrintable(w->objectName() + " comes after a later page's control"));
        QVERIFY2(page > last.first || at.x() >= last.second.x() || at.y() >= last.second.y(),
            qPrintable(w->objectName() + " is above and left of the control before it"));
        last = { page, at };
        ++reached;
    }
    QCOMPARE(reached, placed.size());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

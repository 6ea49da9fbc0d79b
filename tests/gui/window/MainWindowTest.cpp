#include "TestWindow.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Typed text and clicked options, not only the program's own setText and setChecked.
    void textAndOptionEditsReachTheSettings()
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

    // Started on choosing areas, with the ED list box locked. The user's ED list
    // resets the area choice and locks the lists; choosing areas again brings them
    // back working from their collapsed form.
    void userEdListSwitchResetsAndDisablesTheAreaLists()
    {
        TestWindow f;
        const MainWindow::Controls& c = f.c();
        AreaTables& t = f.state->areas;
        QCOMPARE(c.txtUserEDlist->text(), f.path("EDlist.txt"));
        QVERIFY(c.obSelectedAreas->isChecked() && c.obSeparateFiles->isChecked() && !c.txtUserEDlist->isEnabled());
        c.MultiPage1->setCurrentIndex(1);
        clickRow(f.list(AreaLevel::Country), 1);
        clickRow(f.list(AreaLevel::Country), 2); // Scotland only
        QCOMPARE(t.level(AreaLevel::Country).flags[1], std::uint8_t(0));

        clickOption(c.obUserEDlist);
        QVERIFY(c.txtUserEDlist->isEnabled());
        for (QListWidget* list : c.areaLists)
            QVERIFY(!list->isEnabled() && list->count() == 2 && selectedRows(list).isEmpty());
        QCOMPARE(t.level(AreaLevel::Country).flags, std::vector<std::uint8_t>(kNumCountries + 1, 1));

        clickOption(c.obSelectedAreas);
        QVERIFY(!c.txtUserEDlist->isEnabled());
        for (QListWidget* list : c.areaLists)
            QVERIFY(list->isEnabled());
        clickRow(f.list(AreaLevel::Region), 1);
        QCOMPARE(f.list(AreaLevel::Region)->count(), kNumRegions + 1);
    }

    // The derived lists' Reset has nothing to reset and must not touch the original lists.
    void resetRestoresTheDefaultVariables()
    {
        TestWindow f;
        const MainWindow::Controls& c = f.c();
        c.MultiPage1->setCurrentIndex(2);
        const QList<int> defaults = selectedRows(c.lstHHVars_Orig);
        QVERIFY(!defaults.isEmpty());
        c.lstHHVars_Orig->clearSelection();
        QTest::mouseClick(c.cmdResetDerivedVars, Qt::LeftButton);
        QVERIFY(selectedRows(c.lstHHVars_Orig).isEmpty());
        QTest::mouseClick(c.cmdResetOrigVars, Qt::LeftButton);
        QCOMPARE(selectedRows(c.lstHHVars_Orig), defaults);
    }

    // Whatever a page holds: every control the keyboard reaches has a name to find
    // it by and a name to speak (without a mnemonic's "&"), and Tab from the page
    // tabs walks the pages in their order, finishing one before the next, and never
    // jumps back up and left at once.
    void everyControlIsSpokenAndTabbedPageByPage()
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
            const QString spoken = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            QVERIFY2(!spoken.isEmpty() && !spoken.contains('&'), qPrintable(w->objectName()));
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
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

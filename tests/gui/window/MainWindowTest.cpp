// The window's controls: the area lists, the find box, the variable lists' check
// marks, and the names and tab order of every control.

#include "base/ListBox.h"
#include "window/AreaFinder.h"
#include "window/ListWidgetAdapter.h"

#include "TestWindow.h"

#include <QAccessible>
#include <QCompleter>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Started on choosing areas, with the ED list box locked. The user's ED list
    // resets the area choice and locks the lists; choosing areas again brings them
    // back working from their collapsed form.
    void userEdListSwitchResetsAndDisablesTheAreaLists()
    {
        TestWindow f;
        const Controls c = f.c();
        AreaTables& t = f.state->areas;
        QVERIFY(c.obSelectedAreas->isChecked() && c.obSeparateFiles->isChecked() && !c.txtUserEDlist->isEnabled());
        c.MultiPage1->setCurrentIndex(1);
        clickRow(f.list(AreaLevel::Country), 1);
        clickRow(f.list(AreaLevel::Country), 2); // Scotland only
        QCOMPARE(t.level(AreaLevel::Country).flags[1], std::uint8_t(0));

        clickOption(c.obUserEDlist);
        QVERIFY(c.txtUserEDlist->isEnabled());
        for (QListWidget* list : c.areaLists)
            QVERIFY(!list->isEnabled() && list->count() == 2 && list->selectedItems().isEmpty());
        QCOMPARE(t.level(AreaLevel::Country).flags, std::vector<std::uint8_t>(kNumCountries + 1, 1));

        clickOption(c.obSelectedAreas);
        QVERIFY(!c.txtUserEDlist->isEnabled());
        for (QListWidget* list : c.areaLists)
            QVERIFY(list->isEnabled());
        clickRow(f.list(AreaLevel::Region), 1);
        QCOMPARE(f.list(AreaLevel::Region)->count(), kNumRegions + 1);
    }

    // Ward 9 is stored as UTF-8, ward 10 as Latin-1: both read the same. The list
    // keeps the focus while it is rebuilt.
    void fullWardListShowsDecodedNamesAndKeepsFocus()
    {
        TestWindow f;
        f.window->activateWindow();
        f.c().MultiPage1->setCurrentIndex(1);
        QListWidget* wards = f.list(AreaLevel::Ward);
        wards->setFocus();
        clickRow(wards, 1);
        QCOMPARE(wards->item(9)->text(), QString::fromUtf8("Ynys Môn"));
        QCOMPARE(wards->item(10)->text(), QString::fromUtf8("Ynys Môn"));
        QCOMPARE(f.window->focusWidget(), wards);
    }

    // What the core reads back from a list is what the user sees selected, also
    // once rows above the selection are gone. A variable list, so that no cascade
    // rebuilds it under the test's feet.
    void mirrorMatchesTheWidget()
    {
        TestWindow f;
        f.c().MultiPage1->setCurrentIndex(2);
        QListWidget* list = f.c().lstIndVars_Orig;
        ListBox& box = *list->findChild<ListWidgetAdapter*>();
        clickRow(list, 2);
        clickRow(list, 6, Qt::ShiftModifier);
        clickRow(list, 4, Qt::ControlModifier);
        box.removeRow(3);
        box.removeRow(1);
        QCOMPARE(box.count(), list->count());
        for (int r = 0; r < list->count(); ++r)
            QVERIFY2(box.isSelected(r) == list->item(r)->isSelected(), qPrintable(QString::number(r)));
    }

    void findsWardsByNameAndCodeAndChoosesBoth()
    {
        TestWindow w;
        AreaFinder& finder = w.window->areaFinder();
        auto choose = [&](const QString& typed, int ward) {
            QTest::keyClicks(finder.lineEdit(), typed);
            const QStringList found = finder.suggestions();
            const QString code = QString::fromStdString(w.state->areas.wardCodes[ward]);
            const qsizetype row = found.indexOf(QRegularExpression(".*\\(" + code + "\\).*"));
            QVERIFY2(row >= 0, qPrintable(found.join(QLatin1Char('\n'))));
            emit finder.completer()->activated(finder.completer()->completionModel()->index(row, 0));
            QTest::qWait(1);
        };
        choose(QStringLiteral("ward 30"), 30);
        choose(QString::fromStdString(w.state->areas.wardCodes[500]).toLower(), 500);

        // Both shown chosen, and both in the choice Extract takes.
        const auto& rowOf = w.state->areas.level(AreaLevel::Ward).listPos;
        QListWidget* wards = w.list(AreaLevel::Ward);
        QCOMPARE(wards->selectedItems().size(), 2);
        QVERIFY(wards->item(rowOf[30])->isSelected() && wards->item(rowOf[500])->isSelected());
        QVERIFY(w.c().lblSelectionSummary->text().startsWith(QStringLiteral("2 wards, ")));
    }

    void checkMarkClickKeepsTheOtherVariables()
    {
        TestWindow w;
        w.c().MultiPage1->setCurrentIndex(2);
        QListWidget* list = w.c().lstHHVars_Orig;
        const int before = static_cast<int>(list->selectedItems().size());
        QVERIFY(before > 1);
        int row = 0;
        while (list->item(++row)->isSelected()) { }
        QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
        QCOMPARE(static_cast<int>(list->selectedItems().size()), before + 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
        QCOMPARE(static_cast<int>(list->selectedItems().size()), before);
        // A click on the name still selects that row alone.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 10, rect.center().y()));
        QCOMPARE(static_cast<int>(list->selectedItems().size()), 1);
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

#include "base/ListBox.h"

#include "TestWindow.h"

#include <QtTest>

#include <functional>

using ListAction = std::function<void(QListWidget*, ListBox&)>;
Q_DECLARE_METATYPE(ListAction)

class AreaListsTest : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(wards->count(), kNumWards + 1);
        QCOMPARE(wards->item(9)->text(), QString::fromUtf8("Ynys Môn"));
        QCOMPARE(wards->item(10)->text(), QString::fromUtf8("Ynys Môn"));
        QCOMPARE(f.window->focusWidget(), wards);
    }

    void mirrorMatchesTheWidget_data()
    {
        QTest::addColumn<ListAction>("action");
        QTest::newRow("control-clicks") << ListAction([](QListWidget* l, ListBox&) {
            clickRow(l, 3);
            clickRow(l, 6, Qt::ControlModifier);
            clickRow(l, 3, Qt::ControlModifier);
        });
        QTest::newRow("remove selected rows") << ListAction([](QListWidget* l, ListBox& box) {
            clickRow(l, 2);
            clickRow(l, 5, Qt::ShiftModifier);
            box.removeRow(3);
            box.removeRow(1);
        });
        QTest::newRow("clear and refill") << ListAction([](QListWidget*, ListBox& box) {
            box.clear();
            box.addRows({ "a", "b", "c" }, false);
            box.addRows({ "d", "e" }, true);
            box.setSelected(0, true);
            box.setSelected(3, false);
        });
    }

    // What the core reads back from a list is what the user sees selected.
    void mirrorMatchesTheWidget()
    {
        QFETCH(ListAction, action);
        // A variable list, so that no cascade rebuilds it under the test's feet.
        TestWindow f;
        f.c().MultiPage1->setCurrentIndex(2);
        QListWidget* list = f.c().lstIndVars_Orig;
        ListBox& box = f.window->individualVariables();
        action(list, box);
        QCOMPARE(box.count(), list->count());
        for (int r = 0; r < list->count(); ++r)
            QVERIFY2(box.isSelected(r) == list->item(r)->isSelected(), qPrintable(QString::number(r)));
    }
};

QTEST_MAIN(AreaListsTest)
#include "AreaListsTest.moc"

#include "geography/AreaCascade.h"
#include "base/ListBox.h"
#include "window/ListWidgetAdapter.h"

#include "TestWindow.h"

#include <QtTest>

#include <functional>

class AreaListsTest : public QObject {
    Q_OBJECT

private slots:
    void expandNarrowAndCollapseThroughTheWidgets();
    void controlClickExpandKeepsAllSelectedUntilDeselected();
    void fullWardListShowsDecodedNamesAndKeepsFocus();
    void mirrorMatchesTheWidget_data();
    void mirrorMatchesTheWidget();
};

void AreaListsTest::expandNarrowAndCollapseThroughTheWidgets()
{
    TestWindow f;
    f.c().MultiPage1->setCurrentIndex(1);
    AreaTables& t = f.state->areas;
    QListWidget* countries = f.list(AreaLevel::Country);
    QListWidget* regions = f.list(AreaLevel::Region);

    QCOMPARE(rowTexts(countries), (QStringList{"All countries", "Select countries..."}));
    clickRow(countries, 1);
    QCOMPARE(rowTexts(countries),
             (QStringList{"All countries", "England", "Scotland", "Wales", "Northern Ireland"}));
    QCOMPARE(selectedRows(countries), (QList<int>{1, 2, 3, 4}));
    QVERIFY(countries->isEnabled());

    clickRow(countries, 1);
    clickRow(countries, 4, Qt::ControlModifier); // England and Northern Ireland
    QCOMPARE(t.level(AreaLevel::Country).flags, (std::vector<std::uint8_t>{0, 1, 0, 0, 1}));

    clickRow(regions, 1);
    QCOMPARE(regions->count(), 12); // ten English regions and Northern Ireland
    QCOMPARE(regions->item(11)->text(), QStringLiteral("Northern Ireland"));
    QCOMPARE(t.level(AreaLevel::Region).listPos[13], 11);
    clickRow(regions, 3);
    clickRow(regions, 5, Qt::ShiftModifier);
    QCOMPARE(selectedRows(regions), (QList<int>{3, 4, 5}));
    QCOMPARE(std::count(t.level(AreaLevel::Region).flags.begin() + 1, t.level(AreaLevel::Region).flags.end(), 1), 3);
    QCOMPARE(t.level(AreaLevel::Region).flags[3], std::uint8_t(1));

    clickRow(regions, 0);
    QCOMPARE(rowTexts(regions), (QStringList{"All selected countries", "Select regions..."}));
    QCOMPARE(selectedRows(regions), QList<int>{0});
    QCOMPARE(t.level(AreaLevel::Region).flags, std::vector<std::uint8_t>(kNumRegions + 1, 1));
    QVERIFY(!t.level(AreaLevel::Region).listExpanded);
}

void AreaListsTest::controlClickExpandKeepsAllSelectedUntilDeselected()
{
    TestWindow f;
    f.c().MultiPage1->setCurrentIndex(1);
    AreaTables& t = f.state->areas;
    QListWidget* districts = f.list(AreaLevel::District);

    clickRow(districts, 1, Qt::ControlModifier);
    QCOMPARE(districts->count(), kNumDistricts + 1);
    QCOMPARE(selectedRows(districts).size(), kNumDistricts + 1);
    QCOMPARE(t.level(AreaLevel::District).flags[0], kModeIndividual);

    // Another change with the All row still selected collapses again.
    clickRow(districts, 7, Qt::ControlModifier);
    QCOMPARE(districts->count(), 2);
    QCOMPARE(t.level(AreaLevel::District).flags[0], kModeAll);

    clickRow(districts, 1, Qt::ControlModifier);
    clickRow(districts, 0, Qt::ControlModifier); // now record
    QCOMPARE(std::count(t.level(AreaLevel::District).flags.begin() + 1, t.level(AreaLevel::District).flags.end(), 1), kNumDistricts);
    clickRow(districts, 2, Qt::ControlModifier);
    QCOMPARE(t.level(AreaLevel::District).flags[2], std::uint8_t(0));
    QCOMPARE(std::count(t.level(AreaLevel::District).flags.begin() + 1, t.level(AreaLevel::District).flags.end(), 1), kNumDistricts - 1);
}

void AreaListsTest::fullWardListShowsDecodedNamesAndKeepsFocus()
{
    TestWindow f;
    f.window->activateWindow();
    f.c().MultiPage1->setCurrentIndex(1);
    QListWidget* wards = f.list(AreaLevel::Ward);
    wards->setFocus();
    clickRow(wards, 1);
    QCOMPARE(wards->count(), kNumWards + 1);
    QCOMPARE(selectedRows(wards).size(), kNumWards);
    // Ward 9 is stored as UTF-8, ward 10 as Latin-1: both read the same.
    QCOMPARE(wards->item(9)->text(), QString::fromUtf8("Ynys Môn"));
    QCOMPARE(wards->item(10)->text(), QString::fromUtf8("Ynys Môn"));
    QCOMPARE(wards->item(kNumWards)->text(), QStringLiteral("Ward 11499"));
    QCOMPARE(f.window->focusWidget(), wards);

    clickRow(wards, 500);
    QCOMPARE(std::count(f.state->areas.level(AreaLevel::Ward).flags.begin() + 1, f.state->areas.level(AreaLevel::Ward).flags.end(), 1), 1);
    QCOMPARE(f.state->areas.level(AreaLevel::Ward).flags[500], std::uint8_t(1));
}

using ListAction = std::function<void(QListWidget*, ListBox&)>;
Q_DECLARE_METATYPE(ListAction)

void AreaListsTest::mirrorMatchesTheWidget_data()
{
    QTest::addColumn<ListAction>("action");
    QTest::newRow("plain click") << ListAction([](QListWidget* l, ListBox&) { clickRow(l, 3); });
    QTest::newRow("control-clicks") << ListAction([](QListWidget* l, ListBox&) {
        clickRow(l, 3);
        clickRow(l, 6, Qt::ControlModifier);
        clickRow(l, 3, Qt::ControlModifier);
    });
    QTest::newRow("shift range") << ListAction([](QListWidget* l, ListBox&) {
        clickRow(l, 2);
        clickRow(l, 8, Qt::ShiftModifier);
    });
    QTest::newRow("keyboard") << ListAction([](QListWidget* l, ListBox&) {
        clickRow(l, 2);
        QTest::keyClick(l, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(l, Qt::Key_Down, Qt::ShiftModifier);
    });
    QTest::newRow("select all") << ListAction([](QListWidget* l, ListBox&) {
        clickRow(l, 2);
        QTest::keyClick(l, Qt::Key_A, Qt::ControlModifier);
    });
    QTest::newRow("remove selected rows") << ListAction([](QListWidget* l, ListBox& box) {
        clickRow(l, 2);
        clickRow(l, 5, Qt::ShiftModifier);
        box.removeRow(3);
        box.removeRow(1);
    });
    QTest::newRow("clear and refill") << ListAction([](QListWidget*, ListBox& box) {
        box.clear();
        box.addRows({"a", "b", "c"}, false);
        box.addRows({"d", "e"}, true);
        box.setSelected(0, true);
        box.setSelected(3, false);
    });
}

void AreaListsTest::mirrorMatchesTheWidget()
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

QTEST_MAIN(AreaListsTest)
#include "AreaListsTest.moc"

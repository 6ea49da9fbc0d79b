// Variables that explain themselves: each row's label, and "Find variable:".

#include "TestWindow.h"

#include <QtTest>

namespace {

QListWidgetItem* rowNamed(const QListWidget* list, const QString& name)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text().trimmed() == name)
            return list->item(row);
    return nullptr;
}

} // namespace

class VariableFindTest : public QObject {
    Q_OBJECT

private slots:
    // Each row's label is its tool tip; the box finds names, labels and code labels.
    void findNarrowsBothListsAndKeepsTheSelection_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QStringList>("household");
        QTest::addColumn<QStringList>("individual");
        QTest::newRow("a name, in other case") << "TENURE" << QStringList { "Tenure" } << QStringList {};
        QTest::newRow("in a label") << "gaelic" << QStringList {} << QStringList { "GaelLang" };
        QTest::newRow("in a code label") << "Exclusive Use" << QStringList { "Bath", "InsideWC" } << QStringList {};
        QTest::newRow("in both lists") << "hnum" << QStringList { "HNUM" } << QStringList { "HNUM" };
        QTest::newRow("nothing") << "zzz" << QStringList {} << QStringList {};
    }

    void findNarrowsBothListsAndKeepsTheSelection()
    {
        QFETCH(QString, find);
        QFETCH(QStringList, household);
        QFETCH(QStringList, individual);
        TestWindow w(DataSet::Demo);
        const Controls c = w.c();
        QListWidgetItem* tenure = rowNamed(c.lstHHVars_Orig, QStringLiteral("Tenure"));
        QCOMPARE(tenure->toolTip(), QStringLiteral("Tenure: Tenure of the household space."));
        QCOMPARE(tenure->data(Qt::AccessibleDescriptionRole).toString(), tenure->toolTip());
        const QStringList allHousehold = shownRows(c.lstHHVars_Orig);
        const QStringList allIndividual = shownRows(c.lstIndVars_Orig);
        selectRows(c.lstHHVars_Orig, { 2, 5 });
        const QStringList before = w.snapshot();
        auto* box = w.c().find<QLineEdit>("txtFindVariable");
        QTest::keyClicks(box, find);
        QCOMPARE(shownRows(c.lstHHVars_Orig), household);
        QCOMPARE(shownRows(c.lstIndVars_Orig), individual);
        box->clear();
        QCOMPARE(shownRows(c.lstHHVars_Orig), allHousehold);
        QCOMPARE(shownRows(c.lstIndVars_Orig), allIndividual);
        QCOMPARE(w.snapshot(), before); // no choice changed
    }
};

QTEST_MAIN(VariableFindTest)
#include "VariableFindTest.moc"

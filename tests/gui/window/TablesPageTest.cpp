#include "TestWindow.h"

#include "cli/ExtractTool.h"
#include "formats/CodebookWriter.h"
#include "request/CaseSelection.h"
#include "window/TableChart.h"
#include "window/TableModel.h"
#include "window/TablesPage.h"
#include "window/VariablesPage.h"

#include <QBarCategoryAxis>
#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableView>

#include <filesystem>
#include <sstream>

namespace {

/// The Tables page's controls, found by their objectNames.
struct TableControls {
    explicit TableControls(const QWidget& window)
        : c(window)
    {
    }
    Controls c;
    QComboBox* unit = c.find<QComboBox>("cboTableUnit");
    QComboBox* rows = c.find<QComboBox>("cboTableRows");
    QComboBox* columns = c.find<QComboBox>("cboTableColumns");
    QComboBox* show = c.find<QComboBox>("cboTableShow");
    QPushButton* make = c.find<QPushButton>("btMakeTable");
    QTableView* result = c.find<QTableView>("tblResult");
    TableChart* chart = c.find<TableChart>("chartResult");
    QLabel* summary = c.find<QLabel>("lblTableSummary");
    QPushButton* cancel = c.find<QPushButton>("btCancelTable");
    QPushButton* copy = c.find<QPushButton>("btCopyTable");
    QPushButton* save = c.find<QPushButton>("btSaveTable");
};

/// Chooses the table as a user would and presses Make Table; returns once it is shown.
void makeTable(TestWindow& w, const char* unit, const char* rows, const char* columns = "")
{
    TableControls t(*w.window);
    t.c.MultiPage1->setCurrentIndex(t.c.MultiPage1->count() - 1);
    t.unit->setCurrentIndex(t.unit->findText(QLatin1String(unit)));
    const int row = t.rows->findData(QLatin1String(rows));
    QVERIFY2(row >= 0, rows);
    t.rows->setCurrentIndex(row);
    t.columns->setCurrentIndex(t.columns->findData(QLatin1String(columns)));
    QSignalSpy finished(&w.window->tablesPage(), &TablesPage::tableFinished);
    t.make->click();
    QVERIFY(finished.wait(20000));
}

/// The table as zendra91-extract --table prints it.
std::string tidyCsv(const Table& table)
{
    std::ostringstream out;
    out << (table.columns ? "rows,rows_label,columns,columns_label,count\n" : "rows,rows_label,count\n");
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) {
            const TableCategory& row = table.rowCategories[static_cast<std::size_t>(r)];
            out << csvField(row.code) << ',' << csvField(row.label) << ',';
            if (table.columns) {
                const TableCategory& col = table.columnCategories[static_cast<std::size_t>(c)];
                out << csvField(col.code) << ',' << csvField(col.label) << ',';
            }
            out << table.count(r, c) << '\n';
        }
    return out.str();
}

QAbstractBarSeries* bars(const TableChart* chart)
{
    const QList<QAbstractSeries*> series = chart->chart()->series();
    return series.size() == 1 ? qobject_cast<QAbstractBarSeries*>(series.front()) : nullptr;
}

QStringList categories(const TableChart* chart)
{
    for (QAbstractAxis* axis : chart->chart()->axes())
        if (auto* categoryAxis = qobject_cast<QBarCategoryAxis*>(axis))
            return categoryAxis->categories();
    return {};
}

} // namespace

class TablesPageTest : public QObject {
    Q_OBJECT

private slots:
    void windowTableEqualsCommands_data();
    void windowTableEqualsCommands();
    void chartCopySaveAndCancel();
    void exportQuotesLabels();
    void noTableShowsWhy_data();
    void noTableShowsWhy();
};

void TablesPageTest::windowTableEqualsCommands_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("selection"); // a condition chosen on the variables page
    QTest::newRow("persons by two variables") << "Persons" << "Age" << "Sex" << "";
    QTest::newRow("households by one variable") << "Households" << "Tenure" << "" << "";
    QTest::newRow("persons by ED and a household variable") << "Persons" << "ed" << "Tenure" << "";
    QTest::newRow("selected persons") << "Persons" << "Sex" << "Tenure" << "Age=65-99";
    QTest::newRow("households of selected persons") << "Households" << "Cars" << "" << "Age=0-15";
}

// The large ward draws EDs: the window must count them with the generator the
// command starts with, and leave its own where it was.
void TablesPageTest::windowTableEqualsCommands()
{
    QFETCH(QString, unit);
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(QString, selection);
    TestWindow w(DataSet::Demo);
    const std::string ward = w.chooseLargeWard();
    if (!selection.isEmpty()) {
        const ParsedCondition parsed = parseCondition(selection.toStdString());
        QVERIFY(parsed.error.empty());
        w.window->findChild<VariablesPage*>()->setCaseSelection({ { parsed.condition }, false });
    }
    std::mt19937 before = w.state->random;
    makeTable(w, unit.toLatin1().constData(), rows.toLatin1().constData(), columns.toLatin1().constData());
    QVERIFY(w.state->random == before);
    const Table& shown = w.window->tablesPage().model().table();
    QVERIFY(shown.total() > 0);

    std::vector<std::string> arguments { "--data", w.dir.path(), "--wards", ward, "--table",
        (rows + (columns.isEmpty() ? QString() : QLatin1Char(',') + columns)).toStdString() };
    if (unit == QLatin1String("Households"))
        arguments.insert(arguments.end(), { "--count", "households" });
    if (!selection.isEmpty())
        arguments.insert(arguments.end(), { "--select", selection.toStdString() });
    std::ostringstream out, err;
    QCOMPARE(runExtractTool(arguments, out, err), 0);
    QCOMPARE(QString::fromStdString(tidyCsv(shown)), QString::fromStdString(out.str()));
    QVERIFY(TableControls(*w.window).summary->text().startsWith(unit + QLatin1String(" in 1 ward (")));
}

// The chart, Copy and Save follow the table and what it shows; Cancel leaves none.
void TablesPageTest::chartCopySaveAndCancel()
{
    TestWindow w(DataSet::Demo);
    w.chooseLargeWard();
    TableControls t(*w.window);

    makeTable(w, "Households", "Tenure");
    QAbstractBarSeries* series = bars(t.chart);
    QVERIFY(series);
    const Table& table = w.window->tablesPage().model().table();
    QCOMPARE(series->count(), 1);
    QCOMPARE(categories(t.chart).size(), table.rowCount());
    // Drawn across from the bottom up, the table's first row at the top.
    QCOMPARE(categories(t.chart).back(), QString::fromStdString(table.rowCategories.front().label));
    QCOMPARE(series->barSets().front()->at(table.rowCount() - 1), double(table.count(0, 0)));
    QVERIFY(t.chart->accessibleDescription().contains(QString::fromStdString(table.rowCategories.front().label)));

    makeTable(w, "Persons", "Age", "Sex");
    series = bars(t.chart);
    QVERIFY(series);
    const Table& twoWay = w.window->tablesPage().model().table();
    QCOMPARE(series->count(), twoWay.columnCount());
    QVERIFY(twoWay.rowCount() > TableChart::kMaxChartCategories);
    QCOMPARE(categories(t.chart).size(), TableChart::kMaxChartCategories);
    QVERIFY(t.chart->chart()->title().contains(QStringLiteral("30 largest of %1").arg(twoWay.rowCount())));

    t.copy->click();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), twoWay.rowCount() + 2);
    QCOMPARE(lines.front().split(QLatin1Char('\t')).front(), QStringLiteral("Age / Sex"));
    const QStringList first = lines[1].split(QLatin1Char('\t'));
    QCOMPARE(first.size(), twoWay.columnCount() + 2);
    QCOMPARE(first[0], QString::fromStdString(twoWay.rowCategories[0].label));
    QCOMPARE(first[1], QString::number(twoWay.count(0, 0)));
    QCOMPARE(first.back(), QString::number(twoWay.rowTotal(0)));
    QCOMPARE(lines.back().split(QLatin1Char('\t')).back(), QString::number(twoWay.total()));

    // Row %: the sexes of each age add up to 100.
    t.show->setCurrentIndex(static_cast<int>(TableShow::RowPercent));
    series = bars(t.chart);
    QVERIFY(series);
    double sum = 0;
    for (QBarSet* set : series->barSets())
        sum += set->at(0);
    QVERIFY(std::abs(sum - 100) < 1e-6);

    t.show->setCurrentIndex(static_cast<int>(TableShow::TotalPercent));
    ScriptedChooser chooser;
    chooser.answers = QStringList { w.path("table.csv") };
    w.window->setFileChooser(chooser);
    t.save->click();
    QFile saved(w.path("table.csv"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QStringList csv = QString::fromUtf8(saved.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(csv.size(), twoWay.rowCount() + 2);
    QCOMPARE(csv.back().split(QLatin1Char(',')).back(), QStringLiteral("100.0"));

    // Whether or not the worker had finished, a Cancel shows no table.
    w.window->tablesPage().setProgressDelay(0);
    QSignalSpy finished(&w.window->tablesPage(), &TablesPage::tableFinished);
    t.make->click();
    QVERIFY(t.cancel->isEnabled());
    t.cancel->click();
    QVERIFY(finished.wait(20000));
    QCOMPARE(t.result->model()->rowCount(), 0);
    QCOMPARE(bars(t.chart), nullptr);
    QVERIFY(t.summary->text().contains(QStringLiteral("cancelled")));
    QVERIFY(!t.cancel->isEnabled());
    QVERIFY(t.make->isEnabled());
    QVERIFY(w.asked().isEmpty());
}

// Labels from a labels file may hold the separators.
void TablesPageTest::exportQuotesLabels()
{
    Table table;
    table.unit = TableUnit::Households;
    table.rows = TableDimension { TableDimension::Kind::HouseholdVariable, 4 };
    table.rowCategories = { { "1", "1 Owned, outright" }, { "2", "2 Rented \"social\"\tshort" } };
    table.counts = { 3, 1 };
    TableModel model;
    model.setTable(table, QStringLiteral("Tenure"), {});
    QCOMPARE(model.text(QLatin1Char(',')),
        QStringLiteral("Tenure,Households\n\"1 Owned, outright\",3\n\"2 Rented \"\"social\"\"\tshort\",1\nTotal,4\n"));
    QCOMPARE(model.text(QLatin1Char('\t')),
        QStringLiteral("Tenure\tHouseholds\n1 Owned, outright\t3\n2 Rented \"social\" short\t1\nTotal\t4\n"));
    model.setShow(TableShow::ColumnPercent);
    QCOMPARE(model.text(QLatin1Char('\t')).split(QLatin1Char('\n'))[1], QStringLiteral("1 Owned, outright\t75.0"));
}

// A table with no ED to count says why on the page; one that cannot be read is an
// error to show. Neither leaves a table to copy.
void TablesPageTest::noTableShowsWhy_data()
{
    QTest::addColumn<bool>("dataBroken"); // else an ED list without a household file
    QTest::newRow("nothing to count") << false;
    QTest::newRow("SAR data missing") << true;
}

void TablesPageTest::noTableShowsWhy()
{
    QFETCH(bool, dataBroken);
    TestWindow w(DataSet::Demo);
    TableControls t(*w.window);
    if (dataBroken) {
        w.chooseLargeWard();
        std::filesystem::remove_all(w.state->folders.sarDataFolder);
    } else {
        w.dir.write("nothing.txt", "ZZ9999\r\n");
        clickOption(w.c().obUserEDlist);
        w.c().txtUserEDlist->setText(w.path("nothing.txt"));
    }
    makeTable(w, "Persons", "Sex");
    QCOMPARE(t.result->model()->rowCount(), 0);
    QVERIFY(!t.copy->isEnabled());
    QCOMPARE(w.asked(), QString(dataBroken ? "ExtractionFailed" : ""));
    if (!dataBroken)
        QVERIFY2(t.summary->text().contains(QStringLiteral("none of the listed ED codes has a household file")),
            qPrintable(t.summary->text()));
}

QTEST_MAIN(TablesPageTest)
#include "TablesPageTest.moc"

// The Tables page through the real window on the offscreen platform. Run it in a
// folder that holds the data. With one district chosen in the area lists, it times
// Make Table until the table and its chart have been painted, for persons by Age
// and Sex and for households by ward and Tenure, and prints each median last:
//   district_two_way_window_ms: N
//   district_ward_by_tenure_window_ms: N
// Arguments: the number of runs (20) and the district's number (100).

#include "geography/AreaTables.h"
#include "session/ApplicationState.h"
#include "window/MainWindow.h"
#include "window/TableChart.h"
#include "window/TableModel.h"
#include "window/TablesPage.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <typename W> W* control(const QWidget& window, const char* name)
{
    W* widget = window.findChild<W*>(QString::fromLatin1(name));
    if (!widget) {
        std::fprintf(stderr, "no control named %s\n", name);
        std::exit(1);
    }
    return widget;
}

/// The median of `runs` Make Tables of `rows` by `columns`, each until the table
/// and the chart are painted; negative when a table comes out empty.
double timeTable(MainWindow& window, int runs, const char* unit, const char* rows, const char* columns)
{
    auto* unitBox = control<QComboBox>(window, "cboTableUnit");
    unitBox->setCurrentIndex(unitBox->findText(QLatin1String(unit)));
    auto* rowsBox = control<QComboBox>(window, "cboTableRows");
    rowsBox->setCurrentIndex(rowsBox->findData(QLatin1String(rows)));
    auto* columnsBox = control<QComboBox>(window, "cboTableColumns");
    columnsBox->setCurrentIndex(columnsBox->findData(QLatin1String(columns)));
    auto* make = control<QPushButton>(window, "btMakeTable");
    auto* view = control<QTableView>(window, "tblResult");
    auto* chart = control<TableChart>(window, "chartResult");
    TablesPage& page = window.tablesPage();

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QEventLoop loop;
        QObject::connect(&page, &TablesPage::tableFinished, &loop, &QEventLoop::quit);
        const Clock::time_point start = Clock::now();
        make->click();
        loop.exec();
        view->viewport()->repaint();
        chart->viewport()->repaint();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (page.model().rowCount() == 0) {
            std::fprintf(stderr, "%s by %s: empty table (%s)\n", rows, columns,
                qPrintable(control<QLabel>(window, "lblTableSummary")->text()));
            return -1;
        }
    }
    std::printf("%s by %s: %s\n", rows, columns, qPrintable(control<QLabel>(window, "lblTableSummary")->text()));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int district = argc > 2 ? std::atoi(argv[2]) : 100;
    QApplication app(argc, argv);

    StartupLoad load = loadAtStartup(setDataFolders());
    if (!load.state) {
        std::fprintf(stderr, "%s\n", load.error.c_str());
        return 1;
    }
    MainWindow window(*load.state);
    window.show();
    const AreaTables& areas = load.state->areas;
    if (district < 1 || district > areas.level(AreaLevel::District).count()) {
        std::fprintf(stderr, "no district %d\n", district);
        return 1;
    }
    // "Select districts...", then the one district, as clicks on the list would.
    auto* districts = control<QListWidget>(window, "lstDistricts");
    districts->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    districts->setCurrentRow(
        areas.level(AreaLevel::District).listPos[static_cast<std::size_t>(district)], QItemSelectionModel::ClearAndSelect);
    auto* pages = control<QTabWidget>(window, "MultiPage1");
    pages->setCurrentIndex(pages->count() - 1);

    const double ageSex = timeTable(window, runs, "Persons", "Age", "Sex");
    const double wardTenure = timeTable(window, runs, "Households", "ward", "Tenure");
    if (ageSex < 0 || wardTenure < 0)
        return 1;
    std::printf("runs: %d, district %d\n", runs, district);
    std::printf("district_two_way_window_ms: %.2f\n", ageSex);
    std::printf("district_ward_by_tenure_window_ms: %.2f\n", wardTenure);
    return 0;
}

// The area cascade at full scale, through the real window on the offscreen platform.
// Run it in a folder that holds the data. With every country, region, county and
// district listed and chosen, it times expanding the wards list ("Select wards...")
// and single clicks on a ward of the expanded list, each until the list has been
// laid out and repainted; it prints each median last:
//   expand_wards_ms: N
//   ward_click_ms: N

#include "geography/AreaTables.h"
#include "session/ApplicationState.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

/// Everything a click sets off, up to the wards list drawn anew: the window system
/// may hold a repaint back for a few idle milliseconds, so it is done here at once.
void finish(QListWidget* list)
{
    settle();
    list->viewport()->repaint();
}

/// Brings `row` into view untimed, so that the timed click is the click alone.
QPoint showRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    settle();
    return list->visualItemRect(list->item(row)).center();
}

void click(QListWidget* list, QPoint at)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

/// The medians' samples, one per run (clicks: five per run).
struct Timings {
    std::vector<double> expand, firstClick, clicks, collapse;
};

/// Expands the wards list, clicks five wards and collapses it again, `runs` times;
/// false, with the reason printed, if the list or the tables end up wrong.
bool timeWards(QListWidget* wards, const AreaTables& areas, int runs, Timings& t)
{
    const int clickRows[] = { 5000, 17, 11480, 250, 9000 };
    for (int run = 0; run < runs; ++run) {
        QPoint selectRow = showRow(wards, 1);
        Clock::time_point start = Clock::now();
        click(wards, selectRow);
        finish(wards);
        t.expand.push_back(msSince(start));
        if (wards->count() != kNumWards + 1) {
            std::fprintf(stderr, "expected %d rows after expanding, found %d\n", kNumWards + 1, wards->count());
            return false;
        }

        for (int i = 0; i < 5; ++i) {
            QPoint at = showRow(wards, clickRows[i]);
            start = Clock::now();
            click(wards, at);
            finish(wards);
            double ms = msSince(start);
            t.clicks.push_back(ms);
            if (i == 0)
                t.firstClick.push_back(ms); // the one that deselects every other ward
        }
        if (areas.level(AreaLevel::Ward).flags[clickRows[4]] != 1) {
            std::fprintf(stderr, "the clicked ward was not recorded as chosen\n");
            return false;
        }

        QPoint allRow = showRow(wards, 0);
        start = Clock::now();
        click(wards, allRow);
        finish(wards);
        t.collapse.push_back(msSince(start));
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QApplication app(argc, argv);

    StartupLoad load = loadAtStartup(setDataFolders());
    if (!load.state) {
        std::fprintf(stderr, "%s\n", load.error.c_str());
        return 1;
    }
    MainWindow window(*load.state);
    window.show();
    window.controls().MultiPage1->setCurrentIndex(1);
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was never exposed; timing without painting\n");
    settle();

    const auto& lists = window.controls().areaLists;
    for (int level = 0; level < static_cast<int>(AreaLevel::Ward); ++level)
        click(lists[level], showRow(lists[level], 1));
    Timings t;
    if (!timeWards(lists[static_cast<int>(AreaLevel::Ward)], load.state->areas, runs, t))
        return 1;

    std::printf("runs: %d\n", runs);
    std::printf("collapse_wards_ms: %.1f\n", median(t.collapse));
    std::printf("ward_click_first_ms: %.2f\n", median(t.firstClick));
    std::printf("expand_wards_ms: %.1f\n", median(t.expand));
    std::printf("ward_click_ms: %.2f\n", median(t.clicks));
    return 0;
}

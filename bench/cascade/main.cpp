// The area cascade at full scale, through the real window on the offscreen platform.
// Run it in a folder that holds the data. With every country, region, county and
// district listed and chosen, it times expanding the wards list ("Select wards...")
// and single clicks on a ward of the expanded list, each until the list has been
// laid out and repainted; after each click, the selection summary recomputed alone
// (summary_update_ms) and as the window shows it, label repainted
// (summary_update_window_ms). Then the find box: the directory's suggestions for
// several two-letter texts (find_suggest_ms, the median of the texts' medians, and
// find_suggest_max_ms, the slowest text), and the second keystroke typed into the
// box until its popup is painted (find_suggest_window_ms, find_suggest_window_max_ms).
// It prints each median last:
//   expand_wards_ms: N
//   ward_click_ms: N

#include "geography/AreaDirectory.h"
#include "geography/AreaTables.h"
#include "geography/SelectionSummary.h"
#include "session/ApplicationState.h"
#include "window/AreaFinder.h"
#include "window/MainWindow.h"
#include "BenchTiming.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <array>
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

/// The medians' samples, one per run (clicks and summaries: five per run).
struct Timings {
    std::vector<double> expand, firstClick, clicks, collapse, summary, summaryShown;
};

/// The summary line after a click, computed alone and as the window sets and paints
/// it; false if the window's line says something else.
bool timeSummary(AreaTables& areas, QLabel* label, Timings& t)
{
    Clock::time_point start = Clock::now();
    const std::string text = selectionSummaryText(countSelection(areas));
    t.summary.push_back(msSince(start));
    if (label->text().toStdString() != text) {
        std::fprintf(
            stderr, "the summary line reads \"%s\", expected \"%s\"\n", qPrintable(label->text()), text.c_str());
        return false;
    }
    label->clear();
    label->repaint();
    start = Clock::now();
    label->setText(QString::fromStdString(selectionSummaryText(countSelection(areas))));
    label->repaint();
    t.summaryShown.push_back(msSince(start));
    return true;
}

/// Expands the wards list, clicks five wards and collapses it again, `runs` times;
/// false, with the reason printed, if the list or the tables end up wrong.
bool timeWards(QListWidget* wards, AreaTables& areas, QLabel* summary, int runs, Timings& t)
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
            if (!timeSummary(areas, summary, t))
                return false;
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

/// Suggestion timings of one two-letter text: the directory alone, `reps` times, and
/// the second letter typed into the box until the popup is painted, `reps` times.
struct FindTimings {
    std::vector<double> core, window;
};

bool timeFind(const AreaDirectory& directory, AreaFinder* finder, const char* text, int reps, FindTimings& t)
{
    for (int i = 0; i < reps; ++i) {
        Clock::time_point start = Clock::now();
        std::vector<const AreaEntry*> found = directory.find(text);
        t.core.push_back(msSince(start));
        if (found.empty()) {
            std::fprintf(stderr, "no suggestions for \"%s\"\n", text);
            return false;
        }
    }
    QLineEdit* box = finder->lineEdit();
    QAbstractItemView* popup = finder->completer()->popup();
    for (int i = 0; i < reps; ++i) {
        box->clear();
        popup->hide();
        QTest::keyClick(box, text[0]);
        settle();
        Clock::time_point start = Clock::now();
        QTest::keyClick(box, text[1]);
        settle();
        popup->repaint();
        t.window.push_back(msSince(start));
        if (!popup->isVisible() || finder->suggestions().isEmpty()) {
            std::fprintf(stderr, "no popup for \"%s\"\n", text);
            return false;
        }
    }
    box->clear();
    popup->hide();
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
    window.findChild<QTabWidget*>(QStringLiteral("MultiPage1"))->setCurrentIndex(1);
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was never exposed; timing without painting\n");
    settle();

    // Found as users' scripts find them, countries down to wards.
    std::array<QListWidget*, kNumAreaLevels> lists {};
    const char* const names[] = { "lstCountries", "lstRegions", "lstCounties", "lstDistricts", "lstWards" };
    for (int level = 0; level < kNumAreaLevels; ++level)
        lists[static_cast<std::size_t>(level)] = window.findChild<QListWidget*>(QString::fromLatin1(names[level]));
    for (int level = 0; level < static_cast<int>(AreaLevel::Ward); ++level)
        click(lists[level], showRow(lists[level], 1));
    Timings t;
    auto* summary = window.findChild<QLabel*>(QStringLiteral("lblSelectionSummary"));
    if (!timeWards(lists[static_cast<int>(AreaLevel::Ward)], load.state->areas, summary, runs, t))
        return 1;

    // Texts that many of the 11,499 ward names contain, and a code prefix.
    const char* const texts[] = { "an", "er", "on", "st", "ll", "ow", "Mi", "04" };
    const AreaDirectory directory(load.state->areas);
    AreaFinder* finder = &window.areaFinder();
    std::vector<double> findCore, findWindow;
    for (const char* text : texts) {
        FindTimings f;
        if (!timeFind(directory, finder, text, runs, f))
            return 1;
        findCore.push_back(median(f.core));
        findWindow.push_back(median(f.window));
    }

    std::printf("runs: %d\n", runs);
    std::printf("find_suggest_max_ms: %.2f\n", *std::max_element(findCore.begin(), findCore.end()));
    std::printf("find_suggest_ms: %.2f\n", median(findCore));
    std::printf("find_suggest_window_max_ms: %.2f\n", *std::max_element(findWindow.begin(), findWindow.end()));
    std::printf("find_suggest_window_ms: %.2f\n", median(findWindow));
    std::printf("summary_update_ms: %.2f\n", median(t.summary));
    std::printf("summary_update_window_ms: %.2f\n", median(t.summaryShown));
    std::printf("collapse_wards_ms: %.1f\n", median(t.collapse));
    std::printf("ward_click_first_ms: %.2f\n", median(t.firstClick));
    std::printf("expand_wards_ms: %.1f\n", median(t.expand));
    std::printf("ward_click_ms: %.2f\n", median(t.clicks));
    return 0;
}

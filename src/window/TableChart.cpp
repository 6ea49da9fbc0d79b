#include "window/TableChart.h"

#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QBarCategoryAxis>
#include <QHorizontalBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetrics>
#include <QValueAxis>

#include <algorithm>
#include <numeric>
#include <vector>

using widgets::text;

namespace {

// The title, the value axis and the legend.
constexpr int kChartFrameHeight = 120;

/// The `limit` largest of `count` categories by `total`, kept in table order.
template <typename Total> std::vector<int> largest(int count, int limit, Total total)
{
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    if (count <= limit)
        return order;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return total(a) > total(b); });
    order.resize(static_cast<std::size_t>(limit));
    std::sort(order.begin(), order.end());
    return order;
}

} // namespace

TableChart::TableChart(QWidget* parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    // The view takes the focus and speaks the table; its drawing area is not a control.
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
    clear();
}

void TableChart::clear(const QString& note)
{
    QChart* c = chart();
    setMinimumHeight(0);
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes())
        c->removeAxis(axis);
    c->setTitle(note);
    c->legend()->hide();
    setAccessibleDescription(note);
}

void TableChart::showTable(const Table& table, TableShow show, const QString& title, const QString& description)
{
    clear();
    QChart* c = chart();
    if (table.rowCount() == 0)
        return;
    // Bars across are drawn from the bottom up: the table's first row goes last.
    std::vector<int> rows = largest(table.rowCount(), kMaxChartCategories, [&](int r) { return table.rowTotal(r); });
    std::reverse(rows.begin(), rows.end());
    const std::vector<int> columns = largest(
        table.columnCount(), kMaxChartCategories, [&](int col) { return table.columnTotal(col); });

    // Horizontal bars leave each label a line of its own, however many there are.
    auto* series = new QHorizontalBarSeries;
    double top = 0;
    for (int col : columns) {
        QString name;
        if (table.columns)
            name = QString::fromStdString(table.columnCategories[static_cast<std::size_t>(col)].label);
        else
            name = text(table.unit == TableUnit::Persons ? kTableUnitPersons : kTableUnitHouseholds);
        auto* set = new QBarSet(name);
        for (int r : rows) {
            const double value = tableValue(table, show, r, col);
            top = std::max(top, value);
            *set << value;
        }
        series->append(set);
    }
    c->addSeries(series);

    QStringList categories;
    for (int r : rows)
        categories << QString::fromStdString(table.rowCategories[static_cast<std::size_t>(r)].label);
    auto* categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    c->addAxis(categoryAxis, Qt::AlignLeft);
    series->attachAxis(categoryAxis);
    // The axis drops a label that has less than a line's height with its padding:
    // a chart of many categories grows, and the page scrolls it.
    setMinimumHeight(static_cast<int>(rows.size() + 1) * (QFontMetrics(categoryAxis->labelsFont()).height() + 10)
        + kChartFrameHeight);

    auto* valueAxis = new QValueAxis;
    valueAxis->setRange(0, top > 0 ? top : 1);
    valueAxis->applyNiceNumbers();
    valueAxis->setLabelFormat(show == TableShow::Counts ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
    c->addAxis(valueAxis, Qt::AlignBottom);
    series->attachAxis(valueAxis);

    QStringList notes;
    if (static_cast<int>(rows.size()) < table.rowCount())
        notes << text(kTableChartLargestRows).arg(rows.size()).arg(table.rowCount());
    if (static_cast<int>(columns.size()) < table.columnCount())
        notes << text(kTableChartLargestColumns).arg(columns.size()).arg(table.columnCount());
    const QString heading = notes.isEmpty() ? title : title + QLatin1String(": ") + notes.join(QLatin1String("; "));
    c->setTitle(heading);
    c->legend()->setVisible(table.columns.has_value());
    setAccessibleDescription(description);
}

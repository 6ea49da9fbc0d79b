#pragma once

#include "tables/Table.h"

#include <QChartView>

/// The Tables page's chart: bars for a one-way table, bars grouped by column for a
/// two-way one, drawn across with the rows' labels down the category axis. It shows the same
/// numbers as the table (counts or percentages). With more categories than fit
/// (kMaxChartCategories on a side) it shows the largest by total, in table order,
/// and its title says so. Its accessible description is the table as text.
class TableChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int kMaxChartCategories = 30;

    explicit TableChart(QWidget* parent = nullptr);

    /// Charts `table`; `title` names it ("Age by Sex"), `description` is the text
    /// alternative.
    void showTable(const Table& table, TableShow show, const QString& title, const QString& description);
    /// An empty chart, titled `note` (empty for none).
    void clear(const QString& note = {});

    QSize sizeHint() const override { return { 420, 300 }; }
};

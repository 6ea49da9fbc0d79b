#include "tables/Table.h"

#include <numeric>

std::uint64_t Table::rowTotal(int row) const
{
    std::uint64_t sum = 0;
    for (int c = 0; c < columnCount(); ++c)
        sum += count(row, c);
    return sum;
}

std::uint64_t Table::columnTotal(int column) const
{
    std::uint64_t sum = 0;
    for (int r = 0; r < rowCount(); ++r)
        sum += count(r, column);
    return sum;
}

std::uint64_t Table::total() const
{
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t { 0 });
}

double tableValue(const Table& table, TableShow show, int row, int column)
{
    const bool totalRow = row == table.rowCount();
    const bool totalColumn = column == table.columnCount();
    std::uint64_t cell;
    if (totalRow && totalColumn)
        cell = table.total();
    else if (totalRow)
        cell = table.columnTotal(column);
    else if (totalColumn)
        cell = table.rowTotal(row);
    else
        cell = table.count(row, column);
    std::uint64_t whole = 0;
    switch (show) {
    case TableShow::Counts:
        return static_cast<double>(cell);
    case TableShow::RowPercent:
        whole = totalRow ? table.total() : table.rowTotal(row);
        break;
    case TableShow::ColumnPercent:
        whole = totalColumn ? table.total() : table.columnTotal(column);
        break;
    case TableShow::TotalPercent:
        whole = table.total();
        break;
    }
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(cell) / static_cast<double>(whole);
}

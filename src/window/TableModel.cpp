#include "window/TableModel.h"

#include "geography/SelectionSummary.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

namespace {

QString showCaption(TableShow show)
{
    switch (show) {
    case TableShow::Counts:
        return widgets::text(kTableShowCounts);
    case TableShow::RowPercent:
        return widgets::text(kTableShowRowPercent);
    case TableShow::ColumnPercent:
        return widgets::text(kTableShowColumnPercent);
    case TableShow::TotalPercent:
        return widgets::text(kTableShowTotalPercent);
    }
    return {};
}

// A field as a spreadsheet takes it: CSV quotes what needs quoting; tab-separated
// text has no quoting, so a tab or line break inside a label becomes a blank.
QString field(QString value, QChar separator)
{
    if (separator == QLatin1Char('\t')) {
        for (QChar& c : value)
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                c = QLatin1Char(' ');
        return value;
    }
    if (value.contains(separator) || value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('\n'))
        || value.contains(QLatin1Char('\r'))) {
        value.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + value + QLatin1Char('"');
    }
    return value;
}

} // namespace

TableModel::TableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TableModel::setTable(Table table, const QString& rowsName, const QString& columnsName)
{
    beginResetModel();
    m_table = std::move(table);
    m_hasTable = true;
    m_rowsName = rowsName;
    m_columnsName = columnsName;
    endResetModel();
}

void TableModel::clear()
{
    beginResetModel();
    m_table = Table {};
    m_hasTable = false;
    endResetModel();
}

void TableModel::setShow(TableShow show)
{
    if (show == m_show)
        return;
    beginResetModel();
    m_show = show;
    endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_hasTable || m_table.rowCount() == 0)
        return 0;
    return m_table.rowCount() + 1;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_hasTable || m_table.rowCount() == 0)
        return 0;
    // A one-way table's one column already is its total.
    return m_table.columns ? m_table.columnCount() + 1 : 1;
}

QString TableModel::cellText(int row, int column, bool grouped) const
{
    const double value = tableValue(m_table, m_show, row, column);
    if (m_show != TableShow::Counts)
        return QString::number(value, 'f', 1);
    const auto count = static_cast<std::int64_t>(value);
    return grouped ? QString::fromStdString(groupedNumber(count)) : QString::number(count);
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    // A one-way table's totals are in its totals row; tableValue takes its column as 0.
    const int column = m_table.columns ? index.column() : 0;
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), column, true);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString TableModel::rowHeading(int row) const
{
    if (row == m_table.rowCount())
        return widgets::text(kTableTotal);
    return QString::fromStdString(m_table.rowCategories[static_cast<std::size_t>(row)].label);
}

QString TableModel::columnHeading(int column) const
{
    if (!m_table.columns) {
        if (m_show != TableShow::Counts)
            return showCaption(m_show);
        return widgets::text(m_table.unit == TableUnit::Persons ? kTableUnitPersons : kTableUnitHouseholds);
    }
    if (column == m_table.columnCount())
        return widgets::text(kTableTotal);
    return QString::fromStdString(m_table.columnCategories[static_cast<std::size_t>(column)].label);
}

QString TableModel::corner() const
{
    return m_table.columns ? m_rowsName + QLatin1String(" / ") + m_columnsName : m_rowsName;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section < rowCount() ? rowHeading(section) : QVariant();
    return section < columnCount() ? columnHeading(section) : QVariant();
}

QString TableModel::text(QChar separator) const
{
    if (rowCount() == 0)
        return {};
    QString out = field(corner(), separator);
    for (int c = 0; c < columnCount(); ++c)
        out += separator + field(columnHeading(c), separator);
    out += QLatin1Char('\n');
    for (int r = 0; r < rowCount(); ++r) {
        out += field(rowHeading(r), separator);
        for (int c = 0; c < columnCount(); ++c)
            out += separator + cellText(r, m_table.columns ? c : 0, false);
        out += QLatin1Char('\n');
    }
    return out;
}

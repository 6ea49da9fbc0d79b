#pragma once

#include "tables/Table.h"

#include <QAbstractTableModel>
#include <QString>

/// A finished table as the Tables page shows it: a row per row category and a
/// column per column category, each headed by its code and label, then the totals
/// row and (for a two-way table) the totals column. Cells hold counts or
/// percentages as `show` asks.
class TableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TableModel(QObject* parent = nullptr);

    /// Shows `table`; `rowsName` and `columnsName` head the sides ("Tenure", "ward").
    void setTable(Table table, const QString& rowsName, const QString& columnsName);
    /// No table: no rows, no columns.
    void clear();
    void setShow(TableShow show);

    const Table& table() const { return m_table; }
    TableShow show() const { return m_show; }
    bool hasTable() const { return m_hasTable; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// The table as shown, with its headings, one line per row, fields separated by
    /// a tab (which spreadsheets paste as cells; tabs and line breaks inside labels
    /// become blanks) or a comma (CSV, fields quoted where they need it). Numbers
    /// carry no thousands separators. Lines end in "\n".
    QString text(QChar separator) const;

private:
    /// The cell's number as shown: grouped counts for the view, plain ones to export.
    QString cellText(int row, int column, bool grouped) const;
    QString rowHeading(int row) const;
    QString columnHeading(int column) const;
    QString corner() const;

    Table m_table;
    bool m_hasTable = false;
    TableShow m_show = TableShow::Counts;
    QString m_rowsName;
    QString m_columnsName;
};

#pragma once

#include "base/ListBox.h"

#include <QObject>

#include <functional>
#include <vector>

class QItemSelection;
class QListWidget;
class QModelIndex;

/// A QListWidget seen through the ListBox interface, raising changed() whenever its
/// selection changes, whether the user or the program changed it, and from inside
/// the call that changed it.
///
/// The selected state of every row is mirrored from the selection model's change
/// signals, so reading it costs nothing; asking the widget row by row is far too
/// slow for a list of eleven thousand wards. addRows inserts and selects in one go.
class ListWidgetAdapter : public QObject, public ListBox {
    Q_OBJECT

public:
    /// The adapter becomes a child of `widget`, which must use single-column rows
    /// and keep its own selection model.
    explicit ListWidgetAdapter(QListWidget* widget);

    QListWidget* widget() const { return m_widget; }
    /// Called with the first and last row of every batch addRows adds, to give those
    /// rows their tool tips.
    void setRowsAdded(std::function<void(int first, int last)> rowsAdded) { m_rowsAdded = std::move(rowsAdded); }

    int count() const override;
    void clear() override;
    void addRow(const std::string& text) override;
    void removeRow(int row) override;
    bool isSelected(int row) const override;
    void setSelected(int row, bool selected) override;
    void setEnabled(bool enabled) override;
    void addRows(const std::vector<std::string>& texts, bool selected) override;
    void setSelectedRows(const std::vector<int>& rows) override;

signals:
    /// The selection changed; the mirror is already up to date.
    void changed();

private:
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void onRowsInserted(const QModelIndex& parent, int first, int last);
    void onRowsRemoved(const QModelIndex& parent, int first, int last);

    QListWidget* m_widget;
    std::vector<char> m_selected; // one entry per row, kept the same length as the widget
    bool m_restoreFocus = false;
    std::function<void(int, int)> m_rowsAdded;
};

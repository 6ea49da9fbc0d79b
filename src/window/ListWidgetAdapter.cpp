#include "window/ListWidgetAdapter.h"

#include "window/DisplayText.h"

#include <QItemSelectionModel>
#include <QListWidget>

#include <algorithm>

ListWidgetAdapter::ListWidgetAdapter(QListWidget* widget)
    : QObject(widget)
    , m_widget(widget)
    , m_selected(static_cast<std::size_t>(widget->count()), 0)
{
    for (int row = 0; row < widget->count(); ++row)
        m_selected[row] = widget->item(row)->isSelected() ? 1 : 0;
    QAbstractItemModel* model = widget->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &ListWidgetAdapter::onRowsInserted);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ListWidgetAdapter::onRowsRemoved);
    // The model, not the widget: the widget may be half destroyed when its model is cleared.
    connect(model, &QAbstractItemModel::modelReset, this,
        [this, model] { m_selected.assign(static_cast<std::size_t>(model->rowCount()), 0); });
    // Straight from the selection model rather than itemSelectionChanged, so that the
    // mirror is updated before anyone hears of the change.
    connect(
        widget->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListWidgetAdapter::onSelectionChanged);
}

void ListWidgetAdapter::onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    auto apply = [this](const QItemSelection& ranges, char value) {
        for (const QItemSelectionRange& range : ranges) {
            int top = std::max(range.top(), 0);
            int bottom = std::min(range.bottom(), static_cast<int>(m_selected.size()) - 1);
            if (top <= bottom)
                std::fill(m_selected.begin() + top, m_selected.begin() + bottom + 1, value);
        }
    };
    apply(deselected, 0);
    apply(selected, 1);
    emit changed();
}

void ListWidgetAdapter::onRowsInserted(const QModelIndex&, int first, int last)
{
    m_selected.insert(m_selected.begin() + first, static_cast<std::size_t>(last - first + 1), 0);
}

void ListWidgetAdapter::onRowsRemoved(const QModelIndex&, int first, int last)
{
    m_selected.erase(m_selected.begin() + first, m_selected.begin() + last + 1);
}

int ListWidgetAdapter::count() const
{
    return m_widget->count();
}

void ListWidgetAdapter::clear()
{
    m_widget->clear();
}

void ListWidgetAdapter::addRow(const std::string& text)
{
    m_widget->addItem(displayText(text));
}

void ListWidgetAdapter::removeRow(int row)
{
    delete m_widget->takeItem(row);
}

bool ListWidgetAdapter::isSelected(int row) const
{
    return row >= 0 && row < static_cast<int>(m_selected.size()) && m_selected[row] != 0;
}

void ListWidgetAdapter::setSelected(int row, bool selected)
{
    QModelIndex index = m_widget->model()->index(row, 0);
    m_widget->selectionModel()->select(index, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void ListWidgetAdapter::setEnabled(bool enabled)
{
    // Disabling a focused widget sends the focus on to the next control; a list that
    // is only being rebuilt for a moment gets it back.
    if (!enabled && m_widget->isEnabled() && m_widget->window()->focusWidget() == m_widget)
        m_restoreFocus = true;
    m_widget->setEnabled(enabled);
    if (enabled && m_restoreFocus) {
        m_restoreFocus = false;
        m_widget->setFocus(Qt::OtherFocusReason);
    }
}

void ListWidgetAdapter::addRows(const std::vector<std::string>& texts, bool selected)
{
    if (texts.empty())
        return;
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        labels.append(displayText(text));
    const int first = m_widget->count();
    const int last = first + static_cast<int>(texts.size()) - 1;
    // One insertion and one selection, each a single model change and notification;
    // without repaints in between, which would lay out every row each time.
    const bool updates = m_widget->updatesEnabled();
    m_widget->setUpdatesEnabled(false);
    m_widget->addItems(labels);
    if (m_rowsAdded)
        m_rowsAdded(first, last);
    if (selected) {
        QAbstractItemModel* model = m_widget->model();
        m_widget->selectionModel()->select(
            QItemSelection(model->index(first, 0), model->index(last, 0)), QItemSelectionModel::Select);
    }
    m_widget->setUpdatesEnabled(updates);
}

void ListWidgetAdapter::setSelectedRows(const std::vector<int>& rows)
{
    QAbstractItemModel* model = m_widget->model();
    QItemSelection selection;
    // Runs of consecutive rows as one range each.
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        selection.select(model->index(rows[i], 0), model->index(rows[j], 0));
        i = j + 1;
    }
    m_widget->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

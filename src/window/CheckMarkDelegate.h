#pragma once

#include <QStyledItemDelegate>

/// Draws a list row with a check mark that shows whether the row is selected, in
/// place of the selection highlight. Only the drawing changes: selecting a row is
/// still a click, a control-click or a shift-click.
class CheckMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

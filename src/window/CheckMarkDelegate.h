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

class QListWidget;

/// Makes the check marks of `list` toggle: a click on a row's check mark, or Space,
/// turns that one row on or off and keeps the rest of the selection; a click on the
/// text still selects as before.
void toggleOnCheckMark(QListWidget* list);

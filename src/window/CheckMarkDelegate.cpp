#include "window/CheckMarkDelegate.h"

void CheckMarkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    option->features |= QStyleOptionViewItem::HasCheckIndicator;
    option->checkState = selected ? Qt::Checked : Qt::Unchecked;
    option->state.setFlag(QStyle::State_Selected, false);
}

#include "window/CheckMarkDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

void CheckMarkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    option->features |= QStyleOptionViewItem::HasCheckIndicator;
    option->checkState = selected ? Qt::Checked : Qt::Unchecked;
    option->state.setFlag(QStyle::State_Selected, false);
}

namespace {

class CheckMarkToggle : public QObject {
public:
    explicit CheckMarkToggle(QListWidget* list)
        : QObject(list)
        , m_list(list)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = m_list->indexAt(mouse->position().toPoint());
            m_swallowRelease = mouse->button() == Qt::LeftButton && index.isValid()
                && onCheckMark(index, mouse->position().toPoint());
            if (m_swallowRelease)
                toggle(index);
            return m_swallowRelease;
        }
        case QEvent::MouseButtonRelease: {
            // The view would otherwise select the row alone on release.
            const bool swallow = m_swallowRelease;
            m_swallowRelease = false;
            return swallow;
        }
        case QEvent::MouseMove:
            return m_swallowRelease;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (watched == m_list && key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier
                && m_list->currentIndex().isValid()) {
                toggle(m_list->currentIndex());
                return true;
            }
            return false;
        }
        default:
            return false;
        }
    }

private:
    bool onCheckMark(const QModelIndex& index, QPoint at) const
    {
        QStyleOptionViewItem option;
        option.initFrom(m_list->viewport());
        option.rect = m_list->visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        QStyle* style = m_list->style();
        QRect mark = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, m_list);
        // The margin around the mark counts as the mark.
        return at.x() <= mark.right() + style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
    }

    void toggle(const QModelIndex& index)
    {
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        m_list->selectionModel()->select(index, QItemSelectionModel::Toggle);
    }

    QListWidget* m_list;
    bool m_swallowRelease = false;
};

} // namespace

void toggleOnCheckMark(QListWidget* list)
{
    auto* filter = new CheckMarkToggle(list);
    list->viewport()->installEventFilter(filter);
    list->installEventFilter(filter);
}

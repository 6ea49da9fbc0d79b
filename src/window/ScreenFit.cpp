#include "window/ScreenFit.h"

#include <QScrollArea>
#include <QStyle>
#include <QWidget>

#include <algorithm>

QRect fittedGeometry(const QSize& preferred, const QMargins& frame, const QRect& available)
{
    const QRect inside = available.marginsRemoved(frame);
    const QSize size(std::min(preferred.width(), inside.width()), std::min(preferred.height(), inside.height()));
    QRect geometry(QPoint(), size);
    geometry.moveCenter(inside.center());
    return geometry;
}

QMargins expectedFrame(const QWidget& window)
{
    if (window.isVisible()) {
        const QRect outer = window.frameGeometry();
        const QRect inner = window.geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom());
    }
    const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return QMargins(border, title + border, border, border);
}

QWidget* scrollable(QWidget* page, const char* name, const QString& accessibleName)
{
    auto* area = new QScrollArea;
    area->setObjectName(QString::fromLatin1(name));
    area->setAccessibleName(accessibleName);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls; the area follows them
    area->setWidget(page);
    return area;
}

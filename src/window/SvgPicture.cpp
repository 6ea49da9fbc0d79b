#include "window/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap svgPixmap(const QString& resource, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon svgIcon(const QString& resource)
{
    QIcon icon;
    for (int side : { 16, 24, 32, 48, 64, 128 })
        icon.addPixmap(svgPixmap(resource, QSize(side, side)));
    return icon;
}

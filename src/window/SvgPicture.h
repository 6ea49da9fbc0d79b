#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

/// The pictures are SVG resources, drawn here rather than through Qt's image plugins,
/// which a minimal installation may lack.
QPixmap svgPixmap(const QString& resource, QSize size, qreal devicePixelRatio = 1.0);

/// An icon with the resource drawn at the usual icon sizes.
QIcon svgIcon(const QString& resource);

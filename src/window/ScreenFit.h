#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

/// The geometry inside its frame of a window that would like `preferred`: that size
/// where `available` allows it, smaller where not, placed so that the window with
/// its `frame` lies centred inside `available`.
QRect fittedGeometry(const QSize& preferred, const QMargins& frame, const QRect& available);

/// The frame the window system draws around `window`: measured once it is shown,
/// before that a title bar and thin borders as the style draws them.
QMargins expectedFrame(const QWidget& window);

/// `page` inside a scroll area spoken as `accessibleName`, so that a page larger
/// than a small screen still shows every control.
QWidget* scrollable(QWidget* page, const char* name, const QString& accessibleName);

#pragma once

#include <QColor>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

/// The building blocks the window's pages share, so that every page names its
/// controls, captions them and speaks them the same way. Captions are the UTF-8
/// texts of WindowTexts.h.
namespace widgets {

QString text(const char* utf8);

/// A caption as a screen reader should say it for the control it heads.
QString spoken(const char* caption);

/// A path as the window shows it, and back, in the file system's encoding.
QString fromPath(const std::string& path);
std::string toPath(const QString& text);
/// A path the user typed: as toPath, with a leading "~/" standing for the home folder.
std::string userPath(const QString& text);

/// The colour for greyed example text on `background`, as far from the text colour
/// as a contrast of at least 4.5:1 allows.
QColor hintColor(const QColor& text, const QColor& background);
/// The contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);
/// An example caption, greyed but still readable.
QLabel* hintLabel(const char* name, const char* caption);

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* label(const char* name, const char* caption);
QLabel* boldLabel(const char* name, const char* caption);
/// A boxed note that wraps its text.
QLabel* framedLabel(const char* name, const char* caption);

/// A list with extended selection, spoken as `accessibleName`; `heading`, when
/// given, becomes its label.
QListWidget* listBox(const char* name, const QString& accessibleName, QLabel* heading);
/// The same, drawing a check mark in place of the selection highlight.
QListWidget* checkList(const char* name, const QString& accessibleName, QLabel* heading);

QLineEdit* textBox(const char* name, const QString& accessibleName);

/// A push button, option button or check box captioned and spoken as `caption`.
template <typename Button> Button* button(const char* name, const char* caption)
{
    auto* b = named(new Button(text(caption)), name);
    b->setAccessibleName(spoken(caption));
    return b;
}

/// A Definitions button: the book picture, spoken as "Definitions", described by
/// `description` (also its tool tip).
QPushButton* definitionsButton(const char* name, const char* description);

/// A centred SVG picture, 240 by 160, spoken as `description`.
QLabel* picture(const char* name, const char* resource, const QString& description, qreal ratio);

} // namespace widgets

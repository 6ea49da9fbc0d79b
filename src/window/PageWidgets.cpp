#include "window/PageWidgets.h"

#include "window/CheckMarkDelegate.h"
#include "window/SvgPicture.h"
#include "window/WindowTexts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace widgets {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString spoken(const char* caption)
{
    return text(caption).remove(QLatin1Char('\n')).trimmed();
}

QString fromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toPath(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

std::string userPath(const QString& text)
{
    if (text.startsWith(QLatin1String("~/")))
        return toPath(QDir::homePath() + text.mid(1));
    return toPath(text);
}

namespace {

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    double la = luminance(a);
    double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor hintColor(const QColor& text, const QColor& background)
{
    // From the background towards the text colour until the text is readable; a
    // little above 4.5 so that rounding to 8-bit channels cannot fall below it.
    for (int step = 0; step <= 20; ++step) {
        double t = step / 20.0;
        QColor mixed = QColor::fromRgbF(static_cast<float>(background.redF() + t * (text.redF() - background.redF())),
            static_cast<float>(background.greenF() + t * (text.greenF() - background.greenF())),
            static_cast<float>(background.blueF() + t * (text.blueF() - background.blueF())));
        if (contrastRatio(mixed, background) >= 4.6)
            return mixed;
    }
    return text;
}

QLabel* hintLabel(const char* name, const char* caption)
{
    QLabel* l = label(name, caption);
    QPalette palette = l->palette();
    palette.setColor(
        QPalette::WindowText, hintColor(palette.color(QPalette::WindowText), palette.color(QPalette::Window)));
    l->setPalette(palette);
    return l;
}

QLabel* label(const char* name, const char* caption)
{
    auto* l = named(new QLabel(text(caption)), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* boldLabel(const char* name, const char* caption)
{
    QLabel* l = label(name, caption);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    return l;
}

QLabel* framedLabel(const char* name, const char* caption)
{
    QLabel* l = label(name, caption);
    l->setFrameShape(QFrame::StyledPanel);
    l->setWordWrap(true);
    l->setMargin(6);
    return l;
}

QListWidget* listBox(const char* name, const QString& accessibleName, QLabel* heading)
{
    auto* list = named(new QListWidget, name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setAccessibleName(accessibleName);
    if (heading)
        heading->setBuddy(list);
    return list;
}

QListWidget* checkList(const char* name, const QString& accessibleName, QLabel* heading)
{
    QListWidget* list = listBox(name, accessibleName, heading);
    list->setItemDelegate(new CheckMarkDelegate(list));
    toggleOnCheckMark(list);
    return list;
}

QLineEdit* textBox(const char* name, const QString& accessibleName)
{
    auto* box = named(new QLineEdit, name);
    box->setAccessibleName(accessibleName);
    return box;
}

QPushButton* definitionsButton(const char* name, const char* description)
{
    auto* b = named(new QPushButton, name);
    b->setIcon(svgIcon(QStringLiteral(":/shell/definitions.svg")));
    b->setIconSize(QSize(32, 32));
    b->setAccessibleName(text(kOriginalDefinitionsCaption));
    b->setAccessibleDescription(text(description));
    b->setToolTip(text(description));
    return b;
}

QLabel* picture(const char* name, const char* resource, const QString& description, qreal ratio)
{
    auto* l = named(new QLabel, name);
    l->setPixmap(svgPixmap(QLatin1String(resource), QSize(240, 160), ratio));
    l->setAccessibleName(description);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace widgets

#include "window/PageWidgets.h"

#include "window/CheckMarkDelegate.h"
#include "window/SvgPicture.h"
#include "window/WindowTexts.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
    b->setAccessibleName(text(kLabel34));
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

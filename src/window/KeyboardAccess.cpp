#include "window/KeyboardAccess.h"

#include "window/PageWidgets.h"

#include <QAbstractButton>
#include <QTabWidget>

QString withMnemonic(const char* caption, QChar letter)
{
    QString shown = QString::fromUtf8(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
    const qsizetype at = shown.indexOf(letter);
    if (at >= 0)
        shown.insert(at, QLatin1Char('&'));
    return shown;
}

void setMnemonic(QAbstractButton* button, const char* caption, QChar letter)
{
    if (button->accessibleName().isEmpty())
        button->setAccessibleName(widgets::spoken(caption));
    button->setText(withMnemonic(caption, letter));
}

void setMnemonic(QTabWidget* tabs, int index, const char* caption, QChar letter)
{
    tabs->setTabText(index, withMnemonic(caption, letter));
}

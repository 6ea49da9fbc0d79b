#include "window/WindowMenu.h"

#include "base/Version.h"
#include "window/KeyboardAccess.h"
#include "window/MessageBoxDialogs.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

using widgets::spoken;
using widgets::text;

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption, QChar letter)
{
    QMenu* menu = bar->addMenu(withMnemonic(caption, letter));
    menu->setObjectName(QString::fromLatin1(name));
    menu->setAccessibleName(spoken(caption));
    return menu;
}

QAction* addAction(QMenu* menu, const char* name, const char* caption, QChar letter, const QKeySequence& keys)
{
    QAction* action = menu->addAction(withMnemonic(caption, letter));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    // Screen readers speak a menu item's text without its "&": the caption itself.
    return action;
}

} // namespace

void WindowMenu::build()
{
    menuBar = widgets::named(new QMenuBar, "menuBar");
    menuBar->setAccessibleName(QStringLiteral("Menu bar"));
    mnuFile = addMenu(menuBar, "mnuFile", kMenuFile, u'F');
    actOpenRequest = addAction(mnuFile, "actOpenRequest", kOpenRequest, u'O', QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuOpenRecent = mnuFile->addMenu(withMnemonic(kOpenRecent, u'R'));
    mnuOpenRecent->setObjectName(QStringLiteral("mnuOpenRecent"));
    mnuOpenRecent->setAccessibleName(spoken(kOpenRecent));
    mnuOpenRecent->addSeparator();
    actClearRecent = addAction(mnuOpenRecent, "actClearRecent", kClearRecent, u'C', QKeySequence());
    actSaveRequest = addAction(mnuFile, "actSaveRequest", kSaveRequest, u'S', QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFile->addSeparator();
    actQuit = addAction(mnuFile, "actQuit", kQuit, u'Q', QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuHelp = addMenu(menuBar, "mnuHelp", kMenuHelp, u'H');
    actVariableDefinitions
        = addAction(mnuHelp, "actVariableDefinitions", kVariableDefinitions, u'V', QKeySequence(Qt::Key_F1));
    actAbout = addAction(mnuHelp, "actAbout", kAbout, u'A', QKeySequence());
}

QMessageBox* showAbout(QWidget* parent)
{
    const QString body = text(kAboutVersion).arg(QString::fromUtf8(kProgramName), QString::fromUtf8(kProgramVersion))
        + QStringLiteral("\n") + text(kAboutLicence) + QStringLiteral("\n\n") + text(kIntroSubtitle)
        + QStringLiteral("\n\n") + text(kDemoDataNotice).trimmed() + QStringLiteral("\n\n") + text(kContactLines);
    QMessageBox* box = tell(parent, QMessageBox::Information, "aboutBox", text(kAbout), body);
    box->setAccessibleName(text(kAbout));
    return box;
}

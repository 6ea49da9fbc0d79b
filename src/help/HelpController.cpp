#include "HelpController.h"

#include "help/HelpWindow.h"

HelpController::HelpController(QObject* parent)
    : QObject(parent)
{
}

HelpController::~HelpController()
{
    // A closed window may still be waiting for its deferred deletion, which never
    // comes once the event loop has ended.
    delete m_window.data();
}

void HelpController::showHelp(const QString& pagePath)
{
    m_helpPage = pagePath;
    if (!m_window) {
        m_window = new HelpWindow;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        // Forget a closed window at once, not when its deferred deletion runs, so
        // that a showHelp() in between opens a new window instead of reviving it.
        connect(m_window, &HelpWindow::closed, this, [this] { m_window = nullptr; });
    }
    m_window->setHomePage(m_helpPage);
    m_window->navigate(m_helpPage);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void HelpController::closeHelp()
{
    if (m_window)
        m_window->close();
}

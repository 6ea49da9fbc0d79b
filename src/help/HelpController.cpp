#include "HelpController.h"

#include "help/HelpWindow.h"

HelpController::HelpController(QObject* parent)
    : QObject(parent)
{
}

HelpController::~HelpController()
{
    // An open help window goes with its owner; a closed one is already on its way.
    delete m_window.data();
}

void HelpController::showHelp(const QString& pagePath)
{
    m_helpPage = pagePath;
    if (!m_window) {
        auto* window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        // Forget a closed window at once, not when its deferred deletion runs, so
        // that a showHelp() in between opens a new window instead of reviving it.
        connect(window, &HelpWindow::closed, this, [this, window] {
            if (m_window == window)
                m_window = nullptr;
        });
        m_window = window;
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

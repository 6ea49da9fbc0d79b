#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class HelpWindow;

/// Opens the help pages for the main window and keeps the help page that was asked
/// for last (the help window's home page), also while no help window exists. The
/// window is created on demand, deletes itself when closed, and is created again by
/// the next showHelp().
class HelpController : public QObject {
    Q_OBJECT

public:
    /// The two help pages, as file names in the glossary folder.
    static constexpr char kOriginalVariablesPage[] = "Original_Variables.htm";
    static constexpr char kDerivedVariablesPage[] = "Derived_Variables.htm";

    explicit HelpController(QObject* parent = nullptr);
    /// Deletes a help window that is still open.
    ~HelpController() override;

    /// Makes `pagePath` (a plain file path) the help page, creates the help window
    /// if there is none, shows the page in it and brings the window to the front.
    void showHelp(const QString& pagePath);
    /// The help page asked for last; empty before the first showHelp().
    QString helpPage() const { return m_helpPage; }
    /// Closes the help window if it is open; the help page is kept.
    void closeHelp();
    /// The help window, or null while none is open.
    HelpWindow* window() const { return m_window; }

private:
    QString m_helpPage;
    QPointer<HelpWindow> m_window;
};

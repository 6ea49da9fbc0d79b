#pragma once

#include <QString>
#include <QWidget>

class HelpBrowser;
class QToolButton;

/// The help window, frmWebBrowser: Home, Back, Forward and Exit above a page view
/// with its own history. Its caption is the shown page's title, or the default
/// caption while the page has none. On creation it takes four fifths of its
/// screen's available width and height; it loads nothing by itself.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    /// The page Home leads to, a plain file path.
    void setHomePage(const QString& path);
    QString homePage() const { return m_homePage; }

    /// Shows the local file at `path`; it joins the history.
    void navigate(const QString& path);

    HelpBrowser* browser() const { return m_browser; }

    /// Four fifths of `available` in each direction, worked out in single
    /// precision and rounded to whole pixels.
    static QSize initialSize(const QSize& available);

public slots:
    void goHome();
    void goBack();
    void goForward();

signals:
    /// The window was closed (Exit or the close control); with WA_DeleteOnClose it
    /// goes away once control returns to the event loop.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* addButton(
        const char* name, const char* text, const char* tip, const char* accessibleName, const QString& icon);
    void updateCaption();

    QString m_homePage;
    HelpBrowser* m_browser = nullptr;
};

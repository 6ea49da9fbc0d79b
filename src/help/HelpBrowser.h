#pragma once

#include <QTextBrowser>

/// The page view of the help window. Over a plain QTextBrowser it adds what a user
/// of local help pages expects: a missing or unreadable page shows a short page that
/// names the path (not an empty view), pages that are not UTF-8 and declare no
/// encoding are read as Latin-1 (help pages written on Windows often are), and
/// external links (http, mailto, ...) open in the desktop's own browser while the
/// help page stays.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    /// Shows the local file at `path`, a plain path rather than a URL; a relative
    /// path is taken from the working directory. The page joins the history.
    void navigate(const QString& path);

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};

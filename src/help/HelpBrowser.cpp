#include "HelpBrowser.h"

#include "help/HelpTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextDocument>

namespace {

QString problemPage(const char* title, const char* lead, const QString& path, const QString& reason = {})
{
    QString page
        = QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2><p>%2</p><p><code>%3</code></p>")
              .arg(QString::fromUtf8(title).toHtmlEscaped(), QString::fromUtf8(lead).toHtmlEscaped(),
                  path.toHtmlEscaped());
    if (!reason.isEmpty())
        page += QStringLiteral("<p>%1</p>").arg(reason.toHtmlEscaped());
    return page + QStringLiteral("</body></html>");
}

// The page's own declaration (or a byte order mark) decides; with none, UTF-8 when
// the bytes are valid UTF-8, else Latin-1, so that no page shows replacement marks.
QString decodePage(const QByteArray& bytes)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (decoder.isValid()) {
        QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(true);
    setOpenExternalLinks(true);
}

void HelpBrowser::navigate(const QString& path)
{
    setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), QTextDocument::HtmlResource);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::HtmlResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);

    const QString path = name.toLocalFile();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return problemPage(HelpTexts::kNotFoundTitle, HelpTexts::kNotFoundLead, path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return problemPage(HelpTexts::kUnreadableTitle, HelpTexts::kUnreadableLead, path, file.errorString());
    return decodePage(file.readAll());
}

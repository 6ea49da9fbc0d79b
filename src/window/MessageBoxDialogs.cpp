#include "window/MessageBoxDialogs.h"

#include "extraction/ExtractMessage.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton show(QWidget* parent, const ExtractMessage& message, bool defaultNo = false)
{
    const bool question = message.buttons == MessageButtons::YesNo;
    QMessageBox box(boxIcon(message.icon), QString::fromUtf8(kMessageTitle),
        QString::fromStdString(message.joined("\n")), question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        parent);
    asPlainText(box);
    box.setDefaultButton(question ? (defaultNo ? QMessageBox::No : QMessageBox::Yes) : QMessageBox::Ok);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void asPlainText(QMessageBox& box)
{
    // A path or a name from a data file may hold characters that rich text would
    // swallow or act on.
    box.setTextFormat(Qt::PlainText);
}

QMessageBox* tell(QWidget* parent, QMessageBox::Icon icon, const char* objectName, const QString& title, const QString& text)
{
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    asPlainText(*box);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

MessageBoxDialogs::MessageBoxDialogs(QWidget* parent)
    : m_parent(parent)
{
}

bool MessageBoxDialogs::askYesNo(const ExtractMessage& message)
{
    return show(m_parent, message) == QMessageBox::Yes;
}

bool MessageBoxDialogs::askYesNoDefaultNo(const ExtractMessage& message)
{
    return show(m_parent, message, true) == QMessageBox::Yes;
}

void MessageBoxDialogs::inform(const ExtractMessage& message)
{
    show(m_parent, message);
}

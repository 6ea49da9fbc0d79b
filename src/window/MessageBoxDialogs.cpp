#include "window/MessageBoxDialogs.h"

#include "extraction/ExtractMessage.h"
#include "session/StartupTexts.h"
#include "window/PageWidgets.h"
#include "window/Startup.h"
#include "window/WindowTexts.h"

#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

#include <exception>
#include <memory>

using widgets::fromPath;
using widgets::text;

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

QString MessageBoxDialogs::chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

QString MessageBoxDialogs::chooseFile(
    QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString MessageBoxDialogs::chooseSaveFile(
    QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

StartupDialogs::Answer MessageBoxDialogs::offer(const std::string& report, const std::string& demoFolder)
{
    QMessageBox box(QMessageBox::Critical, text(kStartupFailedTitle),
        QString::fromStdString(report) + text(kStartupOfferEnd).arg(fromPath(demoFolder)));
    asPlainText(box);
    QPushButton* choose = box.addButton(text(kStartupChooseFolder), QMessageBox::ActionRole);
    QPushButton* demo = box.addButton(text(kStartupCreateDemo), QMessageBox::ActionRole);
    QPushButton* quit = box.addButton(text(kStartupQuit), QMessageBox::RejectRole);
    box.setDefaultButton(quit);
    box.setEscapeButton(quit);
    box.exec();
    if (box.clickedButton() == choose)
        return Answer::ChooseFolder;
    if (box.clickedButton() == demo)
        return Answer::CreateDemo;
    return Answer::Quit;
}

std::optional<std::string> MessageBoxDialogs::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(nullptr, text(kStartupChooseTitle), QDir::homePath());
    if (folder.isEmpty())
        return std::nullopt;
    return widgets::toPath(folder);
}

void MessageBoxDialogs::writeWithProgress(const std::string& folder, const std::function<void()>& work)
{
    QProgressDialog progress(text(kDemoWriting).arg(fromPath(folder)), QString(), 0, 0);
    progress.setWindowTitle(text(kStartupFailedTitle));
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.show();

    // The writing runs on its own thread so that the busy display keeps moving.
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
}

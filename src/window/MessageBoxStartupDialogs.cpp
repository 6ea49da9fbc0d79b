#include "window/MessageBoxStartupDialogs.h"

#include "session/StartupTexts.h"
#include "window/MessageBoxDialogs.h"
#include "window/PageWidgets.h"
#include "window/Startup.h"
#include "window/WindowTexts.h"

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

StartupDialogs::Answer MessageBoxStartupDialogs::offer(const std::string& report, const std::string& demoFolder)
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

std::optional<std::string> MessageBoxStartupDialogs::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(nullptr, text(kStartupChooseTitle), QDir::homePath());
    if (folder.isEmpty())
        return std::nullopt;
    return widgets::toPath(folder);
}

void MessageBoxStartupDialogs::writeWithProgress(const std::string& folder, const std::function<void()>& work)
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

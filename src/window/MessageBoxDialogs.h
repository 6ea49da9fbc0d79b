#pragma once

#include "extraction/ExtractDialogs.h"
#include "window/FileChooser.h"
#include "window/StartupDialogs.h"

#include <QMessageBox>
#include <QString>

class QWidget;

/// Every message box of the window shows its text as it is, never as rich text.
void asPlainText(QMessageBox& box);

/// A note over `parent` with only OK, shown without waiting and deleted when closed;
/// `objectName` names it for tests and assistive technology. The one way the window
/// tells the user something outside the Extract command's own messages.
QMessageBox* tell(QWidget* parent, QMessageBox::Icon icon, const char* objectName, const QString& title, const QString& text);

/// Where the window really asks the user, in one place: the Extract command's
/// questions and messages as modal message boxes over `parent` (titled "ZENDRA91",
/// one line of the message per line of text, Yes the default button of a question
/// unless it asks for No), paths through the toolkit's file dialogs, and start-up's
/// offer when the data cannot be loaded. Tests stand in for each role through its
/// interface (ExtractDialogs, FileChooser, StartupDialogs).
class MessageBoxDialogs : public ExtractDialogs, public FileChooser, public StartupDialogs {
public:
    /// `parent` is not owned; null before the window exists (start-up).
    explicit MessageBoxDialogs(QWidget* parent = nullptr);

    bool askYesNo(const ExtractMessage& message) override;
    bool askYesNoDefaultNo(const ExtractMessage& message) override;
    void inform(const ExtractMessage& message) override;

    QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override;
    QString chooseFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;

    Answer offer(const std::string& report, const std::string& demoFolder) override;
    std::optional<std::string> chooseFolder() override;
    void writeWithProgress(const std::string& folder, const std::function<void()>& work) override;

private:
    QWidget* m_parent;
};

#pragma once

#include "extraction/ExtractDialogs.h"

#include <QMessageBox>
#include <QString>

class QWidget;

/// Every message box of the window shows its text as it is, never as rich text.
void asPlainText(QMessageBox& box);

/// A note over `parent` with only OK, shown without waiting and deleted when closed;
/// `objectName` names it for tests and assistive technology. The one way the window
/// tells the user something outside the Extract command's own messages.
QMessageBox* tell(QWidget* parent, QMessageBox::Icon icon, const char* objectName, const QString& title, const QString& text);

/// The Extract command's messages as modal message boxes over `parent`: titled
/// "ZENDRA91", one line of the message per line of text, Yes the default button
/// of a question unless it asks for No.
class MessageBoxDialogs : public ExtractDialogs {
public:
    /// `parent` is not owned.
    explicit MessageBoxDialogs(QWidget* parent);

    bool askYesNo(const ExtractMessage& message) override;
    bool askYesNoDefaultNo(const ExtractMessage& message) override;
    void inform(const ExtractMessage& message) override;

private:
    QWidget* m_parent;
};

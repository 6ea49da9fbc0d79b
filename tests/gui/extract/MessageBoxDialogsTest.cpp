#include "extraction/ExtractMessage.h"
#include "window/MessageBoxDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(ExtractMessage)

class MessageBoxDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheMessageAndReturnsTheAnswer_data();
    void showsTheMessageAndReturnsTheAnswer();
};

void MessageBoxDialogsTest::showsTheMessageAndReturnsTheAnswer_data()
{
    QTest::addColumn<ExtractMessage>("message");
    // Title, text, icon, buttons and default button as the box shows them.
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("press");
    QTest::newRow("M4 question") << ExtractMessage::householdFileOnly()
                                 << "ZENDRA91|Cannot create a combined file:\nonly household variables selected.\n\n"
                                    "Create household file only?|4|no,yes|yes"
                                 << int(QMessageBox::No);
    QTest::newRow("M9 no icon") << ExtractMessage::done()
                                << "ZENDRA91|Data successfully extracted\nQuit program?|0|no,yes|yes"
                                << int(QMessageBox::Yes);
    QTest::newRow("failure, plain text") << ExtractMessage::extractionFailed("cannot create file /o/<x>_hh.txt")
                                         << "ZENDRA91|Data extraction failed:\ncannot create file /o/<x>_hh.txt\n\n"
                                            "No output file was changed.|3|ok|ok"
                                         << int(QMessageBox::Ok);
}

void MessageBoxDialogsTest::showsTheMessageAndReturnsTheAnswer()
{
    QFETCH(ExtractMessage, message);
    QFETCH(QString, shown);
    QFETCH(int, press);
    QWidget parent;
    parent.show();
    MessageBoxDialogs dialogs(&parent);

    QString seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QStringList buttons;
        for (QAbstractButton* b : box->buttons())
            buttons << b->text().remove('&').toLower();
        buttons.sort(); // the order differs between styles
        seen = QStringList { box->windowTitle(), box->textFormat() == Qt::PlainText ? box->text() : "rich text",
            QString::number(box->icon()), buttons.join(','), box->defaultButton()->text().remove('&').toLower() }
                   .join('|');
        box->button(static_cast<QMessageBox::StandardButton>(press))->click();
    });
    if (message.buttons == MessageButtons::YesNo)
        QCOMPARE(dialogs.askYesNo(message), press == QMessageBox::Yes);
    else
        dialogs.inform(message);
    QCOMPARE(seen, shown);
}

QTEST_MAIN(MessageBoxDialogsTest)
#include "MessageBoxDialogsTest.moc"

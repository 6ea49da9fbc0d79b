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
    void enterGivesTheDefaultAnswer_data()
    {
        QTest::addColumn<ExtractMessage>("message");
        QTest::addColumn<bool>("defaultNo"); // asked as a question whose default is No
        QTest::addColumn<bool>("answer"); // what Enter answers
        QTest::newRow("question") << ExtractMessage::householdFileOnly() << false << true;
        // Enter must not replace earlier output files.
        QTest::newRow("replacing") << ExtractMessage::overwrite({ "/o/Zen91_hh.txt" }) << true << false;
        QTest::newRow("failure") << ExtractMessage::extractionFailed("cannot create file /o/<x>_hh.txt") << false
                                 << false;
    }

    // The text as plain text, since a path may hold "<".
    void enterGivesTheDefaultAnswer()
    {
        QFETCH(ExtractMessage, message);
        QFETCH(bool, defaultNo);
        QFETCH(bool, answer);
        QWidget parent;
        parent.show();
        MessageBoxDialogs dialogs(&parent);
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = box->textFormat() == Qt::PlainText ? box->text() : QStringLiteral("rich text");
            QTest::keyClick(box, Qt::Key_Return);
        });
        if (message.buttons != MessageButtons::YesNo)
            dialogs.inform(message);
        else
            QCOMPARE(defaultNo ? dialogs.askYesNoDefaultNo(message) : dialogs.askYesNo(message), answer);
        QCOMPARE(seen, QString::fromStdString(message.joined("\n")));
    }
};

QTEST_MAIN(MessageBoxDialogsTest)
#include "MessageBoxDialogsTest.moc"

#include "extraction/ExtractMessage.h"
#include "window/MessageBoxDialogs.h"

#include "TestWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(ExtractMessage)

class MessageBoxDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheMessageAndReturnsTheAnswer_data()
    {
        QTest::addColumn<ExtractMessage>("message");
        QTest::addColumn<QString>("shown"); // icon, buttons and default button, after the text
        QTest::addColumn<int>("press");
        QTest::newRow("question") << ExtractMessage::householdFileOnly() << "4|no,yes|yes" << int(QMessageBox::No);
        QTest::newRow("failure") << ExtractMessage::extractionFailed("cannot create file /o/<x>_hh.txt") << "3|ok|ok"
                                 << int(QMessageBox::Ok);
    }

    // The text as plain text, since a path may hold "<"; the answer is the button pressed.
    void showsTheMessageAndReturnsTheAnswer()
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
            QVERIFY(box);
            QStringList buttons;
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&').toLower();
            buttons.sort(); // the order differs between styles
            seen = (box->textFormat() == Qt::PlainText ? box->text() : "rich text") + "|" + QString::number(box->icon())
                + "|" + buttons.join(',') + "|" + box->defaultButton()->text().remove('&').toLower();
            box->button(static_cast<QMessageBox::StandardButton>(press))->click();
        });
        if (message.buttons == MessageButtons::YesNo)
            QCOMPARE(dialogs.askYesNo(message), press == QMessageBox::Yes);
        else
            dialogs.inform(message);
        QCOMPARE(seen, QString::fromStdString(message.joined("\n")) + "|" + shown);
    }

    // Enter must not replace earlier output files: the window asks with No as the default.
    void replacingAsksWithNoAsTheDefault()
    {
        TestWindow f;
        f.chooseWard(FixtureData::kWard3Eds);
        f.dialogs.script("M2=Yes");
        f.extract();
        f.dir.write("Zen91/Zen91_hh.txt", "earlier\r\n");

        MessageBoxDialogs boxes(f.window.get());
        f.window->setDialogs(boxes);
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = box->text().section('\n', 0, 0) + "|" + box->defaultButton()->text().remove('&');
            box->defaultButton()->click();
        });
        f.extract();
        f.window->setDialogs(f.dialogs);
        QCOMPARE(seen, "Replace the existing files?|No");
        QCOMPARE(readFile(f.dir.file("Zen91/Zen91_hh.txt")), std::string("earlier\r\n"));
    }
};

QTEST_MAIN(MessageBoxDialogsTest)
#include "MessageBoxDialogsTest.moc"

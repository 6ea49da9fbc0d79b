#include "help/HelpBrowser.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"

#include "TempDir.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QToolButton>

namespace {

QString shown(const HelpWindow* window)
{
    return window->browser()->source().toLocalFile();
}

void click(HelpWindow* window, const char* button)
{
    QTest::mouseClick(window->findChild<QToolButton*>(QString::fromUtf8(button)), Qt::LeftButton);
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A second page opens in the same window; an untitled page must not keep the
    // previous page's title, and a missing one names its path. Pages that declare no
    // encoding read right in UTF-8 and in Latin-1. Home returns to the page the
    // window was opened on; Back and Forward walk the history and stop at its ends.
    // A closed window is forgotten at once: help pressed again before its deferred
    // deletion has run opens a new window.
    void captionNavigationAndClosing()
    {
        TempDir dir;
        auto page
            = [&dir](const char* name, const char* html) { return QString::fromStdString(dir.write(name, html)); };
        const QString original = page("Original_Variables.htm",
            "<html><head><title>Original variables</title></head><body><p>original</p></body></html>");
        const QString derived = page("Derived_Variables.htm",
            "<html><head><title>Derived variables</title></head><body><p>Caf\xc3\xa9</p></body></html>");
        const QString latin1 = page("Untitled.htm", "<html><body><p>Caf\xe9</p></body></html>");
        HelpController help;
        help.showHelp(original);
        HelpWindow* window = help.window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(shown(window), original);
        QCOMPARE(window->windowTitle(), QStringLiteral("Original variables"));
        help.showHelp(derived);
        QCOMPARE(help.window(), window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Derived variables"));
        QCOMPARE(window->browser()->toPlainText().trimmed(), QStringLiteral("Caf\u00e9"));
        window->navigate(latin1);
        QCOMPARE(window->windowTitle(), QStringLiteral("Quorvale Web Browser"));
        QCOMPARE(window->browser()->toPlainText().trimmed(), QStringLiteral("Caf\u00e9"));
        const QString missing = QString::fromStdString(dir.file("NoGlossary/Original_Variables.htm"));
        window->navigate(missing);
        QCOMPARE(window->windowTitle(), QStringLiteral("Page not found"));
        QVERIFY2(window->browser()->toPlainText().contains(missing), qPrintable(window->browser()->toPlainText()));

        click(window, "cmdHome");
        QCOMPARE(shown(window), derived);
        for (int i = 0; i < 5; ++i) // one more than the history holds
            click(window, "cmdBack");
        QCOMPARE(shown(window), original);
        click(window, "cmdForward");
        QCOMPARE(shown(window), derived);

        QPointer<HelpWindow> first = window;
        click(window, "cmdCloseBrowser");
        QVERIFY(!first->isVisible() && !help.window());
        help.showHelp(original);
        QPointer<HelpWindow> second = help.window();
        QVERIFY(second && second != first && second->isVisible());
        QCOMPARE(shown(second), original);
        // Escape closes it too.
        QApplication::setActiveWindow(second);
        QVERIFY(QTest::qWaitForWindowActive(second));
        QTest::keyClick(second, Qt::Key_Escape);
        QVERIFY((!second || !second->isVisible()) && !help.window());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

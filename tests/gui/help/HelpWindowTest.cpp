#include "help/HelpBrowser.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"

#include "TempDir.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QString kDefaultCaption = QStringLiteral("Quorvale Web Browser");

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

    QString page(const char* name) const { return QString::fromStdString(m_dir.file(name)); }

    TempDir m_dir;
    const QString m_original = page("Original_Variables.htm");
    const QString m_derived = page("Derived_Variables.htm");
    std::unique_ptr<HelpController> m_help;

private slots:
    void initTestCase()
    {
        m_dir.write("Original_Variables.htm",
            "<html><head><title>Original variables</title></head><body><p>original</p></body></html>");
        m_dir.write("Derived_Variables.htm",
            "<html><head><title>Derived variables</title></head><body><p>derived</p></body></html>");
        m_dir.write("Untitled.htm", "<html><body><p>no title</p></body></html>");
    }

    void init() { m_help = std::make_unique<HelpController>(); }
    void cleanup() { m_help.reset(); }

    // A second page opens in the same window; an untitled page must not keep the
    // previous page's title, and a missing one names its path. Home returns to the
    // page the window was opened on; Back and Forward walk the history and stop at
    // its ends.
    void captionAndNavigationFollowThePages()
    {
        m_help->showHelp(m_original);
        HelpWindow* window = m_help->window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(shown(window), m_original);
        QCOMPARE(window->windowTitle(), QStringLiteral("Original variables"));
        m_help->showHelp(m_derived);
        QCOMPARE(m_help->window(), window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Derived variables"));
        window->navigate(page("Untitled.htm"));
        QCOMPARE(window->windowTitle(), kDefaultCaption);
        const QString missing = page("NoGlossary/Original_Variables.htm");
        window->navigate(missing);
        QCOMPARE(window->windowTitle(), QStringLiteral("Page not found"));
        QVERIFY2(window->browser()->toPlainText().contains(missing), qPrintable(window->browser()->toPlainText()));

        click(window, "cmdHome");
        QCOMPARE(shown(window), m_derived);
        for (int i = 0; i < 5; ++i) // one more than the history holds
            click(window, "cmdBack");
        QCOMPARE(shown(window), m_original);
        click(window, "cmdForward");
        QCOMPARE(shown(window), m_derived);
    }

    void reopensAfterClosingOnTheOtherPage()
    {
        m_help->showHelp(m_original);
        QPointer<HelpWindow> first = m_help->window();
        click(first, "cmdCloseBrowser");
        QVERIFY(!first->isVisible() && !m_help->window());

        // Pressed again before the closed window's deferred deletion has run: a new window.
        m_help->showHelp(m_derived);
        QPointer<HelpWindow> second = m_help->window();
        QVERIFY(second && second != first && second->isVisible());
        QCOMPARE(shown(second), m_derived);

        // Escape closes it.
        QApplication::setActiveWindow(second);
        QVERIFY(QTest::qWaitForWindowActive(second));
        QTest::keyClick(second, Qt::Key_Escape);
        QVERIFY((!second || !second->isVisible()) && !m_help->window());
    }

    void pageEncodingIsDetected_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8, undeclared") << QByteArray("<p>Caf\xc3\xa9 \xc2\xa3</p>");
        QTest::newRow("Latin-1, undeclared") << QByteArray("<p>Caf\xe9 \xa3</p>");
    }

    void pageEncodingIsDetected()
    {
        QFETCH(QByteArray, bytes);
        HelpWindow window;
        window.navigate(QString::fromStdString(m_dir.write("Encoded.htm", bytes.toStdString())));
        QCOMPARE(window.browser()->toPlainText().trimmed(), QStringLiteral("Caf\u00e9 \u00a3"));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

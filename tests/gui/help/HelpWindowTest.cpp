#include "help/HelpBrowser.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"

#include "TempDir.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBlock>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QString kDefaultCaption = QStringLiteral("Quorvale Web Browser");
const QString kOriginalTitle = QStringLiteral("Original variables");
const QString kDerivedTitle = QStringLiteral("Derived variables");

int visibleWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() ? 1 : 0;
    return count;
}

QString shown(HelpWindow* window)
{
    return window->browser()->source().toLocalFile();
}

QToolButton* button(HelpWindow* window, const char* name)
{
    return window->findChild<QToolButton*>(QString::fromUtf8(name));
}

void click(HelpWindow* window, const char* name)
{
    QTest::mouseClick(button(window, name), Qt::LeftButton);
}

// Clicks the middle of the link to `href`, as a user would.
bool clickLink(HelpBrowser* browser, const QString& href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(it.fragment().position() + it.fragment().length() / 2);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
            return true;
        }
    }
    return false;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensThePageWithItsTitleAsCaption();
    void linksHomeBackAndForward();
    void reopensAfterClosingOnTheOtherPage();
    void sizeIsFourFifthsOfTheAvailableScreen();
    void missingPageNamesThePath_data();
    void missingPageNamesThePath();
    void pageEncodingIsDetected_data();
    void pageEncodingIsDetected();

private:
    QString page(const char* name) const { return QString::fromStdString(m_dir->file(name)); }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<HelpController> m_help;
    QString m_original;
    QString m_derived;
};

void HelpWindowTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dir->write("Original_Variables.htm",
        "<html><head><title>Original variables</title></head><body><p>ORIGINAL-PAGE</p>"
        "<p><a href=\"Derived_Variables.htm\">derived</a></p>"
        "</body></html>");
    m_dir->write("Derived_Variables.htm",
        "<html><head><title>Derived variables</title></head><body><p>DERIVED-PAGE</p>"
        "<p><a href=\"Original_Variables.htm\">original</a></p></body></html>");
    m_dir->write("Untitled.htm", "<html><body><p>no title</p></body></html>");
    m_original = page("Original_Variables.htm");
    m_derived = page("Derived_Variables.htm");
    m_help = std::make_unique<HelpController>();
}

void HelpWindowTest::cleanup()
{
    m_help.reset();
    m_dir.reset();
}

void HelpWindowTest::opensThePageWithItsTitleAsCaption()
{
    QVERIFY(m_help->window() == nullptr);
    m_help->showHelp(m_original);
    HelpWindow* window = m_help->window();
    QVERIFY(window && window->isVisible());
    QCOMPARE(m_help->helpPage(), m_original);
    QCOMPARE(shown(window), m_original);
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("ORIGINAL-PAGE")));
    QCOMPARE(window->windowTitle(), kOriginalTitle);

    // A second press reuses the open window.
    m_help->showHelp(m_derived);
    QCOMPARE(m_help->window(), window);
    QCOMPARE(window->windowTitle(), kDerivedTitle);

    // Before any title, and for a page without one, the default caption: an
    // untitled page must not keep the previous page's title.
    HelpWindow fresh;
    QCOMPARE(fresh.windowTitle(), kDefaultCaption);
    fresh.navigate(page("Untitled.htm"));
    QCOMPARE(fresh.windowTitle(), kDefaultCaption);
    fresh.navigate(m_original);
    fresh.navigate(page("Untitled.htm"));
    QCOMPARE(fresh.windowTitle(), kDefaultCaption);
    fresh.goBack();
    QCOMPARE(fresh.windowTitle(), kOriginalTitle);
}

// Home returns to the page the window was opened on; Back and Forward stop quietly
// at the ends of the history.
void HelpWindowTest::linksHomeBackAndForward()
{
    m_help->showHelp(m_original);
    HelpWindow* window = m_help->window();
    const int windows = visibleWindows();
    window->goBack();
    window->goForward();
    QCOMPARE(shown(window), m_original);

    QVERIFY(clickLink(window->browser(), QStringLiteral("Derived_Variables.htm")));
    QCOMPARE(shown(window), m_derived);
    QCOMPARE(window->windowTitle(), kDerivedTitle);
    click(window, "cmdHome");
    QCOMPARE(shown(window), m_original);
    QCOMPARE(window->windowTitle(), kOriginalTitle);
    for (int i = 0; i < 3; ++i) // one more than the history holds
        click(window, "cmdBack");
    QCOMPARE(shown(window), m_original);
    click(window, "cmdForward");
    QCOMPARE(shown(window), m_derived);
    QCOMPARE(window->windowTitle(), kDerivedTitle);
    for (int i = 0; i < 2; ++i)
        click(window, "cmdForward");
    QCOMPARE(shown(window), m_original);
    QCOMPARE(visibleWindows(), windows);
}

void HelpWindowTest::reopensAfterClosingOnTheOtherPage()
{
    m_help->closeHelp(); // nothing open: nothing happens
    m_help->showHelp(m_original);
    QPointer<HelpWindow> first = m_help->window();
    click(first, "cmdCloseBrowser");
    QVERIFY(!first->isVisible());
    QVERIFY(m_help->window() == nullptr);
    QCOMPARE(m_help->helpPage(), m_original);

    // Pressed again before the closed window's deferred deletion has run.
    m_help->showHelp(m_derived);
    QPointer<HelpWindow> second = m_help->window();
    QVERIFY(second && second != first && second->isVisible());
    QCOMPARE(second->windowTitle(), kDerivedTitle);
    click(second, "cmdBack"); // the history went with the old window
    QCOMPARE(shown(second), m_derived);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());

    QVERIFY(clickLink(second->browser(), QStringLiteral("Original_Variables.htm")));
    click(second, "cmdHome");
    QCOMPARE(shown(second), m_derived);

    // Closing the main window closes the help window; its owner going takes it along.
    m_help->closeHelp();
    QVERIFY(m_help->window() == nullptr && !second->isVisible());
    m_help->showHelp(m_original);
    QPointer<HelpWindow> third = m_help->window();
    m_help.reset();
    QVERIFY(third.isNull());
}

void HelpWindowTest::sizeIsFourFifthsOfTheAvailableScreen()
{
    m_help->showHelp(m_original);
    HelpWindow* window = m_help->window();
    const QSize screen = window->screen()->availableGeometry().size();
    QVERIFY(qAbs(window->width() - screen.width() * 4 / 5) <= 1);
    QVERIFY(qAbs(window->height() - screen.height() * 4 / 5) <= 1);

    // The page view fills the window and follows it when the user resizes it.
    HelpBrowser* browser = window->browser();
    QVERIFY(browser->x() < 20 && browser->width() > window->width() * 9 / 10);
    const QSize before = browser->size();
    window->resize(window->size() + QSize(100, 80));
    QTRY_COMPARE(browser->size(), before + QSize(100, 80));
}

void HelpWindowTest::missingPageNamesThePath_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing file") << "Absent.htm";
    QTest::newRow("missing folder") << "NoGlossary/Original_Variables.htm";
}

void HelpWindowTest::missingPageNamesThePath()
{
    QFETCH(QString, relative);
    const QString path = page(relative.toUtf8().constData());

    m_help->showHelp(path);
    HelpWindow* window = m_help->window();
    QVERIFY(window && window->isVisible());
    const QString text = window->browser()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("could not be found")) && text.contains(path), qPrintable(text));
    QCOMPARE(window->windowTitle(), QStringLiteral("Page not found"));
    QCOMPARE(visibleWindows(), 1);

    // A good page still shows afterwards.
    window->navigate(m_original);
    QCOMPARE(window->windowTitle(), kOriginalTitle);
}

void HelpWindowTest::pageEncodingIsDetected_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8, undeclared") << QByteArray("<p>Caf\xc3\xa9 \xc2\xa3</p>");
    QTest::newRow("Latin-1, undeclared") << QByteArray("<p>Caf\xe9 \xa3</p>");
    QTest::newRow("windows-1252, declared")
        << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                      "</head><body><p>Caf\xe9 \xa3</p></body></html>");
}

void HelpWindowTest::pageEncodingIsDetected()
{
    QFETCH(QByteArray, bytes);
    HelpWindow window;
    window.navigate(QString::fromStdString(m_dir->write("Encoded.htm", bytes.toStdString())));
    QCOMPARE(window.browser()->toPlainText().trimmed(), QStringLiteral("Caf\u00e9 \u00a3"));
}

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

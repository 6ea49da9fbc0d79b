#include "help/HelpBrowser.h"
#include "help/HelpController.h"
#include "help/HelpWindow.h"

#include "TempDir.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QScreen>
#include <QTextBlock>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const char* const kOriginalHtml = "<html><head><title>Original variables</title></head><body>"
                                  "<p>ORIGINAL-PAGE</p>"
                                  "<p><a href=\"Derived_Variables.htm\">derived</a></p>"
                                  "<p><a href=\"https://example.org/sar\">outside</a></p>"
                                  "</body></html>";
const char* const kDerivedHtml = "<html><head><title>Derived variables</title></head><body>"
                                 "<p>DERIVED-PAGE</p><p><a href=\"Original_Variables.htm\">original</a></p>"
                                 "</body></html>";

// Records the external links handed to the desktop instead of launching anything.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

int visibleTopLevels()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() ? 1 : 0;
    return count;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensPageWithItsTitleAsCaption();
    void captionIsDefaultWhileThePageHasNoTitle();
    void buttonsStandInOneRowAndAreAlike_data();
    void buttonsStandInOneRowAndAreAlike();
    void homeReturnsToHelpPageAfterFollowingALink();
    void backAndForwardWalkTheHistoryAndStopAtItsEnds();
    void reopensAfterClosingOnTheOtherPage();
    void closeHelpClosesAnOpenWindowAndKeepsThePage();
    void sizeIsFourFifthsOfTheAvailableScreen();
    void initialSizeRounds_data();
    void initialSizeRounds();
    void pageViewFollowsTheWindowSize();
    void missingPageShowsWhatWasNotFound_data();
    void missingPageShowsWhatWasNotFound();
    void pageEncodingIsDetected_data();
    void pageEncodingIsDetected();
    void externalLinkGoesToTheDesktop();

private:
    QString original() const { return QString::fromStdString(m_dir->file("Original_Variables.htm")); }
    QString derived() const { return QString::fromStdString(m_dir->file("Derived_Variables.htm")); }
    static QString shown(HelpWindow* window) { return window->browser()->source().toLocalFile(); }
    static QToolButton* button(HelpWindow* window, const char* name)
    {
        return window->findChild<QToolButton*>(QString::fromUtf8(name));
    }
    static void click(HelpWindow* window, const char* name) { QTest::mouseClick(button(window, name), Qt::LeftButton); }
    static void clickLink(HelpBrowser* browser, const QString& href);

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<HelpController> m_help;
};

void HelpWindowTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dir->write("Original_Variables.htm", kOriginalHtml);
    m_dir->write("Derived_Variables.htm", kDerivedHtml);
    m_help = std::make_unique<HelpController>();
}

void HelpWindowTest::cleanup()
{
    m_help.reset();
    m_dir.reset();
}

// Clicks the middle of the link to `href`, as a user would.
void HelpWindowTest::clickLink(HelpBrowser* browser, const QString& href)
{
    QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no link to %1").arg(href)));
}

void HelpWindowTest::opensPageWithItsTitleAsCaption()
{
    QVERIFY(m_help->window() == nullptr);
    m_help->showHelp(original());

    HelpWindow* window = m_help->window();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->objectName(), QStringLiteral("frmWebBrowser"));
    QCOMPARE(m_help->helpPage(), original());
    QCOMPARE(shown(window), original());
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("ORIGINAL-PAGE")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Original variables"));

    // A second press while the window is open reuses it.
    m_help->showHelp(derived());
    QCOMPARE(m_help->window(), window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Derived variables"));
}

void HelpWindowTest::captionIsDefaultWhileThePageHasNoTitle()
{
    m_dir->write("Untitled.htm", "<html><body><p>no title</p></body></html>");
    const QString untitled = QString::fromStdString(m_dir->file("Untitled.htm"));
    const QString defaultCaption = QStringLiteral("Quorvale Web Browser");

    HelpWindow window;
    QCOMPARE(window.windowTitle(), defaultCaption);
    window.navigate(untitled);
    QCOMPARE(window.windowTitle(), defaultCaption);
    window.navigate(original());
    QCOMPARE(window.windowTitle(), QStringLiteral("Original variables"));
    // An untitled page must not keep the previous page's title.
    window.navigate(untitled);
    QCOMPARE(window.windowTitle(), defaultCaption);
    window.goBack();
    QCOMPARE(window.windowTitle(), QStringLiteral("Original variables"));
}

void HelpWindowTest::buttonsStandInOneRowAndAreAlike_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("home") << "cmdHome"
                          << "Home"
                          << "Home page"
                          << "Home";
    QTest::newRow("back") << "cmdBack"
                          << "<< Back"
                          << "Go back"
                          << "<< Back";
    QTest::newRow("forward") << "cmdForward"
                             << "Forward >>"
                             << "Go forward"
                             << "Forward >>";
    QTest::newRow("close") << "cmdCloseBrowser"
                           << ""
                           << "Exit"
                           << "Exit";
}

void HelpWindowTest::buttonsStandInOneRowAndAreAlike()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    QFETCH(QString, accessibleName);

    m_help->showHelp(original());
    HelpWindow* window = m_help->window();
    auto* target = window->findChild<QToolButton*>(name);
    QVERIFY(target != nullptr);
    QCOMPARE(target->text(), text);
    QCOMPARE(target->toolTip(), tip);
    QCOMPARE(target->accessibleName(), accessibleName);
    QVERIFY(!target->icon().isNull());
    QVERIFY(!target->icon().pixmap(24, 24).isNull());

    QToolButton* home = button(window, "cmdHome");
    QToolButton* back = button(window, "cmdBack");
    QToolButton* forward = button(window, "cmdForward");
    QToolButton* exit = button(window, "cmdCloseBrowser");
    QCOMPARE(target->width(), target->height());
    QCOMPARE(target->size(), home->size());
    QCOMPARE(target->y(), home->y());
    QVERIFY(home->x() < back->x() && back->x() < forward->x() && forward->x() < exit->x());
    // The gap before Exit is wider than the spacing between the other three.
    QVERIFY(exit->x() - forward->geometry().right() > forward->x() - back->geometry().right());
    QVERIFY(window->browser()->y() > home->geometry().bottom());
}

void HelpWindowTest::homeReturnsToHelpPageAfterFollowingALink()
{
    m_help->showHelp(original());
    HelpWindow* window = m_help->window();
    clickLink(window->browser(), QStringLiteral("Derived_Variables.htm"));
    QCOMPARE(shown(window), derived());
    QCOMPARE(window->windowTitle(), QStringLiteral("Derived variables"));

    click(window, "cmdHome");
    QCOMPARE(shown(window), original());
    QCOMPARE(window->windowTitle(), QStringLiteral("Original variables"));
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("ORIGINAL-PAGE")));
}

void HelpWindowTest::backAndForwardWalkTheHistoryAndStopAtItsEnds()
{
    m_help->showHelp(original());
    HelpWindow* window = m_help->window();
    const int windows = visibleTopLevels();

    click(window, "cmdBack");
    click(window, "cmdForward");
    window->goBack();
    window->goForward();
    QCOMPARE(shown(window), original());
    QCOMPARE(visibleTopLevels(), windows);

    clickLink(window->browser(), QStringLiteral("Derived_Variables.htm"));
    click(window, "cmdBack");
    QCOMPARE(shown(window), original());
    QCOMPARE(window->windowTitle(), QStringLiteral("Original variables"));
    click(window, "cmdBack");
    QCOMPARE(shown(window), original());

    click(window, "cmdForward");
    QCOMPARE(shown(window), derived());
    QCOMPARE(window->windowTitle(), QStringLiteral("Derived variables"));
    window->goForward();
    QCOMPARE(shown(window), derived());
    QCOMPARE(visibleTopLevels(), windows);
}

void HelpWindowTest::reopensAfterClosingOnTheOtherPage()
{
    m_help->showHelp(original());
    QPointer<HelpWindow> first = m_help->window();
    click(first, "cmdCloseBrowser");
    QVERIFY(!first->isVisible());
    QVERIFY(m_help->window() == nullptr);
    QCOMPARE(m_help->helpPage(), original());

    // Pressed again before the closed window's deferred deletion has run.
    m_help->showHelp(derived());
    HelpWindow* second = m_help->window();
    QVERIFY(second != nullptr && second != first);
    QVERIFY(second->isVisible());
    QCOMPARE(shown(second), derived());
    QCOMPARE(second->windowTitle(), QStringLiteral("Derived variables"));
    QCOMPARE(second->size(), HelpWindow::initialSize(second->screen()->availableGeometry().size()));

    // The history went with the old window.
    click(second, "cmdBack");
    QCOMPARE(shown(second), derived());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(m_help->window(), second);

    clickLink(second->browser(), QStringLiteral("Original_Variables.htm"));
    QCOMPARE(shown(second), original());
    click(second, "cmdHome");
    QCOMPARE(shown(second), derived());
}

void HelpWindowTest::closeHelpClosesAnOpenWindowAndKeepsThePage()
{
    m_help->closeHelp(); // nothing open: nothing happens
    QVERIFY(m_help->window() == nullptr);

    m_help->showHelp(original());
    QPointer<HelpWindow> window = m_help->window();
    m_help->closeHelp();
    QVERIFY(m_help->window() == nullptr);
    QVERIFY(!window->isVisible());
    QCOMPARE(m_help->helpPage(), original());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());

    // The owner going away takes an open window with it.
    m_help->showHelp(derived());
    window = m_help->window();
    m_help.reset();
    QVERIFY(window.isNull());
}

void HelpWindowTest::sizeIsFourFifthsOfTheAvailableScreen()
{
    m_help->showHelp(original());
    HelpWindow* window = m_help->window();
    const QSize available = window->screen()->availableGeometry().size();
    QVERIFY(qAbs(window->width() - available.width() * 4 / 5) <= 1);
    QVERIFY(qAbs(window->height() - available.height() * 4 / 5) <= 1);
}

void HelpWindowTest::initialSizeRounds_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("1920x1040") << QSize(1920, 1040) << QSize(1536, 832);
    QTest::newRow("1366x728") << QSize(1366, 728) << QSize(1093, 582);
    QTest::newRow("801x601") << QSize(801, 601) << QSize(641, 481);
}

void HelpWindowTest::initialSizeRounds()
{
    QFETCH(QSize, available);
    QFETCH(QSize, expected);
    QCOMPARE(HelpWindow::initialSize(available), expected);
}

// The page view fills the window below the buttons, so a resized window is not
// left with a page view stuck at its first size.
void HelpWindowTest::pageViewFollowsTheWindowSize()
{
    m_help->showHelp(original());
    HelpWindow* window = m_help->window();
    HelpBrowser* browser = window->browser();
    QVERIFY(browser->width() > window->width() * 9 / 10);
    QVERIFY(browser->x() < 20);

    const QSize before = browser->size();
    window->resize(window->size() + QSize(100, 80));
    QTRY_COMPARE(browser->size(), before + QSize(100, 80));
}

void HelpWindowTest::missingPageShowsWhatWasNotFound_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing file") << "Absent.htm";
    QTest::newRow("missing folder") << "NoGlossary/Original_Variables.htm";
}

void HelpWindowTest::missingPageShowsWhatWasNotFound()
{
    QFETCH(QString, relative);
    const QString path = QString::fromStdString(m_dir->file(relative.toStdString()));
    const int windows = visibleTopLevels();

    m_help->showHelp(path);
    HelpWindow* window = m_help->window();
    QVERIFY(window != nullptr && window->isVisible());
    const QString text = window->browser()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("could not be found")), qPrintable(text));
    QVERIFY2(text.contains(path), qPrintable(text));
    QCOMPARE(window->windowTitle(), QStringLiteral("Page not found"));
    QCOMPARE(visibleTopLevels(), windows + 1);

    // A good page afterwards shows normally, and Back returns to the notice.
    window->navigate(original());
    QCOMPARE(window->windowTitle(), QStringLiteral("Original variables"));
    window->goBack();
    QVERIFY(window->browser()->toPlainText().contains(path));
}

void HelpWindowTest::pageEncodingIsDetected_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8, undeclared") << QByteArray("<html><body><p>Caf\xc3\xa9 \xc2\xa3</p></body></html>");
    QTest::newRow("Latin-1, undeclared") << QByteArray("<html><body><p>Caf\xe9 \xa3</p></body></html>");
    QTest::newRow("windows-1252, declared")
        << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                      "</head><body><p>Caf\xe9 \xa3</p></body></html>");
}

void HelpWindowTest::pageEncodingIsDetected()
{
    QFETCH(QByteArray, bytes);
    const std::string path = m_dir->write("Encoded.htm", bytes.toStdString());
    HelpWindow window;
    window.navigate(QString::fromStdString(path));
    QCOMPARE(window.browser()->toPlainText().trimmed(), QStringLiteral("Caf\u00e9 \u00a3"));
}

void HelpWindowTest::externalLinkGoesToTheDesktop()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    m_help->showHelp(original());
    HelpWindow* window = m_help->window();

    clickLink(window->browser(), QStringLiteral("https://example.org/sar"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    QCOMPARE(recorder.opened, QList<QUrl> { QUrl(QStringLiteral("https://example.org/sar")) });
    QCOMPARE(shown(window), original());
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("ORIGINAL-PAGE")));
}

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

#include "HelpWindow.h"

#include "help/HelpBrowser.h"
#include "help/HelpTexts.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

// The icons are compiled into this static library; without an explicit call the
// linker may drop their registration. Must be called outside any namespace.
static void initHelpIcons()
{
    Q_INIT_RESOURCE(helpicons);
}

namespace {

constexpr int kIconSize = 28;
// Labels a little smaller than the body text keep the square buttons small.
constexpr qreal kLabelScale = 0.85;
constexpr int kCloseGap = 24;

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    initHelpIcons();
    setObjectName(QStringLiteral("frmWebBrowser"));
    setWindowTitle(QString::fromUtf8(HelpTexts::kDefaultCaption));

    QToolButton* home = addButton(
        "cmdHome", HelpTexts::kHomeText, HelpTexts::kHomeTip, HelpTexts::kHomeText, QStringLiteral(":/help/home.svg"));
    QToolButton* back = addButton(
        "cmdBack", HelpTexts::kBackText, HelpTexts::kBackTip, HelpTexts::kBackText, QStringLiteral(":/help/back.svg"));
    QToolButton* forward = addButton("cmdForward", HelpTexts::kForwardText, HelpTexts::kForwardTip,
        HelpTexts::kForwardText, QStringLiteral(":/help/forward.svg"));
    QToolButton* exit = addButton(
        "cmdCloseBrowser", "", HelpTexts::kCloseTip, HelpTexts::kCloseTip, QStringLiteral(":/help/close.svg"));

    // Small, square and alike: all four take the side of the widest.
    const QList<QToolButton*> buttons { home, back, forward, exit };
    int side = 0;
    for (QToolButton* button : buttons)
        side = std::max({ side, button->sizeHint().width(), button->sizeHint().height() });
    for (QToolButton* button : buttons)
        button->setFixedSize(side, side);

    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("WB"));

    auto* row = new QHBoxLayout;
    row->addWidget(home);
    row->addWidget(back);
    row->addWidget(forward);
    row->addSpacing(kCloseGap);
    row->addWidget(exit);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_browser, 1);

    connect(home, &QToolButton::clicked, this, &HelpWindow::goHome);
    connect(back, &QToolButton::clicked, this, &HelpWindow::goBack);
    connect(forward, &QToolButton::clicked, this, &HelpWindow::goForward);
    connect(exit, &QToolButton::clicked, this, &HelpWindow::close);
    // Escape does what Exit does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &HelpWindow::close);
    connect(m_browser, &HelpBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_browser, &HelpBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(m_browser, &HelpBrowser::sourceChanged, this, &HelpWindow::updateCaption);
    back->setEnabled(false);
    forward->setEnabled(false);

    resize(initialSize(screen()->availableGeometry().size()));
}

QSize HelpWindow::initialSize(const QSize& available)
{
    const float width = static_cast<float>(available.width());
    const float height = static_cast<float>(available.height());
    return QSize(qRound(width - width * 0.2f), qRound(height - height * 0.2f));
}

void HelpWindow::setHomePage(const QString& path)
{
    m_homePage = path;
}

void HelpWindow::navigate(const QString& path)
{
    m_browser->navigate(path);
}

void HelpWindow::goHome()
{
    if (!m_homePage.isEmpty())
        m_browser->navigate(m_homePage);
}

// At either end of the history the browser does nothing, which is what we want.
void HelpWindow::goBack()
{
    m_browser->backward();
}

void HelpWindow::goForward()
{
    m_browser->forward();
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

QToolButton* HelpWindow::addButton(
    const char* name, const char* text, const char* tip, const char* accessibleName, const QString& icon)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromUtf8(name));
    button->setText(QString::fromUtf8(text));
    button->setToolTip(QString::fromUtf8(tip));
    button->setAccessibleName(QString::fromUtf8(accessibleName));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(kIconSize, kIconSize));
    QFont font = button->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * kLabelScale);
    else
        font.setPixelSize(qRound(font.pixelSize() * kLabelScale));
    button->setFont(font);
    button->setToolButtonStyle(*text ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    return button;
}

// A page without a title shows the default caption rather than keeping the title
// of a page that is no longer shown.
void HelpWindow::updateCaption()
{
    const QString title = m_browser->documentTitle().trimmed();
    setWindowTitle(title.isEmpty() ? QString::fromUtf8(HelpTexts::kDefaultCaption) : title);
}

#include "window/IntroPage.h"

#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace widgets;

namespace {

QLabel* scaled(QLabel* label, qreal factor)
{
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    label->setFont(font);
    return label;
}

} // namespace

QWidget* IntroPage::build(qreal devicePixelRatio)
{
    auto* page = named(new QWidget, "Page1");
    QLabel* title = scaled(boldLabel("Label1", kIntroTitle), 2.6);
    QLabel* version = scaled(label("Label43", kIntroVersion), 1.3);
    QLabel* subtitle = boldLabel("Label36", kIntroSubtitle);
    subtitle->setWordWrap(true);
    QLabel* about = label("Label37", kIntroDescription);
    about->setWordWrap(true);
    about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QLabel* contact = label("Label38", kContactLines);
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* pictures = new QHBoxLayout;
    pictures->addStretch();
    pictures->addWidget(picture("Image1", ":/shell/intro-households.svg", text(kImage1Description), devicePixelRatio));
    pictures->addSpacing(24);
    pictures->addWidget(picture("Image2", ":/shell/intro-areas.svg", text(kImage2Description), devicePixelRatio));
    pictures->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(subtitle);
    layout->addSpacing(8);
    layout->addWidget(about);
    layout->addSpacing(12);
    layout->addLayout(pictures);
    layout->addStretch();
    layout->addWidget(contact);
    return page;
}

#include "window/AreasPage.h"

#include "base/CurrentSettings.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace widgets;

namespace {

struct AreaList {
    const char* list;
    const char* label;
    const char* heading;
    int stretch;
    int minimumRows;
};

// Indexed by AreaLevel; the longer lists get more of the height, and the
// countries list always shows all five of its rows.
const AreaList kAreaLists[kNumAreaLevels] = {
    { "lstCountries", "Label2", kLabel2, 2, 5 },
    { "lstRegions", "Label21", kLabel21, 3, 4 },
    { "lstCounties", "Label20", kLabel20, 3, 4 },
    { "lstDistricts", "Label19", kLabel19, 3, 4 },
    { "lstWards", "Label6", kLabel6, 4, 4 },
};

} // namespace

QWidget* AreasPage::build()
{
    auto* page = named(new QWidget, "pgSelectAreas");
    auto* layout = new QVBoxLayout(page);

    obSelectedAreas = button<QRadioButton>("obSelectedAreas", kObSelectedAreas);
    layout->addWidget(obSelectedAreas);

    findRow = new QHBoxLayout;
    layout->addLayout(findRow);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const AreaList& area = kAreaLists[i];
        QLabel* heading = label(area.label, area.heading);
        QListWidget* list = listBox(area.list, spoken(area.heading), heading);
        list->setMinimumHeight(area.minimumRows * (list->fontMetrics().height() + 1) + 2 * list->frameWidth() + 4);
        grid->addWidget(list, i, 0);
        grid->addWidget(heading, i, 1, Qt::AlignTop | Qt::AlignLeft);
        grid->setRowStretch(i, area.stretch);
        areaLists[i] = list;
    }
    layout->addLayout(grid, 1);
    lblSelectionSummary = named(new QLabel, "lblSelectionSummary");
    lblSelectionSummary->setAccessibleName(text(kSelectionSummarySpoken));
    lblSelectionSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblSelectionSummary);

    layout->addWidget(framedLabel("Label41", kLabel41));

    obUserEDlist = button<QRadioButton>("obUserEDlist", kObUserEDlist);
    txtUserEDlist = textBox("txtUserEDlist", spoken(kObUserEDlist));
    auto* edList = new QHBoxLayout;
    edList->addWidget(obUserEDlist);
    edList->addWidget(txtUserEDlist, 1);
    btBrowseEdList = button<QPushButton>("btBrowseEdList", kBrowse);
    btBrowseEdList->setAccessibleName(text(kBrowseEdListSpoken));
    edList->addWidget(btBrowseEdList);
    layout->addLayout(edList);
    QLabel* hint = label("Label8", kLabel8);
    hint->setIndent(24);
    layout->addWidget(hint);

    auto* group = new QButtonGroup(page);
    group->addButton(obSelectedAreas);
    group->addButton(obUserEDlist);
    return page;
}

QList<QWidget*> AreasPage::focusOrder() const
{
    QList<QWidget*> order { obSelectedAreas };
    for (QListWidget* list : areaLists)
        order << list;
    return order << obUserEDlist << txtUserEDlist << btBrowseEdList;
}

void AreasPage::mirrorInto(CurrentSettings& settings) const
{
    QObject::connect(txtUserEDlist, &QLineEdit::textChanged, txtUserEDlist,
        [&settings](const QString& path) { settings.edListFile = userPath(path); });
}

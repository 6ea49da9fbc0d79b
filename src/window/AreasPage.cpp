#include "window/AreasPage.h"

#include "window/FileChooser.h"
#include "window/ListWidgetAdapter.h"
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
    { "lstCountries", "Label2", kCountriesHeading, 2, 5 },
    { "lstRegions", "Label21", kRegionsHeading, 3, 4 },
    { "lstCounties", "Label20", kCountiesHeading, 3, 4 },
    { "lstDistricts", "Label19", kDistrictsHeading, 3, 4 },
    { "lstWards", "Label6", kWardsHeading, 4, 4 },
};

} // namespace

AreasPage::AreasPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pgSelectAreas"));
    auto* layout = new QVBoxLayout(this);

    m_areaListsOption = button<QRadioButton>("obSelectedAreas", kObSelectedAreas);
    layout->addWidget(m_areaListsOption);

    m_findRow = new QHBoxLayout;
    layout->addLayout(m_findRow);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const AreaList& area = kAreaLists[i];
        QLabel* heading = label(area.label, area.heading);
        QListWidget* list = listBox(area.list, spoken(area.heading), heading);
        list->setMinimumHeight(area.minimumRows * (list->fontMetrics().height() + 1) + 2 * list->frameWidth() + 4);
        // The lists share what height there is, never less than their minimum, so
        // that the page fits an ordinary screen without scrolling around them.
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        grid->addWidget(list, i, 0);
        grid->addWidget(heading, i, 1, Qt::AlignTop | Qt::AlignLeft);
        grid->setRowStretch(i, area.stretch);
        m_lists[i] = list;
        m_adapters[i] = new ListWidgetAdapter(list);
    }
    layout->addLayout(grid, 1);
    m_summary = named(new QLabel, "lblSelectionSummary");
    m_summary->setAccessibleDescription(text(kSelectionSummarySpoken));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_summary);

    layout->addWidget(framedLabel("Label41", kMultipleAreasNote));

    m_edListOption = button<QRadioButton>("obUserEDlist", kObUserEDlist);
    m_edListPath = textBox("txtUserEDlist", spoken(kObUserEDlist));
    auto* edList = new QHBoxLayout;
    edList->addWidget(m_edListOption);
    edList->addWidget(m_edListPath, 1);
    m_browseEdList = button<QPushButton>("btBrowseEdList", kBrowse);
    m_browseEdList->setAccessibleName(text(kBrowseEdListSpoken));
    edList->addWidget(m_browseEdList);
    layout->addLayout(edList);
    QLabel* hint = label("Label8", kEdListPathExample);
    hint->setIndent(24);
    layout->addWidget(hint);

    auto* group = new QButtonGroup(this);
    group->addButton(m_areaListsOption);
    group->addButton(m_edListOption);

    connect(m_edListOption, &QRadioButton::toggled, this, &AreasPage::switchWays);
    connect(m_edListPath, &QLineEdit::textChanged, this, &AreasPage::edListTextChanged);
    connect(m_browseEdList, &QPushButton::clicked, this, &AreasPage::browseEdList);
}

void AreasPage::startWith(const std::string& path)
{
    m_edListPath->setText(fromPath(path));
    m_areaListsOption->setChecked(true);
    m_edListPath->setEnabled(false);
    m_browseEdList->setEnabled(false);
}

bool AreasPage::edListChosen() const
{
    return m_edListOption->isChecked();
}

QString AreasPage::edListText() const
{
    return m_edListPath->text();
}

std::optional<std::string> AreasPage::edListChoice() const
{
    if (!edListChosen())
        return std::nullopt;
    return userPath(m_edListPath->text());
}

void AreasPage::chooseEdList(const std::string& path)
{
    // Switching to the ED list puts the area lists back to "All".
    m_edListOption->setChecked(true);
    m_edListPath->setText(fromPath(path));
}

void AreasPage::chooseAreaLists()
{
    m_areaListsOption->setChecked(true);
}

void AreasPage::addFinder(QWidget* finder, QWidget* focus)
{
    m_finder = finder;
    m_findRow->addWidget(finder);
    setTabOrder(m_areaListsOption, focus);
    setTabOrder(focus, m_lists[0]);
    finder->setEnabled(!edListChosen());
}

void AreasPage::showSummary(const QString& summary)
{
    m_summary->setText(summary);
    // Screen readers read the name; the counts are what they should hear.
    m_summary->setAccessibleName(summary);
}

void AreasPage::switchWays(bool edList)
{
    if (m_finder)
        m_finder->setEnabled(!edList);
    m_browseEdList->setEnabled(edList);
    m_edListPath->setEnabled(edList);
    for (ListWidgetAdapter* list : m_adapters)
        list->setEnabled(!edList);
    emit edListChosenChanged(edList);
}

void AreasPage::browseEdList()
{
    if (!m_chooser)
        return;
    const QString chosen = m_chooser->chooseFile(this, text(kChooseEdList), m_edListPath->text(), text(kEdListFilter));
    if (!chosen.isEmpty())
        m_edListPath->setText(chosen);
}

QList<QWidget*> AreasPage::focusOrder() const
{
    QList<QWidget*> order { m_areaListsOption };
    for (QListWidget* list : m_lists)
        order << list;
    return order << m_edListOption << m_edListPath << m_browseEdList;
}

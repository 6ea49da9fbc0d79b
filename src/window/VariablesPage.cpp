#include "window/VariablesPage.h"

#include "extraction/CaseSelector.h"
#include "extraction/SarTables.h"
#include "request/RequestChoices.h"
#include "session/RequestChoice.h"
#include "variables/VariableCatalogue.h"
#include "textio/DataFileError.h"
#include "window/CaseSelectionDialog.h"
#include "window/ListWidgetAdapter.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace widgets;

namespace {

/// The names and texts of one half of the page.
struct HalfTexts {
    const char* title;
    const char* titleText;
    const char* hhLabel;
    const char* hhCaption;
    const char* hhList;
    const char* indLabel;
    const char* indCaption;
    const char* indList;
    const char* defsLabel;
    const char* defsCaption;
    const char* help;
    const char* helpDescription;
    const char* reset;
    const char* resetDescription;
};

const HalfTexts kOriginal
    = { "Label15", kLabel15, "Label11", kLabel11, "lstHHVars_Orig", "Label13", kLabel13, "lstIndVars_Orig", "Label34",
          kLabel34, "cmdOrigVarHelp", kOrigVarHelpDescription, "cmdResetOrigVars", kResetOrigDescription };
const HalfTexts kDerived = { "Label25", kLabel25, "Label12", kLabel12, "lstHHVars_Derived", "Label14", kLabel14,
    "lstIndVars_Derived", "Label35", kLabel35, "cmdDerivedVarHelp", kDerivedVarHelpDescription, "cmdResetDerivedVars",
    kResetDerivedDescription };

struct Half {
    QListWidget* household;
    QListWidget* individual;
    QPushButton* help;
    QPushButton* reset;
};

/// Lays one half out from grid row `row` on: its title, the two headings, then the
/// household list, Definitions above Reset, and the individual list.
Half addHalf(QGridLayout* grid, int row, const HalfTexts& t)
{
    grid->addWidget(boldLabel(t.title, t.titleText), row, 0, 1, 3);
    QLabel* hhHeading = label(t.hhLabel, t.hhCaption);
    QLabel* indHeading = label(t.indLabel, t.indCaption);
    grid->addWidget(hhHeading, row + 1, 0);
    grid->addWidget(indHeading, row + 1, 2);

    Half half { checkList(t.hhList, spoken(t.hhCaption), hhHeading),
        checkList(t.indList, spoken(t.indCaption), indHeading), definitionsButton(t.help, t.helpDescription),
        button<QPushButton>(t.reset, kReset) };
    half.household->setAccessibleDescription(text(t.titleText));
    half.individual->setAccessibleDescription(text(t.titleText));
    half.reset->setAccessibleDescription(text(t.resetDescription));

    auto* middle = new QVBoxLayout;
    middle->addWidget(label(t.defsLabel, t.defsCaption), 0, Qt::AlignHCenter);
    middle->addWidget(half.help, 0, Qt::AlignHCenter);
    middle->addStretch();
    middle->addWidget(half.reset, 0, Qt::AlignHCenter);
    grid->addWidget(half.household, row + 2, 0);
    grid->addLayout(middle, row + 2, 1);
    grid->addWidget(half.individual, row + 2, 2);
    grid->setRowStretch(row + 2, 1);
    return half;
}

} // namespace

VariablesPage::VariablesPage(const VariableCatalogue& catalogue, QWidget* parent)
    : QWidget(parent)
    , m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("pgSelectVars"));
    auto* grid = new QGridLayout(this);

    const Half original = addHalf(grid, 0, kOriginal);
    grid->setRowMinimumHeight(3, 12);
    const Half derived = addHalf(grid, 4, kDerived);
    m_householdOriginal = original.household;
    m_individualOriginal = original.individual;
    m_originalDefinitions = original.help;
    m_originalReset = original.reset;
    m_householdDerived = derived.household;
    m_individualDerived = derived.individual;
    m_derivedDefinitions = derived.help;
    m_derivedReset = derived.reset;
    // The original variables have rows; the derived lists stay empty.
    grid->setRowStretch(2, 3);
    grid->setRowStretch(6, 1);
    grid->addWidget(caseSelectionRow(), 7, 0, 1, 3);

    auto* notes = new QVBoxLayout;
    notes->addWidget(framedLabel("Label45", kLabel45));
    notes->addWidget(framedLabel("Label42", kLabel42));
    notes->addWidget(framedLabel("Label44", kLabel44));
    notes->addStretch();
    grid->addLayout(notes, 1, 3, 6, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 2);

    m_householdAdapter = new ListWidgetAdapter(m_householdOriginal);
    m_individualAdapter = new ListWidgetAdapter(m_individualOriginal);
    connect(m_originalReset, &QPushButton::clicked, this, &VariablesPage::resetHouseholdAndIndividualVariables);
    connect(m_originalDefinitions, &QPushButton::clicked, this, &VariablesPage::originalDefinitionsRequested);
    connect(m_derivedDefinitions, &QPushButton::clicked, this, &VariablesPage::derivedDefinitionsRequested);
}

ListBox& VariablesPage::householdList() const
{
    return *m_householdAdapter;
}

ListBox& VariablesPage::individualList() const
{
    return *m_individualAdapter;
}

void VariablesPage::readChoices(RequestChoices& choices) const
{
    VariableNames names = selectedVariableNames(m_catalogue, *m_householdAdapter, *m_individualAdapter);
    choices.householdVariables = std::move(names.household);
    choices.individualVariables = std::move(names.individual);
    choices.caseSelection = m_caseSelection;
}

void VariablesPage::setChoices(const RequestChoices& choices)
{
    selectRequestVariables(m_catalogue, *m_householdAdapter, *m_individualAdapter, choices);
    setCaseSelection(choices.caseSelection);
}

void VariablesPage::resetHouseholdAndIndividualVariables()
{
    setDefaultVars(m_catalogue, *m_householdAdapter, *m_individualAdapter);
}

QList<QWidget*> VariablesPage::focusOrder() const
{
    return { m_householdOriginal, m_originalDefinitions, m_originalReset, m_individualOriginal, m_householdDerived,
        m_derivedDefinitions, m_derivedReset, m_individualDerived, m_selectCases };
}

// Below the lists: Select Cases... and what it chose.
QWidget* VariablesPage::caseSelectionRow()
{
    auto* row = named(new QWidget, "wCaseSelection");
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_selectCases = button<QPushButton>("btSelectCases", "Select Cases...");
    m_caseSelectionLabel = named(new QLabel, "lblCaseSelection");
    m_caseSelectionLabel->setAccessibleName(QStringLiteral("Case selection"));
    m_caseSelectionLabel->setWordWrap(true);
    m_caseSelectionLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout->addWidget(m_selectCases);
    layout->addWidget(m_caseSelectionLabel, 1);
    connect(m_selectCases, &QPushButton::clicked, this, &VariablesPage::editCaseSelection);
    setCaseSelection({});
    return row;
}

void VariablesPage::setCaseSources(const DataFolders& folders, const VariableLabels* labels)
{
    m_folders = &folders;
    m_labels = labels;
}

void VariablesPage::setCaseSelection(const CaseSelection& selection)
{
    m_caseSelection = selection;
    const QString shown = QString::fromStdString(caseSelectionText(selection, m_catalogue));
    m_caseSelectionLabel->setText(shown);
    m_caseSelectionLabel->setAccessibleDescription(shown);
}

void VariablesPage::editCaseSelection()
{
    if (!m_folders)
        return;
    SarTables sar;
    try {
        sar = loadSarTables(*m_folders);
    } catch (const DataFileError& e) {
        QMessageBox::warning(this, tr("Select Cases"), QString::fromStdString(e.what()));
        return;
    }
    CaseSelectionDialog dialog(m_catalogue, sar, m_labels, m_caseSelection, this);
    if (dialog.exec() == QDialog::Accepted)
        setCaseSelection(dialog.selection());
}

#include "window/VariablesPage.h"

#include "extraction/CaseSelector.h"
#include "extraction/SarTables.h"
#include "request/RequestChoices.h"
#include "session/RequestChoice.h"
#include "variables/VariableCatalogue.h"
#include "textio/DataFileError.h"
#include "variables/VariableLabels.h"
#include "window/CaseSelectionDialog.h"
#include "window/ListWidgetAdapter.h"
#include "window/MessageBoxDialogs.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
    = { "Label15", kOriginalVariablesTitle, "Label11", kOriginalHouseholdHeading, "lstHHVars_Orig", "Label13", kOriginalIndividualHeading, "lstIndVars_Orig", "Label34",
          kOriginalDefinitionsCaption, "cmdOrigVarHelp", kOrigVarHelpDescription, "cmdResetOrigVars", kResetOrigDescription };
const HalfTexts kDerived = { "Label25", kDerivedVariablesTitle, "Label12", kDerivedHouseholdHeading, "lstHHVars_Derived", "Label14", kDerivedIndividualHeading,
    "lstIndVars_Derived", "Label35", kDerivedDefinitionsCaption, "cmdDerivedVarHelp", kDerivedVarHelpDescription, "cmdResetDerivedVars",
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
    auto* page = new QVBoxLayout(this);
    page->addLayout(buildFindRow());
    auto* grid = new QGridLayout;
    page->addLayout(grid, 1);

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
    notes->addWidget(framedLabel("Label45", kDefaultVariablesNote));
    notes->addWidget(framedLabel("Label42", kMultipleVariablesNote));
    notes->addWidget(framedLabel("Label44", kDerivedVariablesNote));
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
    return { m_findVariable, m_householdOriginal, m_originalDefinitions, m_originalReset, m_individualOriginal,
        m_householdDerived, m_derivedDefinitions, m_derivedReset, m_individualDerived, m_selectCases };
}

namespace {

/// Where a row keeps what "Find variable:" searches, in lower case.
constexpr int kSearchTextRole = Qt::UserRole + 1;

} // namespace

QLayout* VariablesPage::buildFindRow()
{
    m_findVariable = new QLineEdit;
    m_findVariable->setObjectName(QStringLiteral("txtFindVariable"));
    m_findVariable->setAccessibleName(spoken(kFindVariable));
    m_findVariable->setAccessibleDescription(text(kFindVariableDescription));
    m_findVariable->setClearButtonEnabled(true);
    QLabel* caption = label("lblFindVariable", kFindVariable);
    caption->setBuddy(m_findVariable);
    connect(m_findVariable, &QLineEdit::textChanged, this, &VariablesPage::filterVariables);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_findVariable, 1);
    row->addStretch(2);
    return row;
}

void VariablesPage::describeVariables(const VariableLabels* labels)
{
    auto describe = [labels](QListWidget* list, const auto& names, const auto& listMap, bool household) {
        for (int row = 1; row < list->count(); ++row) {
            const int number = listMap[static_cast<std::size_t>(row)];
            const QString name = QString::fromStdString(trimmedName(names[static_cast<std::size_t>(number)]));
            QString search = name;
            QListWidgetItem* item = list->item(row);
            const std::vector<VariableLabel>* described
                = labels ? (household ? &labels->household : &labels->individual) : nullptr;
            if (described && number >= 1 && static_cast<std::size_t>(number) <= described->size()) {
                const VariableLabel& v = (*described)[static_cast<std::size_t>(number - 1)];
                const QString description = name + QStringLiteral(": ") + QString::fromStdString(v.label);
                item->setToolTip(description);
                item->setData(Qt::AccessibleDescriptionRole, description);
                search += QLatin1Char('\n') + QString::fromStdString(v.label);
                for (const CodeLabel& code : v.codes)
                    search += QLatin1Char('\n') + QString::fromStdString(code.meaning);
            }
            item->setData(kSearchTextRole, search.toCaseFolded());
        }
    };
    describe(m_householdOriginal, m_catalogue.hhVarNames, m_catalogue.hhListMap, true);
    describe(m_individualOriginal, m_catalogue.indVarNames, m_catalogue.indListMap, false);
}

// Hiding rows leaves their selection as it is, so Extract takes what it took.
void VariablesPage::filterVariables(const QString& find)
{
    const QString wanted = find.trimmed().toCaseFolded();
    for (QListWidget* list : { m_householdOriginal, m_individualOriginal }) {
        // Row 0, "(None)", is no variable: it shows only when nothing is sought.
        list->setRowHidden(0, !wanted.isEmpty());
        for (int row = 1; row < list->count(); ++row)
            list->setRowHidden(
                row, !wanted.isEmpty() && !list->item(row)->data(kSearchTextRole).toString().contains(wanted));
    }
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
        // A path in the message must show as it is.
        tell(this, QMessageBox::Warning, "msgCaseSelectionError", tr("Select Cases"), QString::fromStdString(e.what()));
        return;
    }
    CaseSelectionDialog dialog(m_catalogue, sar, m_labels, m_caseSelection, this);
    if (dialog.exec() == QDialog::Accepted)
        setCaseSelection(dialog.selection());
}

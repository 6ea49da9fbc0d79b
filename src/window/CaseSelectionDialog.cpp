#include "window/CaseSelectionDialog.h"

#include "extraction/CaseSelector.h"
#include "extraction/SarTables.h"
#include "variables/VariableCatalogue.h"
#include "window/PageWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace widgets;

namespace {

constexpr int kHouseholdRole = Qt::UserRole + 1;

} // namespace

CaseSelectionDialog::CaseSelectionDialog(const VariableCatalogue& catalogue, const SarTables& sar,
    const VariableLabels* labels, const CaseSelection& selection, QWidget* parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_sar(sar)
    , m_labels(labels)
    , m_selection(selection)
{
    setObjectName(QStringLiteral("dlgCaseSelection"));
    setWindowTitle(tr("Select Cases"));
    auto* grid = new QGridLayout(this);

    QLabel* variableLabel = label("lblVariable", "Variable:");
    m_variable = named(new QComboBox, "cboVariable");
    m_variable->setAccessibleName(QStringLiteral("Variable"));
    variableLabel->setBuddy(m_variable);
    // HNUM is one value for both kinds: it is offered once, with the households.
    for (int k = 1; k <= kNumHhVars; ++k)
        m_variable->addItem(
            QString::fromStdString(trimmedName(catalogue.hhVarNames[k])) + tr(" (household)"), QVariant(k));
    for (int k = kIndPnum; k <= kNumIndVars; ++k)
        m_variable->addItem(QString::fromStdString(trimmedName(catalogue.indVarNames[k])) + tr(" (person)"), -k);
    grid->addWidget(variableLabel, 0, 0);
    grid->addWidget(m_variable, 0, 1);

    QLabel* codesLabel = label("lblCodes", "Codes:");
    m_codes = listBox("lstCodes", QStringLiteral("Codes"), codesLabel);
    m_codes->setSelectionMode(QAbstractItemView::NoSelection);
    grid->addWidget(codesLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(m_codes, 1, 1);

    QLabel* rangesLabel = label("lblRanges", "Ranges:");
    m_ranges = textBox("txtRanges", QStringLiteral("Ranges"));
    m_ranges->setPlaceholderText(QStringLiteral("65-99, 101"));
    rangesLabel->setBuddy(m_ranges);
    grid->addWidget(rangesLabel, 2, 0);
    grid->addWidget(m_ranges, 2, 1);

    auto* add = button<QPushButton>("btAddCondition", "Add Condition");
    m_error = named(new QLabel, "lblConditionError");
    m_error->setWordWrap(true);
    m_error->setAccessibleName(QStringLiteral("Why the condition was refused"));
    grid->addWidget(add, 3, 1, Qt::AlignLeft);
    grid->addWidget(m_error, 4, 1);

    QLabel* conditionsLabel = label("lblConditions", "Conditions:");
    m_conditions = listBox("lstConditions", QStringLiteral("Conditions"), conditionsLabel);
    m_conditions->setSelectionMode(QAbstractItemView::SingleSelection);
    m_remove = button<QPushButton>("btRemoveCondition", "Remove");
    grid->addWidget(conditionsLabel, 5, 0, Qt::AlignTop);
    grid->addWidget(m_conditions, 5, 1);
    grid->addWidget(m_remove, 6, 1, Qt::AlignLeft);

    m_wholeHouseholds = button<QCheckBox>("chkWholeHouseholds", "Whole households");
    m_wholeHouseholds->setChecked(selection.wholeHouseholds);
    grid->addWidget(m_wholeHouseholds, 7, 1);

    auto* buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "bbCaseSelection");
    auto* clear = button<QPushButton>("btClear", "Clear");
    buttons->addButton(clear, QDialogButtonBox::ResetRole);
    grid->addWidget(buttons, 8, 0, 1, 2);

    connect(m_variable, &QComboBox::currentIndexChanged, this, &CaseSelectionDialog::showCodes);
    connect(add, &QPushButton::clicked, this, &CaseSelectionDialog::addCondition);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        const int row = m_conditions->currentRow();
        if (row < 0 || row >= static_cast<int>(m_selection.conditions.size()))
            return;
        m_selection.conditions.erase(m_selection.conditions.begin() + row);
        showConditions();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_selection = {};
        m_wholeHouseholds->setChecked(false);
        m_ranges->clear();
        m_error->clear();
        showCodes();
        showConditions();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showCodes();
    showConditions();
}

CaseSelection CaseSelectionDialog::selection() const
{
    CaseSelection result = m_selection;
    result.wholeHouseholds = m_wholeHouseholds->isChecked();
    return result;
}

void CaseSelectionDialog::showCodes()
{
    m_codes->clear();
    const int picked = m_variable->currentData().toInt();
    for (const KnownCode& code : knownCodes(picked > 0, std::abs(picked), m_sar, m_labels)) {
        QString text = QString::number(code.code);
        if (!code.meaning.empty())
            text += QStringLiteral("  ") + QString::fromStdString(code.meaning);
        auto* item = new QListWidgetItem(text, m_codes);
        item->setData(Qt::UserRole, code.code);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void CaseSelectionDialog::showConditions()
{
    m_conditions->clear();
    for (const CaseCondition& condition : m_selection.conditions)
        m_conditions->addItem(QString::fromStdString(conditionText(condition)));
    m_remove->setEnabled(!m_selection.conditions.empty());
}

void CaseSelectionDialog::refuse(const QString& reason)
{
    m_error->setText(reason);
    m_error->setAccessibleDescription(reason);
}

bool CaseSelectionDialog::addCondition()
{
    const int picked = m_variable->currentData().toInt();
    const std::string name = trimmedName(picked > 0 ? m_catalogue.hhVarNames[picked] : m_catalogue.indVarNames[-picked]);
    CaseCondition condition { name, {} };
    for (int row = 0; row < m_codes->count(); ++row)
        if (m_codes->item(row)->checkState() == Qt::Checked) {
            const std::int32_t code = m_codes->item(row)->data(Qt::UserRole).toInt();
            condition.codes.push_back({ code, code });
        }
    if (!m_ranges->text().trimmed().isEmpty()) {
        const ParsedCodes typed = parseCodes(m_ranges->text().toStdString());
        if (!typed.error.empty()) {
            refuse(tr("Ranges: %1").arg(QString::fromStdString(typed.error)));
            return false;
        }
        condition.codes.insert(condition.codes.end(), typed.codes.begin(), typed.codes.end());
    }
    if (condition.codes.empty()) {
        refuse(tr("Tick the codes %1 may take, or type them under Ranges.").arg(QString::fromStdString(name)));
        return false;
    }
    try {
        CaseSelector(CaseSelection { { condition }, false }, m_catalogue, m_sar, m_labels);
    } catch (const SelectionError& e) {
        refuse(QString::fromStdString(e.what()));
        return false;
    }
    auto same = std::find_if(m_selection.conditions.begin(), m_selection.conditions.end(),
        [&name](const CaseCondition& c) {
            return QString::fromStdString(c.variable).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0;
        });
    if (same != m_selection.conditions.end())
        *same = condition;
    else
        m_selection.conditions.push_back(condition);
    m_error->clear();
    m_ranges->clear();
    showCodes();
    showConditions();
    return true;
}

#pragma once

#include "request/CaseSelection.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SarTables;
struct VariableCatalogue;
struct VariableLabels;

/// "Select Cases": builds a case selection condition by condition. A condition is a
/// variable and the codes it may take, ticked in the list of the codes the data know
/// or typed as ranges; one that the data cannot meet is refused, saying why. A
/// condition on a variable that has one already replaces it.
class CaseSelectionDialog : public QDialog {
    Q_OBJECT

public:
    /// Nothing is owned; all must outlive the dialog.
    CaseSelectionDialog(const VariableCatalogue& catalogue, const SarTables& sar, const VariableLabels* labels,
        const CaseSelection& selection, QWidget* parent = nullptr);

    CaseSelection selection() const;

    /// Adds the condition the controls describe; false, with the reason shown, when
    /// it is refused.
    bool addCondition();

private:
    void showCodes();
    void showConditions();
    void refuse(const QString& reason);

    const VariableCatalogue& m_catalogue;
    const SarTables& m_sar;
    const VariableLabels* m_labels;
    CaseSelection m_selection;
    QComboBox* m_variable = nullptr;
    QListWidget* m_codes = nullptr;
    QLineEdit* m_ranges = nullptr;
    QLabel* m_error = nullptr;
    QListWidget* m_conditions = nullptr;
    QPushButton* m_remove = nullptr;
    QCheckBox* m_wholeHouseholds = nullptr;
};

#pragma once

#include "request/CaseSelection.h"

#include <QList>
#include <QWidget>

class ListBox;
class QLabel;
class ListWidgetAdapter;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
struct DataFolders;
struct RequestChoices;
struct VariableCatalogue;
struct VariableLabels;

/// The Select Variable(s) page, pgSelectVars: the original variables above the
/// derived ones, each as a household and an individual list with Definitions and
/// Reset between them, and notes on the right. The derived lists stay empty, and
/// their Reset does nothing. Above the lists, "Find variable:" narrows both
/// original lists to the variables it finds; the selection stays as it is.
class VariablesPage : public QWidget {
    Q_OBJECT

public:
    /// `catalogue` is not owned and must outlive the page.
    explicit VariablesPage(const VariableCatalogue& catalogue, QWidget* parent = nullptr);

    /// The two original-variable lists as the variable catalogue reads them.
    ListBox& householdList() const;
    ListBox& individualList() const;

    /// The selected variables, by name.
    void readChoices(RequestChoices& choices) const;
    /// Selects exactly the variables `choices` names; every name must be known.
    void setChoices(const RequestChoices& choices);
    /// Gives each variable row its label (as its tool tip and accessible
    /// description) and what "Find variable:" searches: its name, its label and
    /// its code labels. `labels` may be null: the names alone are searched.
    void describeVariables(const VariableLabels* labels);
    /// Shows only the rows whose name, label or code labels contain `text`, in any
    /// case; all rows when it is empty.
    void filterVariables(const QString& text);

    /// Selects the default variables, as Reset does.
    void resetHouseholdAndIndividualVariables();

    /// Where Select Cases... finds the codes each variable can take; both must outlive
    /// the page, `labels` may be null.
    void setCaseSources(const DataFolders& folders, const VariableLabels* labels);
    /// The cases chosen; Reset leaves them.
    const CaseSelection& caseSelection() const { return m_caseSelection; }
    void setCaseSelection(const CaseSelection& selection);
    /// Opens Select Cases on the current selection and keeps what OK gives.
    void editCaseSelection();

    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
    /// The buttons that take Alt+letter: the two Resets.
    QPushButton* originalReset() const { return m_originalReset; }
    QPushButton* derivedReset() const { return m_derivedReset; }

signals:
    void originalDefinitionsRequested();
    void derivedDefinitionsRequested();

private:
    QLayout* buildFindRow();
    QWidget* caseSelectionRow();

    const VariableCatalogue& m_catalogue;
    QLineEdit* m_findVariable = nullptr;
    QListWidget* m_householdOriginal = nullptr;
    QListWidget* m_individualOriginal = nullptr;
    QListWidget* m_householdDerived = nullptr;
    QListWidget* m_individualDerived = nullptr;
    QPushButton* m_originalDefinitions = nullptr;
    QPushButton* m_originalReset = nullptr;
    QPushButton* m_derivedDefinitions = nullptr;
    QPushButton* m_derivedReset = nullptr;
    ListWidgetAdapter* m_householdAdapter = nullptr;
    ListWidgetAdapter* m_individualAdapter = nullptr;
    // Case selection.
    QPushButton* m_selectCases = nullptr;
    QLabel* m_caseSelectionLabel = nullptr;
    CaseSelection m_caseSelection;
    const DataFolders* m_folders = nullptr;
    const VariableLabels* m_labels = nullptr;
};

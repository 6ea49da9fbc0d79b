#pragma once

#include "geography/AreaTables.h"

#include <QWidget>

#include <array>
#include <memory>

class AreaCascade;
class ExtractDialogs;
class ExtractRunner;
class HelpController;
class ListBox;
class ListWidgetAdapter;
class MessageBoxDialogs;
struct ApplicationState;
class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

/// The main window, frmZENDRA91: four pages (Intro, areas, variables, output
/// options) and a notice below them. Every control's objectName is its control
/// name (lstWards, txtUserOutput, btExtract, ...).
///
/// Constructing it runs the window's part of start-up over an already loaded state:
/// builds the five area lists, gives the output and ED-list controls their starting
/// values (mirrored into the settings), fills the variable lists and selects the
/// default variables. It opens on the Intro page.
///
/// Extract runs the whole command in the window (see ExtractRunner); the two
/// Definitions buttons open the help window, which the main window owns and closes
/// when it closes itself. Closing the main window ends the program.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    /// The controls other code reads and drives, by their control names.
    struct Controls {
        QTabWidget* MultiPage1 = nullptr;
        // Area page.
        QRadioButton* obSelectedAreas = nullptr;
        std::array<QListWidget*, kNumAreaLevels> areaLists{}; // by AreaLevel: lstCountries .. lstWards
        QRadioButton* obUserEDlist = nullptr;
        QLineEdit* txtUserEDlist = nullptr;
        // Variables page.
        QListWidget* lstHHVars_Orig = nullptr;
        QListWidget* lstIndVars_Orig = nullptr;
        QListWidget* lstHHVars_Derived = nullptr;
        QListWidget* lstIndVars_Derived = nullptr;
        QPushButton* cmdOrigVarHelp = nullptr;
        QPushButton* cmdResetOrigVars = nullptr;
        QPushButton* cmdDerivedVarHelp = nullptr;
        QPushButton* cmdResetDerivedVars = nullptr;
        // Output page.
        QCheckBox* cbED = nullptr;
        QCheckBox* cbWard = nullptr;
        QCheckBox* cbDistrict = nullptr;
        QCheckBox* cbCounty = nullptr;
        QCheckBox* cbRegion = nullptr;
        QCheckBox* cbCountry = nullptr;
        QLineEdit* txtUserOutput = nullptr;
        QLineEdit* txtUserRootFilename = nullptr;
        QRadioButton* obSeparateFiles = nullptr;
        QRadioButton* obCombinedFiles = nullptr;
        QPushButton* btExtract = nullptr;
        QLineEdit* txtFileWarningSize = nullptr;
    };

    /// `state` is not owned and must outlive the window.
    explicit MainWindow(ApplicationState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    ApplicationState& state() { return m_state; }
    const Controls& controls() const { return m_controls; }
    AreaCascade& cascade() { return *m_cascade; }
    /// The two original-variable lists as the variable catalogue reads them.
    ListBox& householdVariables();
    ListBox& individualVariables();
    ListBox& areaList(AreaLevel level);

    /// Where Extract asks its questions; message boxes unless set. Not owned.
    void setDialogs(ExtractDialogs& dialogs);
    ExtractRunner& extractRunner() { return *m_extract; }
    HelpController& help() { return *m_help; }

signals:
    /// btExtract was clicked; the command has run by the time this is emitted.
    void extractRequested();
    /// The "Definitions" button of the original (cmdOrigVarHelp) or derived
    /// (cmdDerivedVarHelp) variables was clicked.
    void originalVariablesHelpRequested();
    void derivedVariablesHelpRequested();
    /// The window is closing and the program with it; nothing can refuse.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildIntroPage();
    QWidget* buildAreasPage();
    QWidget* buildVariablesPage();
    QWidget* buildOutputPage();
    void connectHandlers();
    void startUp();

    void obSeparateFilesChange();
    void txtUserOutputChange();
    void txtUserRootFilenameChange();
    void obUserEDlistChange();
    void txtUserEDlistChange();
    void obCombinedFilesChange();
    void cmdResetOrigVarsClick();
    void btExtractClick();
    void cmdOrigVarHelpClick();
    void cmdDerivedVarHelpClick();
    void quitProgram();

    ApplicationState& m_state;
    Controls m_controls;
    std::array<ListWidgetAdapter*, kNumAreaLevels> m_areaAdapters{};
    ListWidgetAdapter* m_hhVarsAdapter = nullptr;
    ListWidgetAdapter* m_indVarsAdapter = nullptr;
    std::unique_ptr<AreaCascade> m_cascade;
    std::unique_ptr<MessageBoxDialogs> m_messageBoxes;
    std::unique_ptr<ExtractRunner> m_extract;
    HelpController* m_help = nullptr;
    bool m_quitting = false;
};

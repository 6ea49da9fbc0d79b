#pragma once

#include "window/AreasPage.h"
#include "window/OutputPage.h"
#include "window/VariablesPage.h"
#include "window/WindowMenu.h"

#include <QWidget>

#include <array>
#include <memory>

class AreaCascade;
class AreaDirectory;
class AreaFinder;
class FileChooser;
class QTimer;
class ExtractDialogs;
class ExtractRunner;
class HelpController;
class ListBox;
class ListWidgetAdapter;
class MessageBoxDialogs;
class RequestActions;
struct ApplicationState;
class QCloseEvent;
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
/// when it closes itself. Closing the main window ends the program. The menu bar
/// opens and saves request files (see RequestActions), quits, and opens the help
/// and the About box.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    /// The controls other code reads and drives, by their control names; each
    /// page builds its own.
    struct Controls : AreasPage, VariablesPage, OutputPage {
        QTabWidget* MultiPage1 = nullptr;
    };

    /// `state` is not owned and must outlive the window.
    explicit MainWindow(ApplicationState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    ApplicationState& state() { return m_state; }
    const Controls& controls() const { return m_controls; }
    const WindowMenu& menu() const { return m_menu; }
    RequestActions& requests() { return *m_requests; }
    /// The two original-variable lists as the variable catalogue reads them.
    ListBox& householdVariables();
    ListBox& individualVariables();

    /// Where Extract asks its questions; message boxes unless set. Not owned.
    void setDialogs(ExtractDialogs& dialogs);
    ExtractRunner& extractRunner() { return *m_extract; }
    /// Where the Browse buttons and the File menu ask for paths; file dialogs unless
    /// set. Not owned.
    void setFileChooser(FileChooser& chooser) { m_chooser = &chooser; }
    AreaFinder& areaFinder() { return *m_finder; }
    HelpController& help() { return *m_help; }

    /// Sizes the window to its preferred size or, on a smaller screen, to what fits
    /// in `available` with its frame; every page scrolls where it does not fit.
    void fitInto(const QRect& available);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void buildMenu();
    void connectHandlers();
    void setFocusOrder();
    void setMnemonics();
    void startUp();

    void obUserEDlistChange();
    void cmdResetOrigVarsClick();
    void btExtractClick();
    void cmdOrigVarHelpClick();
    void cmdDerivedVarHelpClick();
    void quitProgram();
    void buildFinder();
    void setAreaToolTips(AreaLevel level, int first, int last);
    void updateSelectionSummary();
    void btBrowseOutputClick();
    void btBrowseEdListClick();

    ApplicationState& m_state;
    Controls m_controls;
    WindowMenu m_menu;
    std::array<ListWidgetAdapter*, kNumAreaLevels> m_areaAdapters {};
    ListWidgetAdapter* m_hhVarsAdapter = nullptr;
    ListWidgetAdapter* m_indVarsAdapter = nullptr;
    std::unique_ptr<AreaCascade> m_cascade;
    std::unique_ptr<RequestActions> m_requests;
    std::unique_ptr<MessageBoxDialogs> m_messageBoxes;
    std::unique_ptr<ExtractRunner> m_extract;
    HelpController* m_help = nullptr;
    bool m_quitting = false;
    std::unique_ptr<AreaDirectory> m_directory;
    AreaFinder* m_finder = nullptr;
    QTimer* m_summaryTimer = nullptr;
    std::unique_ptr<FileChooser> m_dialogChooser;
    FileChooser* m_chooser = nullptr;
};

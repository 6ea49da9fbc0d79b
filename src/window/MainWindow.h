#pragma once

#include "geography/AreaTables.h"
#include "window/RequestActions.h"
#include "window/WindowMenu.h"

#include <QWidget>

#include <memory>

class AreaCascade;
class AreaDirectory;
class AreaFinder;
class AreasPage;
class ExtractDialogs;
class ExtractRunner;
class FileChooser;
class HelpController;
class MessageBoxDialogs;
class OutputPage;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class RememberingFileChooser;
class WindowSettings;
class QTabWidget;
class QTimer;
class TablesPage;
class VariablesPage;
struct ApplicationState;

/// The main window, frmZENDRA91: five pages (Intro, areas, variables, output
/// options, tables) and a notice below them. Every control's objectName is its control
/// name (lstWards, txtUserOutput, btExtract, ...); each page keeps its own.
///
/// Constructing it runs the window's part of start-up over an already loaded state:
/// builds the five area lists, gives the output and ED-list controls their starting
/// values, fills the variable lists and selects the default variables. It opens on
/// the Intro page.
///
/// What the user chose is read from the pages in one place (choices()) and shown
/// on them in one place (showRequest()). Extract runs the command (see
/// ExtractRunner); the two Definitions buttons open the help window, which the main
/// window owns and closes when it closes itself. Closing the main window ends the
/// program. The menu bar opens and saves request files (see RequestActions), reopens
/// recent ones, quits, and opens the help and the About box. A request file or an
/// ED list dropped on the window opens as openPath() opens it.
///
/// What it remembers between runs (see WindowSettings) is kept for this run only
/// until useSettings() gives it a settings file.
class MainWindow : public QWidget, public RequestView {
    Q_OBJECT

public:
    /// `state` is not owned and must outlive the window.
    explicit MainWindow(ApplicationState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    const WindowMenu& menu() const { return m_menu; }
    RequestActions& requests() { return *m_requests; }
    /// Everything the pages show.
    RequestChoices choices() const override;

    /// Where Extract asks its questions; message boxes unless set. Not owned.
    void setDialogs(ExtractDialogs& dialogs);
    ExtractRunner& extractRunner() { return *m_extract; }
    /// Where the Browse buttons and the File menu ask for paths; file dialogs unless
    /// set. Not owned.
    void setFileChooser(FileChooser& chooser);
    AreaFinder& areaFinder() { return *m_finder; }
    HelpController& help() { return *m_help; }
    TablesPage& tablesPage() { return *m_tablesPage; }

    /// Sizes the window to its content or, on a smaller screen, to what fits in
    /// `available` with its frame; a page scrolls only where it does not fit.
    void fitInto(const QRect& available);

    /// Remembers folders, recent requests and the window's place in `settings`
    /// from now on, and puts the window back where it was. Not owned.
    void useSettings(WindowSettings& settings);
    WindowSettings& settings() { return *m_settings; }
    /// Opens a request file (*.json) as File > Open Request does, or chooses an ED
    /// list (*.txt, *.csv) after checking that it can be read; any other file, and
    /// one that cannot be opened, gets a message and changes nothing. Ignored while
    /// an extraction runs. True when the window now shows the file.
    bool openPath(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showRequest(const RequestChoices& request, const AreaTables& areas) override;
    void buildPages();
    void buildMenu();
    void connectHandlers();
    void setFocusOrder();
    void setMnemonics();
    void startUp();
    void buildFinder();

    void edListChosenChanged(bool edList);
    void extract();
    void showDefinitions(const char* page);
    void quitProgram();
    void setAreaToolTips(AreaLevel level, int first, int last);
    void updateSelectionSummary();
    void showAreas(const AreaTables& wanted);
    void rememberRequest(const QString& path);
    void fillRecentMenu();

    ApplicationState& m_state;
    QTabWidget* m_pages = nullptr;
    AreasPage* m_areasPage = nullptr;
    VariablesPage* m_variablesPage = nullptr;
    OutputPage* m_outputPage = nullptr;
    TablesPage* m_tablesPage = nullptr;
    WindowMenu m_menu;
    std::unique_ptr<AreaCascade> m_cascade;
    std::unique_ptr<RequestActions> m_requests;
    std::unique_ptr<MessageBoxDialogs> m_messageBoxes;
    std::unique_ptr<ExtractRunner> m_extract;
    HelpController* m_help = nullptr;
    bool m_quitting = false;
    std::unique_ptr<AreaDirectory> m_directory;
    AreaFinder* m_finder = nullptr;
    QTimer* m_summaryTimer = nullptr;
    std::unique_ptr<WindowSettings> m_ownSettings;
    WindowSettings* m_settings = nullptr;
    std::unique_ptr<RememberingFileChooser> m_remembering;
    FileChooser* m_chooser = nullptr;
};

// The window program: loads the reference files from the current folder (or the
// --data folder) and opens the main window, then the request file or ED list
// given as FILE. When the reference files cannot be read, the report offers to
// choose a data folder or to create the demo data set; quitting ends the program
// with status 1 before any main window opens.

#include "app/ProgramOptions.h"
#include "app/WindowOptions.h"
#include "base/Version.h"
#include "session/StartupTexts.h"
#include "window/MainWindow.h"
#include "window/MessageBoxDialogs.h"
#include "window/Startup.h"
#include "window/WindowSettings.h"

#include <QApplication>

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Read before QApplication, so --help and --version need no display.
    WindowOptions options;
    try {
        options = WindowOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        return reportUsageError("zendra91", e.what(), std::cerr, WindowOptions::helpText());
    }
    if (std::optional<int> status
        = answerHelpOrVersion("zendra91", options.help, options.version, WindowOptions::helpText, std::cout))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENDRA91"));
    // Wayland compositors find the window's icon and name through its desktop entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));

    MessageBoxDialogs dialogs;
    StartupLoad load;
    try {
        load = loadWithOffer(startFolders(options), dialogs, demoDataFolder());
    } catch (const std::exception& e) {
        load.error = std::string(kStartupFailedIntro) + e.what();
    }
    if (!load.state) {
        std::cerr << load.error << '\n';
        return kExitFailure;
    }

    // Declared first, so that it outlives the window.
    std::unique_ptr<WindowSettings> settings;
    MainWindow window(*load.state);
    if (options.usesSettings()) {
        settings = std::make_unique<WindowSettings>(WindowSettings::defaultPath());
        window.useSettings(*settings);
    }
    window.show();
    if (options.file)
        window.openPath(QString::fromStdString(*options.file));
    return app.exec();
}

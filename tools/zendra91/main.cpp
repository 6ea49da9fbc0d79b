// The window program: loads the reference files from the current folder (or the
// --data folder) and opens the main window. When they cannot be read, the report
// offers to choose a data folder or to create the demo data set; quitting ends
// the program with status 1 before any main window opens.

#include "base/Version.h"
#include "session/StartupTexts.h"
#include "window/MainWindow.h"
#include "window/MessageBoxStartupDialogs.h"
#include "window/Startup.h"

#include <QApplication>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Read before QApplication, so --help and --version need no display.
    WindowOptions options;
    try {
        options = WindowOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const WindowUsageError& e) {
        std::cerr << "zendra91: " << e.what() << "\n" << WindowOptions::helpText();
        return 2;
    }
    if (options.help) {
        std::cout << WindowOptions::helpText();
        return 0;
    }
    if (options.version) {
        std::cout << "zendra91 " << kProgramVersion << '\n';
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENDRA91"));

    MessageBoxStartupDialogs dialogs;
    StartupLoad load;
    try {
        load = loadWithOffer(startFolders(options), dialogs, demoDataFolder());
    } catch (const std::exception& e) {
        load.error = std::string(kStartupFailedIntro) + e.what();
    }
    if (!load.state) {
        std::cerr << load.error << '\n';
        return 1;
    }

    MainWindow window(*load.state);
    window.show();
    return app.exec();
}

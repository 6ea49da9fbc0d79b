// The window program: started in the folder that holds the data, it loads the
// reference files and opens the main window; a file that cannot be read is
// reported and the program ends before any window opens.

#include "session/ApplicationState.h"
#include "window/MainWindow.h"
#include "session/StartupTexts.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENDRA91"));

    StartupLoad load;
    try {
        load = loadAtStartup(setDataFolders());
    } catch (const std::exception& e) {
        load.error = std::string(kStartupFailedIntro) + e.what();
    }
    if (!load.state) {
        std::cerr << load.error << '\n';
        QMessageBox::critical(nullptr, QString::fromUtf8(kStartupFailedTitle), QString::fromStdString(load.error));
        return 1;
    }

    MainWindow window(*load.state);
    window.show();
    return app.exec();
}

#include "window/Startup.h"

#include "demodata/DemoData.h"
#include "window/StartupDialogs.h"
#include "window/WindowTexts.h"

#include <QStandardPaths>

#include <exception>

std::string demoDataFolder()
{
    // ~/.local/share unless XDG_DATA_HOME says otherwise.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/zendra91/demo";
}

StartupLoad loadWithOffer(const DataFolders& folders, StartupDialogs& dialogs, const std::string& demoFolder)
{
    StartupLoad load = loadAtStartup(folders);
    while (!load.state) {
        switch (dialogs.offer(load.error, demoFolder)) {
        case StartupDialogs::Answer::Quit:
            return load;
        case StartupDialogs::Answer::ChooseFolder:
            if (std::optional<std::string> chosen = dialogs.chooseFolder())
                load = loadAtStartup(DataFolders::under(absoluteFolder(*chosen)));
            break;
        case StartupDialogs::Answer::CreateDemo:
            try {
                dialogs.writeWithProgress(demoFolder, [&demoFolder] { writeDemoData(demoFolder); });
                load = loadAtStartup(DataFolders::under(demoFolder));
            } catch (const std::exception& e) {
                load.error = std::string(kDemoWriteFailed) + e.what();
            }
            break;
        }
    }
    return load;
}

#include "window/Startup.h"

#include "base/Version.h"
#include "demodata/DemoData.h"
#include "window/StartupDialogs.h"
#include "window/WindowTexts.h"

#include <QStandardPaths>

#include <CLI/CLI.hpp>

#include <exception>
#include <filesystem>

namespace {

constexpr const char* kProgram = "zendra91";

void defineOptions(CLI::App& app, WindowOptions& options)
{
    app.description("Opens the ZENDRA91 window on the data in the current folder.");
    app.set_help_flag("-h,--help", "print this text and exit");
    app.add_option_function<std::string>(
           "--data", [&options](const std::string& v) { options.dataFolder = v; },
           "start on the data in DIR instead of the current folder")
        ->type_name("DIR");
    app.add_flag("--version", options.version, "print the program name and version, and exit")->disable_flag_override();
}

} // namespace

WindowOptions WindowOptions::parse(const std::vector<std::string>& arguments)
{
    WindowOptions options;
    CLI::App app { "", kProgram };
    defineOptions(app, options);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        options.help = true;
    } catch (const CLI::ParseError& e) {
        throw WindowUsageError(e.what());
    }
    return options;
}

std::string WindowOptions::helpText()
{
    WindowOptions unused;
    CLI::App app { "", kProgram };
    defineOptions(app, unused);
    return app.help();
}

std::string absoluteFolder(const std::string& folder)
{
    std::string path = std::filesystem::weakly_canonical(std::filesystem::absolute(folder)).string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

DataFolders startFolders(const WindowOptions& options)
{
    return options.dataFolder ? DataFolders::under(absoluteFolder(*options.dataFolder)) : setDataFolders();
}

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

#include "app/WindowOptions.h"

#include "app/ProgramOptions.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kProgram = "zendra91";

void defineOptions(CLI::App& app, WindowOptions& options)
{
    app.description("Opens the ZENDRA91 window on the data in the current folder, then FILE if\n"
                    "given: a request file (*.json) opens as File > Open Request opens it, a list\n"
                    "of ED codes (*.txt, *.csv) becomes the user supplied ED list.");
    setHelpFlag(app);
    app.add_option_function<std::string>(
           "--data", [&options](const std::string& v) { options.dataFolder = v; },
           "start on the data in DIR instead of the current folder")
        ->type_name("DIR");
    addVersionFlag(app, options.version);
    app.add_flag("--no-settings", options.noSettings,
           "neither read nor write the settings file (remembered\n"
           "folders, recent requests, the window's place); so does\n"
           "ZENDRA91_NO_SETTINGS=1")
        ->disable_flag_override();
    app.add_option_function<std::string>(
           "FILE", [&options](const std::string& v) { options.file = v; }, "a request file or an ED list to open")
        ->type_name("");
}

} // namespace

WindowOptions WindowOptions::parse(const std::vector<std::string>& arguments)
{
    WindowOptions options;
    CLI::App app { "", kProgram };
    defineOptions(app, options);
    options.help = parseOptions(app, arguments);
    return options;
}

std::string WindowOptions::helpText()
{
    WindowOptions unused;
    CLI::App app { "", kProgram };
    defineOptions(app, unused);
    return app.help();
}

bool WindowOptions::usesSettings() const
{
    const char* off = std::getenv("ZENDRA91_NO_SETTINGS");
    return !noSettings && (off == nullptr || std::string(off).empty() || std::string(off) == "0");
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

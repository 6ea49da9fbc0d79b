#include "demodata/MakeDataOptions.h"

#include "base/Version.h"

#include <CLI/CLI.hpp>

#include <utility>
#include <vector>

namespace {

constexpr const char* kProgram = "zendra91-makedata";

constexpr const char* kUsage = "usage: zendra91-makedata DIR [--full] | --help | --version\n"
                               "Writes the demo data set (ProgramData, SARData, Zen91Data, SARGlossary and\n"
                               "EDlist.txt) into DIR, creating it if needed. With --full, a household file is\n"
                               "written for every ED of every ward instead of those of a few wards.\n";

MakeDataOptions usageError(std::string problem)
{
    MakeDataOptions options;
    options.action = MakeDataOptions::Action::UsageError;
    options.problem = std::move(problem);
    return options;
}

} // namespace

MakeDataOptions parseMakeDataOptions(int argc, const char* const* argv)
{
    MakeDataOptions options;
    bool version = false;
    std::vector<std::string> folders;

    CLI::App app { "", kProgram };
    app.set_help_flag("-h,--help");
    // Unknown options are reported in this program's words below, not CLI11's.
    app.allow_extras();
    app.add_flag("--full", options.demo.full);
    app.add_flag("--version", version);
    app.add_option("DIR", folders);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        options.action = MakeDataOptions::Action::ShowHelp;
        return options;
    } catch (const CLI::ParseError& error) {
        return usageError(error.what());
    }

    if (version) {
        options.action = MakeDataOptions::Action::ShowVersion;
        return options;
    }
    if (!app.remaining().empty())
        return usageError("unknown option: " + app.remaining().front());
    if (folders.size() > 1)
        return usageError("more than one folder given: " + folders[1]);
    if (folders.empty())
        return usageError("no folder given");
    if (folders.front().empty())
        return usageError("the folder name is empty");
    options.folder = folders.front();
    return options;
}

const char* makeDataUsage() { return kUsage; }

std::string makeDataVersion() { return std::string(kProgram) + " " + kProgramVersion; }

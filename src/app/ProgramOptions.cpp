#include "app/ProgramOptions.h"

#include "base/Version.h"

#include <CLI/CLI.hpp>

#include <ostream>

void setHelpFlag(CLI::App& app, const char* description)
{
    app.set_help_flag("-h,--help", description);
}

void addVersionFlag(CLI::App& app, bool& version)
{
    app.add_flag("--version", version, "print the program name and version, and exit")->disable_flag_override();
}

bool parseOptions(CLI::App& app, const std::vector<std::string>& arguments)
{
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return true;
    } catch (const CLI::ParseError& e) {
        throw UsageError(e.what());
    }
    return false;
}

std::optional<int> answerHelpOrVersion(
    const char* program, bool help, bool version, const std::function<std::string()>& helpText, std::ostream& out)
{
    if (help) {
        out << helpText();
        return kExitSuccess;
    }
    if (version) {
        out << program << ' ' << kProgramVersion << '\n';
        return kExitSuccess;
    }
    return std::nullopt;
}

int reportUsageError(const char* program, const std::string& message, std::ostream& err, const std::string& hint)
{
    err << program << ": " << message << '\n' << hint;
    return kExitUsageError;
}

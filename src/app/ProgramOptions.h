#pragma once

#include "app/UsageError.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

/// Exit statuses every program shares; the command adds its own between them.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsageError = 2;

/// The two options every program has, worded alike: -h/--help, and --version
/// (added apart, so that each program lists it where its help reads best).
void setHelpFlag(CLI::App& app, const char* description = "print this text and exit");
void addVersionFlag(CLI::App& app, bool& version);

/// Reads `arguments` (the program's name left out) into the options of `app`.
/// Returns true when --help was given, in which case nothing else was checked.
/// Throws UsageError with CLI11's description of a bad option or value.
bool parseOptions(CLI::App& app, const std::vector<std::string>& arguments);

/// Answers --help (the help text) or --version ("PROGRAM VERSION") on `out` and
/// returns the exit status; nothing when neither was asked, and the program goes on.
std::optional<int> answerHelpOrVersion(
    const char* program, bool help, bool version, const std::function<std::string()>& helpText, std::ostream& out);

/// Writes "PROGRAM: MESSAGE" and `hint` (when not empty) to `err`; returns the
/// usage-error status.
int reportUsageError(const char* program, const std::string& message, std::ostream& err, const std::string& hint = {});

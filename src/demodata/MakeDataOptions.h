#pragma once

#include "demodata/DemoData.h"

#include <string>

/// What zendra91-makedata was asked to do, read from its command line.
struct MakeDataOptions {
    enum class Action { WriteData, ShowHelp, ShowVersion, UsageError };
    Action action = Action::WriteData;
    std::string folder; ///< WriteData: the folder to write into
    DemoOptions demo; ///< WriteData
    std::string problem; ///< UsageError: what was wrong, e.g. "unknown option: --fast"
};

/// Reads zendra91-makedata's options: DIR [--full] | --help | -h | --version. A bad
/// command line is an Action::UsageError, never an exception.
MakeDataOptions parseMakeDataOptions(int argc, const char* const* argv);

/// The text of --help, also shown after a usage error.
const char* makeDataUsage();

/// The line --version prints, "zendra91-makedata VERSION" without the line end.
std::string makeDataVersion();

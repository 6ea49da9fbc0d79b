#pragma once

#include <atomic>
#include <iosfwd>

struct ApplicationState;
struct CommandLine;
struct RequestChoices;

/// zendra91-extract --table: counts the EDs that `choices` and the areas of `state`
/// choose, with a copy of the process's generator, and prints the table as CSV on
/// `out` (a header line, then one line per cell); writes no file. An empty table
/// prints its header and says why on `err`. Returns the exit status; throws
/// UsageError for an unknown variable or level and DataFileError for bad data.
int runTableCommand(const CommandLine& line, ApplicationState& state, const RequestChoices& choices, std::ostream& out,
    std::ostream& err, const std::atomic<bool>* cancel);

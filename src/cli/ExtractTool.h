#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

/// zendra91-extract's exit statuses.
enum ExtractToolStatus {
    kExitDone = 0,
    kExitDataError = 1, ///< a data or output error
    kExitUsage = 2, ///< a bad option or a refusal
    kExitRejected = 3, ///< done, but some ED codes were rejected
    kExitCancelled = 130, ///< stopped by `cancel`; main adds the signal's number to 128
};

/// Runs zendra91-extract with `arguments` (without the program name), writing its
/// report to `out` and notes, errors and the progress bar to `err`; the bar is drawn
/// only when `errIsTerminal`. Setting `cancel` (a signal handler does) stops the
/// extraction with no output file changed. Returns the exit status; never throws.
int runExtractTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
    bool errIsTerminal = false, const std::atomic<bool>* cancel = nullptr);

// zendra91-extract: one press of Extract, from the command line.

#include "cli/ExtractTool.h"

#include <atomic>
#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<bool> g_cancel { false };
volatile std::sig_atomic_t g_signal = 0;

// Only sets the flag: the extraction sees it within a second, removes what it
// started and leaves the earlier files as they were.
extern "C" void onSignal(int number)
{
    g_signal = number;
    g_cancel.store(true);
}

void handleSignals()
{
    struct sigaction action { };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int number : { SIGINT, SIGTERM, SIGHUP })
        sigaction(number, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    static_assert(std::atomic<bool>::is_always_lock_free);
    handleSignals();
    int status = runExtractTool(
        std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0, &g_cancel);
    // 128 + the signal's number, as a shell reports a process a signal ended.
    if (status == kExitCancelled && g_signal != 0)
        status = 128 + g_signal;
    return status;
}

#pragma once

#include "base/DataFolders.h"
#include "cli/ExtractTool.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

/// What one run of zendra91-extract gave.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs the tool in this process from `dir`, as a script started there would.
inline ToolRun runTool(const TempDir& dir, const std::vector<std::string>& arguments, bool terminal = false,
    const std::atomic<bool>* cancel = nullptr)
{
    const std::string previous = currentDirectory();
    EXPECT_EQ(::chdir(dir.path().c_str()), 0);
    std::ostringstream out, err;
    ToolRun run;
    run.status = runExtractTool(arguments, out, err, terminal, cancel);
    EXPECT_EQ(::chdir(previous.c_str()), 0);
    run.out = out.str();
    run.err = err.str();
    return run;
}

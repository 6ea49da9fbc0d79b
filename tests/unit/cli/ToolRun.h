#pragma once

#include "base/DataFolders.h"
#include "cli/ExtractTool.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <string_view>
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

/// One CSV line's fields: quotes removed, doubled quotes undone, CR dropped.
inline std::vector<std::string> csvFields(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

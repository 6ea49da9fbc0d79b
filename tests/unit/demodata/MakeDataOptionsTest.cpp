// zendra91-makedata's command line: what each one asks for, and the words of its refusals.

#include "demodata/MakeDataOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Action = MakeDataOptions::Action;

MakeDataOptions parse(const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv { "zendra91-makedata" };
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return parseMakeDataOptions(static_cast<int>(argv.size()), argv.data());
}

} // namespace

TEST(MakeDataOptions, EachCommandLineAsksForOneThing)
{
    struct Row {
        std::vector<std::string> arguments;
        Action action;
        std::string folderOrProblem;
        bool full = false;
    };
    const Row rows[] = {
        { { "demo" }, Action::WriteData, "demo" },
        { { "--full", "out dir" }, Action::WriteData, "out dir", true },
        { { "demo", "--full" }, Action::WriteData, "demo", true },
        { { "--help" }, Action::ShowHelp, "" },
        { { "--version" }, Action::ShowVersion, "" },
        { {}, Action::UsageError, "no folder given" },
        { { "--full" }, Action::UsageError, "no folder given" },
        { { "" }, Action::UsageError, "the folder name is empty" },
        { { "a", "b" }, Action::UsageError, "more than one folder given: b" },
        { { "demo", "--fast" }, Action::UsageError, "unknown option: --fast" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.empty() ? "" : row.arguments.back());
        const MakeDataOptions options = parse(row.arguments);
        ASSERT_EQ(options.action, row.action) << options.problem;
        if (row.action == Action::WriteData) {
            EXPECT_EQ(options.folder, row.folderOrProblem);
            EXPECT_EQ(options.demo.full, row.full);
        } else if (row.action == Action::UsageError) {
            EXPECT_NE(options.problem.find(row.folderOrProblem), std::string::npos) << options.problem;
        }
    }
}

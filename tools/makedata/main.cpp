// zendra91-makedata: writes the demo data set into a folder.

#include "base/Version.h"
#include "demodata/DemoData.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: zendra91-makedata DIR [--full] | --help | --version\n"
                               "Writes the demo data set (ProgramData, SARData, Zen91Data, SARGlossary and\n"
                               "EDlist.txt) into DIR, creating it if needed. With --full, a household file is\n"
                               "written for every ED of every ward instead of those of a few wards.\n";

int usageError(const char* problem, std::string_view argument)
{
    std::fprintf(
        stderr, "zendra91-makedata: %s: %.*s\n%s", problem, static_cast<int>(argument.size()), argument.data(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string dir;
    DemoOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("zendra91-makedata %s\n", kProgramVersion);
            return 0;
        }
        if (argument == "--full")
            options.full = true;
        else if (argument.empty() || argument.front() == '-')
            return usageError("unknown option", argument);
        else if (!dir.empty())
            return usageError("more than one folder given", argument);
        else
            dir = argument;
    }
    if (dir.empty()) {
        std::fputs("zendra91-makedata: no folder given\n", stderr);
        std::fputs(kUsage, stderr);
        return 2;
    }

    try {
        auto start = std::chrono::steady_clock::now();
        DemoSummary summary = writeDemoData(dir, options);
        auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("wrote the demo data set to %s: %ld EDs, %ld persons, %ld households, "
                    "%d household files, in %.2f s\n",
            dir.c_str(), summary.eds, summary.persons, summary.households, summary.householdFiles, elapsed);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zendra91-makedata: %s\n", error.what());
        return 1;
    }
    return 0;
}

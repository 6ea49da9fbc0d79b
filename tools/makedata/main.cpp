// zendra91-makedata: writes the demo data set into a folder.

#include "demodata/DemoData.h"
#include "demodata/MakeDataOptions.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    const MakeDataOptions options = parseMakeDataOptions(argc, argv);
    switch (options.action) {
    case MakeDataOptions::Action::ShowHelp:
        std::fputs(makeDataUsage(), stdout);
        return 0;
    case MakeDataOptions::Action::ShowVersion:
        std::printf("%s\n", makeDataVersion().c_str());
        return 0;
    case MakeDataOptions::Action::UsageError:
        std::fprintf(stderr, "zendra91-makedata: %s\n%s", options.problem.c_str(), makeDataUsage());
        return 2;
    case MakeDataOptions::Action::WriteData:
        break;
    }

    try {
        auto start = std::chrono::steady_clock::now();
        DemoSummary summary = writeDemoData(options.folder, options.demo);
        auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("wrote the demo data set to %s: %ld EDs, %ld persons, %ld households, "
                    "%d household files, in %.2f s\n",
            options.folder.c_str(), summary.eds, summary.persons, summary.households, summary.householdFiles,
            elapsed);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zendra91-makedata: %s\n", error.what());
        return 1;
    }
    return 0;
}

// zendra91-extract: one press of Extract, from the command line.

#include "cli/AreaChoice.h"
#include "cli/CommandLine.h"
#include "cli/PlainListBox.h"

#include "extraction/ExtractCommand.h"
#include "extraction/ExtractDialogs.h"
#include "extraction/UserEdList.h"
#include "geography/AreaTablesLoader.h"
#include "base/CurrentSettings.h"
#include "base/DataFolders.h"
#include "textio/DataFileError.h"
#include "variables/VariableCatalogue.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>
#include <unistd.h>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitDataError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRejected = 3;

constexpr const char* kProgram = "zendra91-extract";

/// Answers every question Yes, the window's default button, and notes it.
class CommandLineDialogs : public ExtractDialogs {
public:
    bool askYesNo(const ExtractMessage& message) override
    {
        std::cerr << kProgram << ": note: " << message.joined(" ") << " Yes\n";
        return true;
    }
    void inform(const ExtractMessage& message) override { refusal = message.joined(" "); }

    std::string refusal;
};

/// A bar on standard error, redrawn at most every tenth of a second.
class ProgressBar {
public:
    void update(std::uint64_t done, std::uint64_t total)
    {
        auto now = std::chrono::steady_clock::now();
        if (done != total && now - m_last < std::chrono::milliseconds(100))
            return;
        m_last = now;
        constexpr int kWidth = 40;
        int filled = total == 0 ? kWidth : static_cast<int>(kWidth * done / total);
        std::fprintf(stderr, "\r[%s%s] %3d%% %llu/%llu EDs", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kWidth - filled), '.').c_str(),
                     total == 0 ? 100 : static_cast<int>(100 * done / total), static_cast<unsigned long long>(done),
                     static_cast<unsigned long long>(total));
        m_drawn = true;
    }
    void finish()
    {
        if (m_drawn)
            std::fputs("\n", stderr);
    }

private:
    std::chrono::steady_clock::time_point m_last{};
    bool m_drawn = false;
};

void selectVariables(PlainListBox& list, const std::vector<std::string>& names, const char* kind)
{
    for (int r = 1; r < list.count(); ++r)
        list.setSelected(r, false);
    for (const std::string& name : names) {
        bool found = false;
        for (int r = 1; r < list.count(); ++r) {
            if (trimmedName(list.text(r)) == name) {
                list.setSelected(r, true);
                found = true;
            }
        }
        if (!found) {
            std::string known;
            for (int r = 1; r < list.count(); ++r) {
                if (r > 1)
                    known += ',';
                known += trimmedName(list.text(r));
            }
            throw UsageError(std::string("unknown ") + kind + " variable \"" + name + "\" (known: " + known + ")");
        }
    }
}

int run(const std::vector<std::string>& arguments)
{
    CommandLine line = CommandLine::parse(arguments);
    if (line.help) {
        std::cout << kUsageText;
        return kExitDone;
    }

    const std::string base = line.dataFolder ? *line.dataFolder : currentDirectory();
    const DataFolders folders = DataFolders::under(base);
    AreaTables areas = loadAreaTables(folders);
    VariableCatalogue catalogue = loadVariableCatalogue(folders);
    if (line.areaLevel)
        applyAreaChoice(areas, *line.areaLevel, line.areaMembers);

    PlainListBox hhList;
    PlainListBox indList;
    fillVariableLists(catalogue, hhList, indList);
    setDefaultVars(catalogue, hhList, indList);
    if (line.hhVars)
        selectVariables(hhList, *line.hhVars, "household");
    if (line.indVars)
        selectVariables(indList, *line.indVars, "individual");

    CurrentSettings settings;
    settings.outputFolder = line.outputFolder ? *line.outputFolder : base + "/Zen91";
    settings.rootFileName = line.rootFileName;
    settings.separateFiles = !line.combined;

    ExtractInputs inputs;
    inputs.useUserEdList = line.edListFile.has_value();
    inputs.edListText = line.edListFile ? *line.edListFile : base + "/EDlist.txt";
    inputs.combinedChosen = line.combined;
    inputs.spatialCodeFlags = line.spatial;
    inputs.estimateOnly = line.dryRun;

    CommandLineDialogs dialogs;
    std::mt19937 random;  // never seeded: a fresh start always draws the same sequence
    ExtractCommand command(folders, areas, catalogue, hhList, indList, settings, dialogs, random);
    ProgressBar bar;
    if (!line.quiet && ::isatty(STDERR_FILENO))
        command.setProgress([&bar](std::uint64_t done, std::uint64_t total) { bar.update(done, total); });

    ExtractOutcome outcome = command.run(inputs);
    bar.finish();

    switch (outcome.status) {
    case ExtractStatus::Cancelled:
        std::cerr << kProgram << ": " << dialogs.refusal << "\n";
        return kExitUsage;
    case ExtractStatus::Failed:
        std::cerr << kProgram << ": " << outcome.error << "\n";
        return kExitDataError;
    case ExtractStatus::Estimated:
    case ExtractStatus::Done:
    case ExtractStatus::DoneWithRejectedCodes:
        break;
    }

    std::cout << "estimate: " << outcome.estimate.text << outcome.estimate.unit << "\n";
    if (outcome.status != ExtractStatus::Estimated) {
        std::cout << "households: " << outcome.result.households << "\n"
                  << "persons: " << outcome.result.persons << "\n"
                  << "eds: " << outcome.result.writtenEds << "\n";
        for (const std::string& file : outcome.result.files)
            std::cout << "file: " << file << "\n";
    }
    std::cout.flush();
    if (!std::cout)
        throw DataFileError("standard output", 0, 0, "cannot write");
    if (outcome.request.rejectedEdsFound) {
        std::cerr << kProgram << ": some ED codes were rejected: see " << rejectedEdsPath(folders) << "\n";
        return kExitRejected;
    }
    return kExitDone;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << kProgram << ": " << e.what() << "\n";
        return kExitUsage;
    } catch (const DataFileError& e) {
        std::cerr << kProgram << ": " << e.what() << "\n";
        return kExitDataError;
    } catch (const std::exception& e) {
        std::cerr << kProgram << ": " << e.what() << "\n";
        return kExitDataError;
    }
}

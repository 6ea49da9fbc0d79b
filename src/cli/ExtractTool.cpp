#include "cli/ExtractTool.h"

#include "cli/AreaChoice.h"
#include "cli/CommandLine.h"
#include "cli/PlainListBox.h"
#include "cli/ProgressBar.h"
#include "extraction/ExtractCommand.h"
#include "extraction/ExtractDialogs.h"
#include "extraction/UserEdList.h"
#include "geography/AreaCascade.h"
#include "session/ApplicationState.h"
#include "session/StartSession.h"
#include "textio/DataFileError.h"

#include <array>
#include <ostream>

namespace {

constexpr const char* kProgram = "zendra91-extract";

/// Answers every question Yes, the window's default button, and notes it.
class CommandLineDialogs : public ExtractDialogs {
public:
    explicit CommandLineDialogs(std::ostream& err)
        : m_err(err)
    {
    }
    bool askYesNo(const ExtractMessage& message) override
    {
        m_err << kProgram << ": note: " << message.joined(" ") << " Yes\n";
        return true;
    }
    void inform(const ExtractMessage& message) override { refusal = message.joined(" "); }

    std::string refusal;

private:
    std::ostream& m_err;
};

/// The window's lists, without a window.
struct PlainLists {
    std::array<PlainListBox, kNumAreaLevels> areas;
    PlainListBox hhVars;
    PlainListBox indVars;

    AreaCascade::Lists areaPointers()
    {
        AreaCascade::Lists pointers;
        for (int i = 0; i < kNumAreaLevels; ++i)
            pointers[i] = &areas[i];
        return pointers;
    }
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
            for (int r = 1; r < list.count(); ++r)
                known += (r > 1 ? "," : "") + trimmedName(list.text(r));
            throw UsageError(std::string("unknown ") + kind + " variable \"" + name + "\" (known: " + known + ")");
        }
    }
}

/// The command line's choices laid over a fresh start.
ExtractInputs applyCommandLine(const CommandLine& line, ApplicationState& state, PlainLists& lists)
{
    if (line.areaLevel)
        applyAreaChoice(state.areas, *line.areaLevel, line.areaMembers);
    if (line.hhVars)
        selectVariables(lists.hhVars, *line.hhVars, "household");
    if (line.indVars)
        selectVariables(lists.indVars, *line.indVars, "individual");

    CurrentSettings& settings = state.settings;
    settings.outputFolder = line.outputFolder.value_or(settings.outputFolder);
    settings.rootFileName = line.rootFileName.value_or(settings.rootFileName);
    settings.separateFiles = !line.combined;

    ExtractInputs inputs;
    inputs.useUserEdList = line.edListFile.has_value();
    inputs.edListText = line.edListFile.value_or(settings.edListFile);
    inputs.combinedChosen = line.combined;
    inputs.spatialCodeFlags = line.spatial;
    inputs.estimateOnly = line.dryRun;
    return inputs;
}

void report(const ExtractOutcome& outcome, std::ostream& out)
{
    out << "estimate: " << outcome.estimate.text << outcome.estimate.unit << "\n";
    if (outcome.status != ExtractStatus::Estimated) {
        out << "households: " << outcome.result.households << "\n"
            << "persons: " << outcome.result.persons << "\n"
            << "eds: " << outcome.result.writtenEds << "\n";
        for (const std::string& file : outcome.result.files)
            out << "file: " << file << "\n";
    }
    out.flush();
    if (!out)
        throw DataFileError("standard output", 0, 0, "cannot write");
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    CommandLine line = CommandLine::parse(arguments);
    if (line.help) {
        out << CommandLine::helpText();
        return kExitDone;
    }

    std::unique_ptr<ApplicationState> state
        = loadApplicationState(DataFolders::under(line.dataFolder.value_or(currentDirectory())));
    PlainLists lists;
    AreaCascade cascade(state->areas, lists.areaPointers());
    startSession(*state, cascade, lists.hhVars, lists.indVars);
    ExtractInputs inputs = applyCommandLine(line, *state, lists);

    if (inputs.useUserEdList && regularFileExists(inputs.edListText)) {
        // Each listed code is extracted as often as it is listed; say so, once.
        std::size_t repeated = repeatedCodeCount(readUserEdList(inputs.edListText));
        if (repeated > 0)
            err << kProgram << ": note: " << repeated << (repeated == 1 ? " code is" : " codes are")
                << " listed more than once\n";
    }

    CommandLineDialogs dialogs(err);
    ExtractCommand command(state->folders, state->areas, state->variables, lists.hhVars, lists.indVars, state->settings,
        dialogs, state->random);
    ProgressBar bar(err);
    if (!line.quiet && errIsTerminal)
        command.setProgress([&bar](std::uint64_t done, std::uint64_t total) { bar.update(done, total); });
    ExtractOutcome outcome = command.run(inputs);
    bar.finish();

    switch (outcome.status) {
    case ExtractStatus::Cancelled:
        err << kProgram << ": " << dialogs.refusal << "\n";
        return kExitUsage;
    case ExtractStatus::Failed:
        err << kProgram << ": " << outcome.error << "\n";
        return kExitDataError;
    case ExtractStatus::Estimated:
    case ExtractStatus::Done:
    case ExtractStatus::DoneWithRejectedCodes:
        break;
    }
    report(outcome, out);
    if (outcome.request.rejectedEdsFound) {
        err << kProgram << ": some ED codes were rejected: see " << rejectedEdsPath(state->folders) << "\n";
        return kExitRejected;
    }
    return kExitDone;
}

} // namespace

int runExtractTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    try {
        return run(arguments, out, err, errIsTerminal);
    } catch (const UsageError& e) {
        err << kProgram << ": " << e.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        // A DataFileError names the file and the record; anything else still gets a report.
        err << kProgram << ": " << e.what() << "\n";
        return kExitDataError;
    }
}

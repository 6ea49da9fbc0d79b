#include "cli/ExtractTool.h"

#include "app/ProgramOptions.h"
#include "cli/AreaChoice.h"
#include "cli/CommandLine.h"
#include "cli/PlainListBox.h"
#include "cli/ProgressBar.h"
#include "cli/TableCommand.h"
#include "extraction/ExtractCommand.h"
#include "extraction/ExtractDialogs.h"
#include "extraction/UserEdList.h"
#include "formats/CodebookWriter.h"
#include "geography/AreaDirectory.h"
#include "geography/AreaCascade.h"
#include "session/ApplicationState.h"
#include "tables/CaseCount.h"
#include "session/RequestChoice.h"
#include "session/StartSession.h"
#include "request/ReferenceDigest.h"
#include "request/AreaRecord.h"
#include "textio/DataFileError.h"

#include <algorithm>
#include <optional>
#include <array>
#include <cstdlib>
#include <ostream>

namespace {

constexpr const char* kProgram = "zendra91-extract";

/// Answers every question Yes, the window's default button, and notes it. Of the
/// questions whose default is No, only replacing files is answered Yes (as the
/// command always did, with a note); the rest refuse.
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
    bool askYesNoDefaultNo(const ExtractMessage& message) override
    {
        if (message.id != MessageId::Overwrite) {
            refusal = "not enough free space: " + (message.lines.size() > 1 ? message.lines[1] : message.joined(" "));
            return false;
        }
        std::vector<std::string> paths(message.lines.begin() + 1, message.lines.end());
        std::string listed;
        for (const std::string& path : paths)
            listed += (listed.empty() ? "" : ", ") + path;
        m_err << kProgram << ": note: replacing " << listed << "\n";
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

/// The names, each checked against those `list` shows.
std::vector<std::string> knownVariables(const PlainListBox& list, const std::vector<std::string>& names, const char* kind)
{
    std::vector<std::string> known;
    for (int r = 1; r < list.count(); ++r)
        known.push_back(trimmedName(list.text(r)));
    for (const std::string& name : names) {
        if (std::find(known.begin(), known.end(), name) != known.end())
            continue;
        std::string listed;
        for (const std::string& k : known)
            listed += (listed.empty() ? "" : ",") + k;
        throw UsageError(std::string("unknown ") + kind + " variable \"" + name + "\" (known: " + listed + ")");
    }
    return names;
}

/// The command line's choices laid over a fresh start.
RequestChoices applyCommandLine(const CommandLine& line, ApplicationState& state, const PlainLists& lists)
{
    if (line.areaLevel)
        applyAreaChoice(state.areas, *line.areaLevel, line.areaMembers);
    RequestChoices choices;
    if (line.edListFile)
        choices.edList = EdListRecord { *line.edListFile, {} };
    else
        choices.areas = recordAreaChoice(state.areas);
    const VariableNames defaults = selectedVariableNames(state.variables, lists.hhVars, lists.indVars);
    choices.householdVariables
        = line.hhVars ? knownVariables(lists.hhVars, *line.hhVars, "household") : defaults.household;
    choices.individualVariables
        = line.indVars ? knownVariables(lists.indVars, *line.indVars, "individual") : defaults.individual;
    choices.spatialCodes = line.spatial;
    choices.caseSelection = { line.select, line.wholeHouseholds };
    choices.separateFiles = !line.combined;
    choices.format = line.format.value_or(OutputFormat::Csv);
    choices.compress = line.compress;
    choices.outputFolder = line.outputFolder.value_or(state.settings.outputFolder);
    choices.rootFileName = line.rootFileName.value_or(state.settings.rootFileName);
    return choices;
}

/// A saved request laid over a fresh start, as `line` overrides it; notes say where
/// the ED list or the reference files differ from what the request records.
RequestChoices applySavedRequest(
    const CommandLine& line, ApplicationState& state, PlainLists& lists, ExtractOptions& options, std::ostream& err)
{
    const SavedRequest request = readRequestFile(*line.requestFile);
    try {
        applyRequest(request, state, lists.hhVars, lists.indVars);
    } catch (const RequestMismatch& e) {
        throw UsageError(*line.requestFile + ": " + e.what());
    }
    for (const std::string& note : requestDifferences(request, state.folders))
        err << kProgram << ": note: " << note << "\n";
    RequestChoices choices = request;
    choices.outputFolder = line.outputFolder.value_or(request.outputFolder);
    choices.rootFileName = line.rootFileName.value_or(request.rootFileName);
    choices.format = line.format.value_or(request.format);
    choices.compress = request.compress || line.compress;
    if (request.run && !request.run->fileTime.empty())
        options.fileTime = parseUtcTime(request.run->fileTime);
    return choices;
}

/// A dry run reports the counts its estimate assumed; an extraction, the counts it wrote.
void report(const ExtractOutcome& outcome, std::ostream& out)
{
    out << "estimate: " << outcome.estimate.text << outcome.estimate.unit << "\n";
    if (outcome.status == ExtractStatus::Estimated) {
        auto whole = [](double count) { return static_cast<std::uint64_t>(count); };
        out << "households: " << whole(outcome.estimate.households) << "\n"
            << "persons: " << whole(outcome.estimate.persons) << "\n"
            << "eds: " << whole(outcome.estimate.eds) << "\n";
    } else {
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

/// The exit status of a run that ended at `message` without extracting.
int refusalStatus(std::optional<MessageId> message)
{
    if (message == MessageId::ExtractionCancelled)
        return kExitCancelled;
    // The place cannot take the output now: a data-side failure, not a bad option.
    if (message == MessageId::NotEnoughSpace || message == MessageId::OutputBusy)
        return kExitDataError;
    return kExitUsage;
}

/// One CSV line per area of `level`: number, code, name, then its parents' names
/// nearest first, with a header line.
void listAreas(
    const AreaDirectory& directory, AreaLevel level, const std::optional<std::string>& match, std::ostream& out)
{
    out << "number,code,name";
    for (int up = static_cast<int>(level) - 1; up >= 0; --up)
        out << ',' << kAreaLevelNames[static_cast<std::size_t>(up)];
    out << '\n';
    auto line = [&](const AreaEntry& e) {
        out << e.member << ',' << csvField(e.code) << ',' << csvField(e.name);
        for (const std::string& parent : directory.parentNames(e))
            out << ',' << csvField(parent);
        out << '\n';
    };
    if (match)
        for (const AreaEntry* e : directory.findAtLevel(level, *match))
            line(*e);
    else
        for (const AreaEntry& e : directory.members(level))
            line(e);
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal,
    const std::atomic<bool>* cancel)
{
    CommandLine line = CommandLine::parse(arguments);
    if (std::optional<int> status = answerHelpOrVersion(kProgram, line.help, line.version, CommandLine::helpText, out))
        return *status;

    std::unique_ptr<ApplicationState> state
        = loadApplicationState(DataFolders::under(line.dataFolder.value_or(currentDirectory())));
    if (line.listLevel) {
        listAreas(AreaDirectory(state->areas), *line.listLevel, line.listMatch, out);
        return kExitDone;
    }
    PlainLists lists;
    AreaCascade cascade(state->areas, lists.areaPointers());
    startSession(*state, cascade, lists.hhVars, lists.indVars);
    ExtractOptions options;
    options.estimateOnly = line.dryRun;
    RequestChoices choices = line.requestFile ? applySavedRequest(line, *state, lists, options, err)
                                              : applyCommandLine(line, *state, lists);
    choices.loadingScripts = !line.noScripts;

    if (choices.edList && regularFileExists(choices.edList->path)) {
        // Each listed code is extracted as often as it is listed; say so, once.
        std::size_t repeated = repeatedCodeCount(readUserEdList(choices.edList->path));
        if (repeated > 0)
            err << kProgram << ": note: " << repeated << (repeated == 1 ? " code is" : " codes are")
                << " listed more than once\n";
    }

    if (!line.table.empty())
        return runTableCommand(line, *state, choices, out, err, cancel);

    CommandLineDialogs dialogs(err);
    ExtractCommand command(state->folders, state->areas, state->variables, state->settings, dialogs, state->random);
    command.setCancelFlag(cancel);
    command.setCaseCounter(
        tableCaseCounter(state->areas, state->folders, state->labels ? &*state->labels : nullptr));
    // bench/extract/formats.sh times the request file against a run without it.
    command.setRecording({ state->labels ? &*state->labels : nullptr, &state->randomDraws,
        std::getenv("ZENDRA91_BENCH_NO_REQUEST_FILE") == nullptr });
    if (!state->labels && formatInfo(choices.format).statistics)
        err << kProgram << ": note: the data folder has no SARGlossary/" << kVariableLabelsFile
            << ": the codebook and statistics files carry names only\n";
    ProgressBar bar(err);
    if (!line.quiet && errIsTerminal)
        command.setProgress([&bar](std::uint64_t done, std::uint64_t total) { bar.update(done, total); });
    ExtractOutcome outcome = command.run(choices, options);
    bar.finish();

    switch (outcome.status) {
    case ExtractStatus::Cancelled:
        if (outcome.cancelledAt == MessageId::ExtractionCancelled)
            dialogs.refusal = ExtractMessage::extractionCancelled().joined(" ");
        err << kProgram << ": " << dialogs.refusal << "\n";
        return refusalStatus(outcome.cancelledAt);
    case ExtractStatus::Failed:
        err << kProgram << ": " << outcome.error << "\n";
        return kExitDataError;
    case ExtractStatus::Estimated:
    case ExtractStatus::Done:
    case ExtractStatus::DoneWithRejectedCodes:
        break;
    }
    report(outcome, out);
    if (!choices.caseSelection.empty() && outcome.status != ExtractStatus::Estimated && outcome.result.households == 0)
        err << kProgram << ": note: " << ExtractMessage::noCaseMatched().joined(" ") << "\n";
    if (outcome.request.rejectedEdsFound) {
        err << kProgram << ": some ED codes were rejected: see " << outcome.request.rejectedEdsPath << "\n";
        return kExitRejected;
    }
    return kExitDone;
}

} // namespace

int runExtractTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal,
    const std::atomic<bool>* cancel)
{
    try {
        return run(arguments, out, err, errIsTerminal, cancel);
    } catch (const UsageError& e) {
        return reportUsageError(kProgram, e.what(), err);
    } catch (const std::exception& e) {
        // A DataFileError names the file and the record; anything else still gets a report.
        err << kProgram << ": " << e.what() << "\n";
        return kExitDataError;
    }
}

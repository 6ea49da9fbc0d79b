#include "extraction/ExtractCommand.h"

#include "extraction/CaseSelector.h"
#include "extraction/EdList.h"
#include "extraction/SarTables.h"
#include "extraction/ExtractDialogs.h"
#include "extraction/UserEdList.h"
#include "base/Version.h"
#include "request/AreaRecord.h"
#include "request/ReferenceDigest.h"
#include "textio/Sha256.h"
#include "geography/AreaTables.h"
#include "geography/FinalWardSelection.h"
#include "base/CurrentSettings.h"
#include "base/DataFolders.h"
#include "fileio/CancelledError.h"
#include "fileio/FreeSpace.h"
#include "textio/DataFileError.h"
#include "textio/Text.h"
#include "variables/VariableCatalogue.h"

#include <cassert>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <cstring>
#include <future>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool isDirectory(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool writableFolder(const std::string& path)
{
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string normalisedOutputFolder(const std::string& folder)
{
    std::string result(trim(folder));
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

std::optional<double> parseThreshold(const std::string& text)
{
    std::string_view number = trim(text);
    if (number.empty())
        return std::nullopt;
    const bool negative = number[0] == '-';
    if (negative || number[0] == '+')
        number.remove_prefix(1);
    // from_chars alone would also take "inf", "nan" and a second sign.
    if (number.empty() || !(number[0] == '.' || (number[0] >= '0' && number[0] <= '9')))
        return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return negative ? -value : value;
}

ExtractMessage ExtractOutcome::completionMessage() const
{
    if (status != ExtractStatus::DoneWithRejectedCodes)
        return ExtractMessage::done();
    // Named only when it is not where the message says it is.
    const bool elsewhere = request.rejectedEdsPath.rfind(request.outputFolder, 0) == 0;
    return ExtractMessage::doneWithRejectedCodes(elsewhere ? request.rejectedEdsPath : std::string());
}

ExtractCommand::ExtractCommand(const DataFolders& folders, AreaTables& areas, VariableCatalogue& catalogue,
    CurrentSettings& settings, ExtractDialogs& dialogs, std::mt19937& random)
    : m_folders(folders)
    , m_areas(areas)
    , m_catalogue(catalogue)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_random(random)
{
}

ExtractCommand::~ExtractCommand() = default;

// Runs `step`; a failure or a cancellation ends the press with what it says.
template <typename Step> std::optional<ExtractOutcome> ExtractCommand::guarded(Step step)
{
    try {
        return step();
    } catch (const CancelledError&) {
        // Not shown here: the front end says so once its progress display is gone.
        m_run->outcome.status = ExtractStatus::Cancelled;
        m_run->outcome.cancelledAt = MessageId::ExtractionCancelled;
    } catch (const DataFileError& e) {
        m_run->outcome.status = ExtractStatus::Failed;
        m_run->outcome.error = e.what();
    }
    m_run->lock.reset();
    return std::move(m_run->outcome);
}

std::optional<ExtractOutcome> ExtractCommand::prepare(const RequestChoices& choices, const ExtractOptions& options)
{
    m_run.reset(new Run { choices, options, {}, {}, !choices.separateFiles, std::nullopt });
    // The settings follow the choices, as the window's controls do.
    m_settings.outputFolder = choices.outputFolder;
    m_settings.rootFileName = choices.rootFileName;
    m_settings.separateFiles = choices.separateFiles;
    if (choices.edList)
        m_settings.edListFile = choices.edList->path;
    return guarded([this]() -> std::optional<ExtractOutcome> {
        // The fixed order of the checks; the first that ends the command says why.
        for (auto step :
            { &ExtractCommand::checkRootName, &ExtractCommand::checkCaseSelection, &ExtractCommand::checkUserEdList, &ExtractCommand::prepareOutputFolder,
                &ExtractCommand::checkVariables, &ExtractCommand::checkCombinedFile, &ExtractCommand::estimateAndWarn,
                &ExtractCommand::checkBeforeWriting }) {
            if (std::optional<MessageId> stop = (this->*step)(*m_run)) {
                m_run->outcome.status = ExtractStatus::Cancelled;
                m_run->outcome.cancelledAt = stop;
                m_run->lock.reset();
                return std::move(m_run->outcome);
            }
        }
        return std::nullopt;
    });
}

ExtractOutcome ExtractCommand::execute()
{
    assert(m_run);
    std::optional<ExtractOutcome> failed = guarded([this]() -> std::optional<ExtractOutcome> {
        extract(*m_run);
        return std::nullopt;
    });
    ExtractOutcome outcome = failed ? std::move(*failed) : std::move(m_run->outcome);
    m_run.reset();
    return outcome;
}

ExtractOutcome ExtractCommand::run(const RequestChoices& choices, const ExtractOptions& options)
{
    if (std::optional<ExtractOutcome> ended = prepare(choices, options))
        return std::move(*ended);
    return execute();
}

// The report is written here, before any later check, so it exists even when a
// later step ends the command.
std::optional<MessageId> ExtractCommand::checkUserEdList(Run& run)
{
    ExtractRequest& request = run.outcome.request;
    request.useUserEdList = run.choices.edList.has_value();
    request.edListFile = m_settings.edListFile;
    request.rootFileName = m_settings.rootFileName;
    request.separateFiles = m_settings.separateFiles;
    request.spatialCodeFlags = run.choices.spatialCodes;
    request.caseSelection = run.choices.caseSelection;
    // Known before the estimate and the overwrite question, which both depend on them.
    request.format = run.choices.format;
    request.compress = run.choices.compress;
    request.loadingScripts = run.choices.loadingScripts;
    if (!request.useUserEdList)
        return std::nullopt;
    std::error_code error;
    if (!fs::exists(request.edListFile, error)) {
        m_dialogs.inform(ExtractMessage::edListMissing(request.edListFile));
        return MessageId::M1;
    }
    // Something that is there but is no list (a folder, a device, a huge file) is
    // refused by the reader, saying what it is.
    run.codes = readUserEdList(request.edListFile);
    // A shared, read-only installation still gets its report, beside the output.
    std::string reportFolder = m_folders.baseFolder;
    if (!writableFolder(reportFolder.empty() ? "." : reportFolder))
        reportFolder = normalisedOutputFolder(m_settings.outputFolder);
    UserListValidation validation = validateUserEdList(run.codes, m_folders, reportFolder);
    request.rejectedEdsPath = validation.reportPath;
    // Records carry the code as the data files name it.
    for (std::string& code : run.codes)
        code = edCodeKey(code);
    request.userListEdCount = validation.edCount;
    request.rejectedEdsFound = validation.rejectedEdsFound;
    return std::nullopt;
}

std::optional<MessageId> ExtractCommand::prepareOutputFolder(Run& run)
{
    ExtractRequest& request = run.outcome.request;
    request.outputFolder = m_settings.outputFolder = normalisedOutputFolder(m_settings.outputFolder);
    if (isDirectory(request.outputFolder))
        return std::nullopt;
    std::error_code error;
    if (fs::exists(fs::symlink_status(request.outputFolder.substr(0, request.outputFolder.size() - 1), error))) {
        m_dialogs.inform(ExtractMessage::outputNotAFolder(request.outputFolder));
        return MessageId::OutputNotAFolder;
    }
    // A dry run writes nothing, so it creates nothing either.
    if (run.options.estimateOnly)
        return std::nullopt;
    if (!m_dialogs.askYesNo(ExtractMessage::createOutputFolder(request.outputFolder)))
        return MessageId::M2;
    if (!fs::create_directories(request.outputFolder, error) && error)
        throw DataFileError::io(request.outputFolder, "cannot create folder", error.value());
    return std::nullopt;
}

std::optional<MessageId> ExtractCommand::checkVariables(Run& run)
{
    selectVariablesByName(m_catalogue, run.choices.householdVariables, run.choices.individualVariables);
    if (m_catalogue.hhSelected[0] == 0 && m_catalogue.indSelected[0] == 0) {
        m_dialogs.inform(ExtractMessage::noVariablesSelected());
        return MessageId::M3;
    }
    return std::nullopt;
}

// A combined file needs both kinds of variable; with one kind only, Yes turns to
// separate files. HNUM is the first row of both lists.
std::optional<MessageId> ExtractCommand::checkCombinedFile(Run& run)
{
    auto separateInstead = [&] {
        run.combined = false;
        run.outcome.combinedCleared = true;
        run.outcome.request.separateFiles = m_settings.separateFiles = true;
    };
    if (run.combined && m_catalogue.indSelected[0] == 0) {
        if (!m_dialogs.askYesNo(ExtractMessage::householdFileOnly()))
            return MessageId::M4;
        separateInstead();
    }
    if (run.combined && m_catalogue.hhSelected[0] == 0) {
        if (!m_dialogs.askYesNo(ExtractMessage::individualFileOnly()))
            return MessageId::M5;
        separateInstead();
    }
    if (run.combined && m_catalogue.hhSelected[m_catalogue.hhListMap[1]] == 1
        && m_catalogue.indSelected[m_catalogue.indListMap[1]] == 1 && !m_dialogs.askYesNo(ExtractMessage::hnumTwice()))
        return MessageId::M6;
    return std::nullopt;
}

std::optional<MessageId> ExtractCommand::estimateAndWarn(Run& run)
{
    ExtractRequest& request = run.outcome.request;
    finalWardSelection(m_areas);
    std::optional<CountedCases> counted;
    if (!request.caseSelection.empty() && m_caseCounter) {
        // Counted exactly: a selection can take any share of the ward totals.
        const SarTables sar = loadSarTables(m_folders);
        const CaseSelector selector(request.caseSelection, m_catalogue, sar, m_recording.labels);
        const EdList edList
            = request.useUserEdList ? EdList::fromUserList(run.codes) : EdList::fromAreaSelection(m_areas);
        const SelectedCaseCounts selected = m_caseCounter(selector, edList, sar, m_random);
        counted = CountedCases { static_cast<double>(selected.households), static_cast<double>(selected.persons) };
    }
    run.outcome.estimate = estimateOutputSize(request, run.combined, m_catalogue, m_areas, counted);
    request.estimatedSize = run.outcome.estimate.size;
    request.estimatedSizeUnit = run.outcome.estimate.unit;
    request.estimatedSizeText = run.outcome.estimate.text;
    if (!run.choices.sizeWarningThreshold)
        return std::nullopt;
    request.sizeWarningThreshold = parseThreshold(*run.choices.sizeWarningThreshold);
    if (!request.sizeWarningThreshold) {
        m_dialogs.inform(ExtractMessage::thresholdNotANumber(*run.choices.sizeWarningThreshold));
        return MessageId::ThresholdNotANumber;
    }
    if (run.outcome.estimate.megabytes > *request.sizeWarningThreshold
        && !m_dialogs.askYesNo(ExtractMessage::sizeWarning(request.estimatedSizeText, request.estimatedSizeUnit)))
        return MessageId::M7;
    return std::nullopt;
}

std::vector<std::string> outputPaths(const ExtractRequest& request, const VariableCatalogue& catalogue)
{
    const std::string stem = request.outputFolder + request.rootFileName;
    const std::string suffix = dataFileSuffix(request);
    std::vector<std::string> paths;
    if (!request.separateFiles)
        paths.push_back(stem + "_hhind" + suffix);
    else {
        if (catalogue.hhSelected[0] == 1)
            paths.push_back(stem + "_hh" + suffix);
        if (catalogue.indSelected[0] == 1)
            paths.push_back(stem + "_ind" + suffix);
    }
    return paths;
}

// Before anything is written, RejectedEDs.txt included: a condition that cannot be
// met by this data set is a mistake to report, not an empty extract to write.
std::optional<MessageId> ExtractCommand::checkCaseSelection(Run& run)
{
    if (run.choices.caseSelection.empty())
        return std::nullopt;
    const SarTables sar = loadSarTables(m_folders);
    try {
        CaseSelector(run.choices.caseSelection, m_catalogue, sar, m_recording.labels);
    } catch (const SelectionError& e) {
        m_dialogs.inform(ExtractMessage::caseSelectionRefused(e.what()));
        return MessageId::CaseSelectionRefused;
    }
    return std::nullopt;
}

// A root name is a plain file name: "/" would write outside the output folder, and
// control characters would reach terminals and file listings.
std::optional<MessageId> ExtractCommand::checkRootName(Run&)
{
    const std::string& root = m_settings.rootFileName;
    for (char c : root) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || u < 0x20 || u == 0x7f) {
            m_dialogs.inform(ExtractMessage::rootNameRefused(root));
            return MessageId::RootNameRefused;
        }
    }
    return std::nullopt;
}

// Everything that can be known before the first byte is written: the final names,
// the folder, the lock, the space and the user's word on replacing files.
std::optional<MessageId> ExtractCommand::checkBeforeWriting(Run& run)
{
    if (run.options.estimateOnly)
        return std::nullopt;
    const ExtractRequest& request = run.outcome.request;
    if (!writableFolder(request.outputFolder))
        throw DataFileError::io(request.outputFolder, "cannot write into the output folder", EACCES);
    std::vector<std::string> existing;
    for (const std::string& path : outputPaths(request, m_catalogue)) {
        std::error_code error;
        fs::file_status status = fs::symlink_status(path, error);
        if (fs::is_directory(status))
            throw DataFileError(path, 0, 0, "is a folder, not a file");
        if (fs::exists(status))
            existing.push_back(path);
    }
    run.lock = OutputLock::tryAcquire(request.outputFolder, request.rootFileName, *m_fs);
    if (!run.lock) {
        m_dialogs.inform(
            ExtractMessage::outputBusy(OutputLock::busyMessage(request.outputFolder, request.rootFileName)));
        return MessageId::OutputBusy;
    }
    FreeSpaceCheck space = checkFreeSpace(request.outputFolder, run.outcome.estimate.megabytes * 1048576.0, *m_fs);
    if (!space.fits && !m_dialogs.askYesNoDefaultNo(ExtractMessage::notEnoughSpace(space.message)))
        return MessageId::NotEnoughSpace;
    if (!existing.empty() && !m_dialogs.askYesNoDefaultNo(ExtractMessage::overwrite(existing)))
        return MessageId::Overwrite;
    return std::nullopt;
}

void ExtractCommand::extract(Run& run)
{
    ExtractRequest& request = run.outcome.request;
    if (run.options.estimateOnly) {
        run.outcome.status = ExtractStatus::Estimated;
        return;
    }
    request.fileTime = run.options.fileTime.value_or(std::time(nullptr));
    const std::uint64_t codeCount = run.codes.size();
    EdList edList
        = request.useUserEdList ? EdList::fromUserList(std::move(run.codes)) : EdList::fromAreaSelection(m_areas);
    ExtractionExtras extras;
    extras.labels = m_recording.labels;
    extras.fileSystem = m_fs;
    std::future<std::string> reference;
    SavedRequest saved;
    if (m_recording.writeRequest) {
        // The reference files are hashed on the second core while the first extracts.
        reference = std::async(std::launch::async, [this] { return referenceFilesSha256(m_folders); });
        saved = savedRequest(run);
        extras.requestJson = [&](const ExtractionResult& result) {
            saved.run = runRecord(run, result, reference.get());
            if (request.useUserEdList)
                saved.run->rejectedCodes = codeCount - result.writtenEds;
            return requestToJson(saved);
        };
    }
    run.outcome.result
        = runExtraction(request, edList, m_catalogue, m_areas, m_folders, m_random, m_progress, m_cancel, extras);
    if (m_recording.randomDraws)
        *m_recording.randomDraws += run.outcome.result.randomDraws;
    run.outcome.status = request.rejectedEdsFound ? ExtractStatus::DoneWithRejectedCodes : ExtractStatus::Done;
}

SavedRequest ExtractCommand::savedRequest(const Run& run) const
{
    const ExtractRequest& request = run.outcome.request;
    SavedRequest saved;
    if (request.useUserEdList) {
        saved.edList = EdListRecord { request.edListFile, sha256OfFile(request.edListFile) };
    } else {
        saved.areas = recordAreaChoice(m_areas);
    }
    for (int k = 1; k <= kNumHhVars; ++k)
        if (m_catalogue.hhSelected[k] == 1)
            saved.householdVariables.push_back(trimmedName(m_catalogue.hhVarNames[k]));
    for (int k = 1; k <= kNumIndVars; ++k)
        if (m_catalogue.indSelected[k] == 1)
            saved.individualVariables.push_back(trimmedName(m_catalogue.indVarNames[k]));
    saved.spatialCodes = request.spatialCodeFlags;
    saved.caseSelection = request.caseSelection;
    saved.separateFiles = request.separateFiles;
    saved.outputFolder = request.outputFolder;
    saved.rootFileName = request.rootFileName;
    saved.format = request.format;
    saved.compress = request.compress;
    saved.randomDraws = m_recording.randomDraws ? *m_recording.randomDraws : 0;
    return saved;
}

RunRecord ExtractCommand::runRecord(
    const Run& run, const ExtractionResult& result, const std::string& referenceSha256) const
{
    RunRecord record;
    record.program = kProgramName;
    record.version = kProgramVersion;
    record.utcTime = utcTimeNow();
    if (run.outcome.request.format != OutputFormat::Csv)
        record.fileTime = utcTimeText(run.outcome.request.fileTime);
    record.dataFolder = m_folders.baseFolder;
    record.referenceSha256 = referenceSha256;
    record.households = result.households;
    record.persons = result.persons;
    record.eds = result.writtenEds;
    record.outputFiles = result.outputs;
    return record;
}

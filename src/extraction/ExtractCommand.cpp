#include "extraction/ExtractCommand.h"

#include "extraction/EdList.h"
#include "extraction/ExtractDialogs.h"
#include "extraction/UserEdList.h"
#include "geography/AreaTables.h"
#include "geography/FinalWardSelection.h"
#include "base/CurrentSettings.h"
#include "base/DataFolders.h"
#include "textio/DataFileError.h"
#include "variables/VariableCatalogue.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

namespace {

bool isDirectory(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool existsAsNonDirectory(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace

std::string normalisedOutputFolder(const std::string& folder)
{
    std::size_t first = folder.find_first_not_of(' ');
    std::string result
        = first == std::string::npos ? std::string() : folder.substr(first, folder.find_last_not_of(' ') - first + 1);
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

std::optional<double> parseThreshold(const std::string& text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    std::string_view number = std::string_view(text).substr(first, text.find_last_not_of(' ') - first + 1);
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
    return status == ExtractStatus::DoneWithRejectedCodes ? ExtractMessage::doneWithRejectedCodes()
                                                          : ExtractMessage::done();
}

ExtractCommand::ExtractCommand(const DataFolders& folders, AreaTables& areas, VariableCatalogue& catalogue,
    const ListBox& hhList, const ListBox& indList, CurrentSettings& settings, ExtractDialogs& dialogs,
    std::mt19937& random)
    : m_folders(folders)
    , m_areas(areas)
    , m_catalogue(catalogue)
    , m_hhList(hhList)
    , m_indList(indList)
    , m_settings(settings)
    , m_dialogs(dialogs)
    , m_random(random)
{
}

ExtractOutcome ExtractCommand::run(const ExtractInputs& inputs)
{
    Run run { inputs, {}, {}, inputs.combinedChosen };
    try {
        // The fixed order of the checks; the first that ends the command says why.
        for (auto step :
            { &ExtractCommand::checkUserEdList, &ExtractCommand::prepareOutputFolder, &ExtractCommand::checkVariables,
                &ExtractCommand::checkCombinedFile, &ExtractCommand::estimateAndWarn }) {
            if (std::optional<MessageId> stop = (this->*step)(run)) {
                run.outcome.status = ExtractStatus::Cancelled;
                run.outcome.cancelledAt = stop;
                return std::move(run.outcome);
            }
        }
        extract(run);
    } catch (const DataFileError& e) {
        run.outcome.status = ExtractStatus::Failed;
        run.outcome.error = e.what();
    }
    return std::move(run.outcome);
}

// The report is written here, before any later check, so it exists even when a
// later step ends the command.
std::optional<MessageId> ExtractCommand::checkUserEdList(Run& run)
{
    ExtractRequest& request = run.outcome.request;
    request.useUserEdList = run.inputs.useUserEdList;
    request.edListFile = m_settings.edListFile = run.inputs.edListText;
    request.rootFileName = m_settings.rootFileName;
    request.separateFiles = m_settings.separateFiles;
    request.spatialCodeFlags = run.inputs.spatialCodeFlags;
    if (!request.useUserEdList)
        return std::nullopt;
    if (!existsAsNonDirectory(request.edListFile)) {
        m_dialogs.inform(ExtractMessage::edListMissing(request.edListFile));
        return MessageId::M1;
    }
    run.codes = readUserEdList(request.edListFile);
    UserListValidation validation = validateUserEdList(run.codes, m_folders);
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
    if (!m_dialogs.askYesNo(ExtractMessage::createOutputFolder(request.outputFolder)))
        return MessageId::M2;
    if (::mkdir(request.outputFolder.c_str(), 0777) != 0)
        throw DataFileError::io(request.outputFolder, "cannot create folder", errno);
    return std::nullopt;
}

std::optional<MessageId> ExtractCommand::checkVariables(Run&)
{
    captureVariableSelection(m_catalogue, m_hhList, m_indList);
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
    run.outcome.estimate = estimateOutputSize(request, run.combined, m_catalogue, m_areas);
    request.estimatedSize = run.outcome.estimate.size;
    request.estimatedSizeUnit = run.outcome.estimate.unit;
    request.estimatedSizeText = run.outcome.estimate.text;
    if (!run.inputs.thresholdText)
        return std::nullopt;
    request.sizeWarningThreshold = parseThreshold(*run.inputs.thresholdText);
    if (!request.sizeWarningThreshold) {
        m_dialogs.inform(ExtractMessage::thresholdNotANumber(*run.inputs.thresholdText));
        return MessageId::ThresholdNotANumber;
    }
    if (run.outcome.estimate.megabytes > *request.sizeWarningThreshold
        && !m_dialogs.askYesNo(ExtractMessage::sizeWarning(request.estimatedSizeText, request.estimatedSizeUnit)))
        return MessageId::M7;
    return std::nullopt;
}

void ExtractCommand::extract(Run& run)
{
    ExtractRequest& request = run.outcome.request;
    if (run.inputs.estimateOnly) {
        run.outcome.status = ExtractStatus::Estimated;
        return;
    }
    EdList edList
        = request.useUserEdList ? EdList::fromUserList(std::move(run.codes)) : EdList::fromAreaSelection(m_areas);
    run.outcome.result = runExtraction(request, edList, m_catalogue, m_areas, m_folders, m_random, m_progress);
    run.outcome.status = request.rejectedEdsFound ? ExtractStatus::DoneWithRejectedCodes : ExtractStatus::Done;
}

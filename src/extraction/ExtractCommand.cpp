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

ExtractOutcome cancelled(ExtractOutcome outcome, MessageId at)
{
    outcome.status = ExtractStatus::Cancelled;
    outcome.cancelledAt = at;
    return outcome;
}

} // namespace

std::string normalisedOutputFolder(const std::string& folder)
{
    std::size_t first = folder.find_first_not_of(' ');
    std::string result = first == std::string::npos ? std::string() : folder.substr(first, folder.find_last_not_of(' ') - first + 1);
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

std::optional<double> parseThreshold(const std::string& text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    std::string_view number(text);
    number = number.substr(first, text.find_last_not_of(' ') - first + 1);
    std::size_t i = 0;
    if (number[0] == '+' || number[0] == '-')
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < number.size(); ++i) {
        if (number[i] >= '0' && number[i] <= '9')
            ++digits;
        else if (number[i] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    double value = 0;
    // from_chars takes no leading "+".
    std::string_view unsigned_ = number[0] == '+' ? number.substr(1) : number;
    auto [ptr, ec] = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value);
    if (ec != std::errc() || ptr != unsigned_.data() + unsigned_.size())
        return std::nullopt;
    return value;
}

ExtractMessage ExtractOutcome::completionMessage() const
{
    return status == ExtractStatus::DoneWithRejectedCodes ? ExtractMessage::doneWithRejectedCodes()
                                                          : ExtractMessage::done();
}

ExtractCommand::ExtractCommand(const DataFolders& folders, AreaTables& areas, VariableCatalogue& catalogue,
                               const ListBox& hhList, const ListBox& indList, CurrentSettings& settings,
                               ExtractDialogs& dialogs, std::mt19937& random)
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
    try {
        return runSteps(inputs);
    } catch (const DataFileError& e) {
        ExtractOutcome outcome;
        outcome.status = ExtractStatus::Failed;
        outcome.error = e.what();
        return outcome;
    }
}

ExtractOutcome ExtractCommand::runSteps(const ExtractInputs& inputs)
{
    ExtractOutcome outcome;
    ExtractRequest& request = outcome.request;
    request.useUserEdList = inputs.useUserEdList;
    request.edListFile = m_settings.edListFile = inputs.edListText;
    request.rootFileName = m_settings.rootFileName;
    request.separateFiles = m_settings.separateFiles;
    request.spatialCodeFlags = inputs.spatialCodeFlags;

    // The report is written before any later check, so it exists even when a later
    // step ends the command.
    std::vector<std::string> codes;
    if (request.useUserEdList) {
        if (!existsAsNonDirectory(request.edListFile)) {
            m_dialogs.inform(ExtractMessage::edListMissing(request.edListFile));
            return cancelled(std::move(outcome), MessageId::M1);
        }
        codes = readUserEdList(request.edListFile);
        UserListValidation validation = validateUserEdList(codes, m_folders);
        request.userListEdCount = validation.edCount;
        request.rejectedEdsFound = validation.rejectedEdsFound;
    }

    request.outputFolder = m_settings.outputFolder = normalisedOutputFolder(m_settings.outputFolder);
    if (!isDirectory(request.outputFolder)) {
        if (!m_dialogs.askYesNo(ExtractMessage::createOutputFolder(request.outputFolder)))
            return cancelled(std::move(outcome), MessageId::M2);
        if (::mkdir(request.outputFolder.c_str(), 0777) != 0)
            throw DataFileError::io(request.outputFolder, "cannot create folder", errno);
    }

    captureVariableSelection(m_catalogue, m_hhList, m_indList);
    if (m_catalogue.hhSelected[0] == 0 && m_catalogue.indSelected[0] == 0) {
        m_dialogs.inform(ExtractMessage::noVariablesSelected());
        return cancelled(std::move(outcome), MessageId::M3);
    }

    bool combined = inputs.combinedChosen;
    auto separateInstead = [&] {
        combined = false;
        outcome.combinedCleared = true;
        request.separateFiles = m_settings.separateFiles = true;
    };
    if (combined && m_catalogue.indSelected[0] == 0) {
        if (!m_dialogs.askYesNo(ExtractMessage::householdFileOnly()))
            return cancelled(std::move(outcome), MessageId::M4);
        separateInstead();
    }
    if (combined && m_catalogue.hhSelected[0] == 0) {
        if (!m_dialogs.askYesNo(ExtractMessage::individualFileOnly()))
            return cancelled(std::move(outcome), MessageId::M5);
        separateInstead();
    }
    if (combined && m_catalogue.hhSelected[m_catalogue.hhListMap[1]] == 1
        && m_catalogue.indSelected[m_catalogue.indListMap[1]] == 1) {
        if (!m_dialogs.askYesNo(ExtractMessage::hnumTwice()))
            return cancelled(std::move(outcome), MessageId::M6);
    }

    finalWardSelection(m_areas);
    outcome.estimate = estimateOutputSize(request, combined, m_catalogue, m_areas);
    request.estimatedSize = outcome.estimate.size;
    request.estimatedSizeUnit = outcome.estimate.unit;
    request.estimatedSizeText = outcome.estimate.text;

    if (inputs.thresholdText) {
        request.sizeWarningThreshold = parseThreshold(*inputs.thresholdText);
        if (!request.sizeWarningThreshold) {
            m_dialogs.inform(ExtractMessage::thresholdNotANumber(*inputs.thresholdText));
            return cancelled(std::move(outcome), MessageId::ThresholdNotANumber);
        }
        if (outcome.estimate.megabytes > *request.sizeWarningThreshold
            && !m_dialogs.askYesNo(ExtractMessage::sizeWarning(request.estimatedSizeText, request.estimatedSizeUnit)))
            return cancelled(std::move(outcome), MessageId::M7);
    }

    if (inputs.estimateOnly) {
        outcome.status = ExtractStatus::Estimated;
        return outcome;
    }

    EdList edList = request.useUserEdList ? EdList::fromUserList(std::move(codes)) : EdList::fromAreaSelection(m_areas);
    try {
        outcome.result = runExtraction(request, edList, m_catalogue, m_areas, m_folders, m_random, m_progress);
    } catch (const DataFileError& e) {
        outcome.status = ExtractStatus::Failed;
        outcome.error = e.what();
        return outcome;
    }
    outcome.status = request.rejectedEdsFound ? ExtractStatus::DoneWithRejectedCodes : ExtractStatus::Done;
    return outcome;
}

#include "extraction/ExtractMessage.h"

std::string ExtractMessage::joined(const std::string& separator) const
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += separator;
        text += lines[i];
    }
    return text;
}

std::string ExtractMessage::text() const
{
    return joined("\r");
}

ExtractMessage ExtractMessage::edListMissing(const std::string& edListFile)
{
    return { MessageId::M1, MessageButtons::Ok, MessageIcon::Warning,
        { "User supplied ED list", edListFile, "does not exist" } };
}

ExtractMessage ExtractMessage::createOutputFolder(const std::string& outputFolder)
{
    return { MessageId::M2, MessageButtons::YesNo, MessageIcon::Warning,
        { "Output folder", outputFolder, "does not exist.  Create now?" } };
}

ExtractMessage ExtractMessage::noVariablesSelected()
{
    return { MessageId::M3, MessageButtons::Ok, MessageIcon::Warning, { "No variables selected for output" } };
}

ExtractMessage ExtractMessage::householdFileOnly()
{
    return { MessageId::M4, MessageButtons::YesNo, MessageIcon::Question,
        { "Cannot create a combined file:", "only household variables selected.", "", "Create household file only?" } };
}

ExtractMessage ExtractMessage::individualFileOnly()
{
    return { MessageId::M5, MessageButtons::YesNo, MessageIcon::Question,
        { "Cannot create a combined file:", "only individual variables selected.", "",
            "Create individual file only?" } };
}

ExtractMessage ExtractMessage::hnumTwice()
{
    return { MessageId::M6, MessageButtons::YesNo, MessageIcon::Question,
        { "Are you sure that you want", "HNUM to be inclucded twice", " in the output file." } };
}

ExtractMessage ExtractMessage::sizeWarning(const std::string& sizeText, const std::string& unit)
{
    return { MessageId::M7, MessageButtons::YesNo, MessageIcon::Warning,
        { "Warning: Estimated output file size", "> " + sizeText + unit, "", "Do you still wish to proceed?" } };
}

ExtractMessage ExtractMessage::doneWithRejectedCodes(const std::string& reportPath)
{
    if (!reportPath.empty())
        return { MessageId::M8, MessageButtons::YesNo, MessageIcon::Warning,
            { "Data extraction completed, but some", "of use requested EDs not found: see", reportPath, "for details.",
                "", "Quit program?" } };
    return { MessageId::M8, MessageButtons::YesNo, MessageIcon::Warning,
        { "Data extraction completed, but some", "of use requested EDs not found: see",
            "file RejectedEDs.txt for details.", "", "Quit program?" } };
}

ExtractMessage ExtractMessage::done()
{
    return { MessageId::M9, MessageButtons::YesNo, MessageIcon::None,
        { "Data successfully extracted", "Quit program?" } };
}

ExtractMessage ExtractMessage::thresholdNotANumber(const std::string& thresholdText)
{
    return { MessageId::ThresholdNotANumber, MessageButtons::Ok, MessageIcon::Warning,
        { "The file size warning threshold", "\"" + thresholdText + "\"",
            "is not a number.  Enter a number of megabytes, such as 1 or 2.5." } };
}

ExtractMessage ExtractMessage::extractionFailed(const std::string& reason)
{
    return { MessageId::ExtractionFailed, MessageButtons::Ok, MessageIcon::Critical,
        { "Data extraction failed:", reason, "", "No output file was changed." } };
}

ExtractMessage ExtractMessage::rootNameRefused(const std::string& rootName)
{
    return { MessageId::RootNameRefused, MessageButtons::Ok, MessageIcon::Warning,
        { "The root file name", "\"" + rootName + "\"",
            "holds \"/\" or a control character.  Enter a plain file name, such as Zen91." } };
}

ExtractMessage ExtractMessage::outputNotAFolder(const std::string& outputFolder)
{
    return { MessageId::OutputNotAFolder, MessageButtons::Ok, MessageIcon::Warning,
        { "Output folder", outputFolder, "is a file, not a folder.  Choose a folder." } };
}

ExtractMessage ExtractMessage::outputBusy(const std::string& busyText)
{
    return { MessageId::OutputBusy, MessageButtons::Ok, MessageIcon::Warning, { busyText } };
}

ExtractMessage ExtractMessage::caseSelectionRefused(const std::string& reason)
{
    return { MessageId::CaseSelectionRefused, MessageButtons::Ok, MessageIcon::Warning,
        { "The case selection cannot be used:", reason } };
}

ExtractMessage ExtractMessage::noCaseMatched()
{
    return { MessageId::NoCaseMatched, MessageButtons::Ok, MessageIcon::Warning,
        { "No case matched the selection: the files hold their header lines only." } };
}

ExtractMessage ExtractMessage::notEnoughSpace(const std::string& figures)
{
    return { MessageId::NotEnoughSpace, MessageButtons::YesNo, MessageIcon::Warning,
        { "The output files will not fit:", figures + ".", "", "Extract anyway?" } };
}

ExtractMessage ExtractMessage::overwrite(const std::vector<std::string>& paths)
{
    ExtractMessage message { MessageId::Overwrite, MessageButtons::YesNo, MessageIcon::Question,
        { "Replace the existing" } };
    message.lines.front() += paths.size() == 1 ? " file?" : " files?";
    message.lines.insert(message.lines.end(), paths.begin(), paths.end());
    return message;
}

ExtractMessage ExtractMessage::cancelToClose()
{
    return { MessageId::CancelToClose, MessageButtons::YesNo, MessageIcon::Question,
        { "An extraction is running.", "Cancel it and close ZENDRA91? No output file will be changed." } };
}

ExtractMessage ExtractMessage::extractionCancelled()
{
    return { MessageId::ExtractionCancelled, MessageButtons::Ok, MessageIcon::None,
        { "Extraction cancelled: no output file was changed." } };
}

#pragma once

#include <string>
#include <vector>

/// The fixed messages of the Extract command; both front ends show these words.
enum class MessageId {
    M1, ///< ED list file missing
    M2, ///< output folder missing: create it?
    M3, ///< no variables selected
    M4, ///< combined file, household variables only
    M5, ///< combined file, individual variables only
    M6, ///< HNUM twice
    M7, ///< estimate above the threshold
    M8, ///< done, with rejected codes: quit?
    M9, ///< done: quit?
    ThresholdNotANumber,
    ExtractionFailed,
    RootNameRefused, ///< a root file name that is not a plain file name
    OutputNotAFolder, ///< the output path is an existing file
    OutputBusy, ///< another run holds the output folder
    NotEnoughSpace, ///< the estimate does not fit: go on anyway? (No by default)
    Overwrite, ///< output files exist: replace them? (No by default)
    ExtractionCancelled, ///< Cancel or an interrupt stopped the extraction
    CancelToClose, ///< the window is closing while an extraction writes: cancel it?
    CaseSelectionRefused, ///< a case condition that does not fit the data set
    NoCaseMatched, ///< an extraction with a case selection wrote header lines only
};

enum class MessageIcon { None, Warning, Question, Critical };
enum class MessageButtons { Ok, YesNo };

/// A message box's content: title "ZENDRA91", lines, buttons and icon. For Yes/No
/// questions Yes is the default button.
struct ExtractMessage {
    MessageId id;
    MessageButtons buttons;
    MessageIcon icon;
    std::vector<std::string> lines;

    /// The lines joined by a carriage return, an empty line giving two in a row.
    std::string text() const;
    /// The lines joined by `separator` (the command line joins them with a blank).
    std::string joined(const std::string& separator) const;

    static ExtractMessage edListMissing(const std::string& edListFile); // M1
    static ExtractMessage createOutputFolder(const std::string& outputFolder); // M2
    static ExtractMessage noVariablesSelected(); // M3
    static ExtractMessage householdFileOnly(); // M4
    static ExtractMessage individualFileOnly(); // M5
    static ExtractMessage hnumTwice(); // M6
    static ExtractMessage sizeWarning(const std::string& sizeText, const std::string& unit); // M7
    /// M8; `reportPath`, when given, replaces "file RejectedEDs.txt" (a report
    /// written elsewhere than the working folder).
    static ExtractMessage doneWithRejectedCodes(const std::string& reportPath = {});
    static ExtractMessage done(); // M9
    static ExtractMessage thresholdNotANumber(const std::string& thresholdText);
    /// An extraction that stopped on a bad data file or an output failure.
    static ExtractMessage extractionFailed(const std::string& reason);
    static ExtractMessage rootNameRefused(const std::string& rootName);
    static ExtractMessage outputNotAFolder(const std::string& outputFolder);
    static ExtractMessage outputBusy(const std::string& busyText);
    static ExtractMessage notEnoughSpace(const std::string& figures);
    static ExtractMessage overwrite(const std::vector<std::string>& paths);
    static ExtractMessage extractionCancelled();
    static ExtractMessage cancelToClose();
    /// `reason` names the condition and the codes or variables that would fit.
    static ExtractMessage caseSelectionRefused(const std::string& reason);
    static ExtractMessage noCaseMatched();
};

inline constexpr const char* kMessageTitle = "ZENDRA91";

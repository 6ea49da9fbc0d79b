#pragma once

#include "extraction/ExtractMessage.h"
#include "extraction/ExtractRequest.h"
#include "extraction/ExtractionDriver.h"
#include "extraction/OutputEstimate.h"
#include "fileio/FileSystem.h"
#include "fileio/OutputLock.h"

#include "request/RequestChoices.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class CaseSelector;
class EdList;
class ExtractDialogs;
class SarTables;
struct AreaTables;
struct CurrentSettings;
struct DataFolders;
struct VariableCatalogue;
struct VariableLabels;

/// How one press runs, beside what the user chose.
struct ExtractOptions {
    /// Stop after the checks and the estimate, writing no output file.
    bool estimateOnly = false;
    /// The time statistics files are to say they were written (seconds since 1970),
    /// as a re-run's request records it; the start of the run when absent.
    std::optional<std::int64_t> fileTime;
};

/// The households and persons a case selection takes from an ED list, exactly as the
/// extraction with the generator at `random` would write them.
struct SelectedCaseCounts {
    std::uint64_t households = 0;
    std::uint64_t persons = 0;
};
using CaseCounter = std::function<SelectedCaseCounts(
    const CaseSelector& selector, const EdList& edList, const SarTables& sar, const std::mt19937& random)>;

/// What the record written beside the output needs from the front end.
struct ExtractRecording {
    const VariableLabels* labels = nullptr; ///< null when the data folder has none
    /// Draws the process's generator has made; the extraction's draws are added.
    std::uint64_t* randomDraws = nullptr;
    /// False leaves out ROOT_request.json and the hashing it needs; only a benchmark
    /// of what they cost asks for that.
    bool writeRequest = true;
};

enum class ExtractStatus {
    Cancelled, ///< a refusal, a No or Cancel; cancelledAt says which message
    Estimated, ///< estimateOnly: every check passed, nothing written
    Done, ///< extracted; the completion message is M9
    DoneWithRejectedCodes, ///< extracted, some user-list codes rejected; M8
    Failed, ///< a bad data file or an output failure; error says which
};

struct ExtractOutcome {
    ExtractStatus status = ExtractStatus::Cancelled;
    std::optional<MessageId> cancelledAt;
    std::string error;
    /// True when the combined-file option was cleared (M4 or M5 answered Yes); the
    /// window then shows neither output option as chosen.
    bool combinedCleared = false;
    ExtractRequest request;
    OutputEstimate estimate;
    ExtractionResult result;

    bool succeeded() const { return status == ExtractStatus::Done || status == ExtractStatus::DoneWithRejectedCodes; }
    /// M8 or M9, for a finished extraction.
    ExtractMessage completionMessage() const;
};

/// One press of Extract, step by step in a fixed order: the ED list check and its
/// report, the output folder, the variable selection and its questions, the final
/// wards, the estimate and its warning, then the extraction. Questions go through
/// `dialogs`; the draws come from `random`, the process's one generator, which the
/// caller owns. The settings follow the choices; changes the command makes to them
/// (the normalised output folder, SeparateFiles switched on by M4 or M5) are left
/// in `settings`.
///
/// prepare() asks every question and must run where the dialogs can be shown;
/// execute() writes and may run on a worker thread, while nothing else touches the
/// areas, the catalogue, the generator or the settings. run() does both.
class ExtractCommand {
public:
    ExtractCommand(const DataFolders& folders, AreaTables& areas, VariableCatalogue& catalogue,
        CurrentSettings& settings, ExtractDialogs& dialogs, std::mt19937& random);
    ~ExtractCommand();

    void setProgress(ExtractProgress progress) { m_progress = std::move(progress); }
    /// A flag the front end sets (from Cancel or a signal) to stop the extraction;
    /// it then ends as Cancelled at ExtractionCancelled with no output file changed,
    /// and the front end shows ExtractMessage::extractionCancelled().
    void setCancelFlag(const std::atomic<bool>* cancel) { m_cancel = cancel; }
    /// Where the free-space check asks and the files are written; tests pass a fake.
    void setFileSystem(FileSystem& fs) { m_fs = &fs; }
    void setRecording(ExtractRecording recording) { m_recording = recording; }
    /// How the size check counts the cases a selection takes; without one it
    /// assumes the ward totals, as it does without a selection.
    void setCaseCounter(CaseCounter counter) { m_caseCounter = std::move(counter); }

    /// The checks and questions. Absent when the extraction may go ahead (call
    /// execute()); otherwise how the press ended. Never throws for bad data or
    /// output: those end as ExtractStatus::Failed.
    std::optional<ExtractOutcome> prepare(const RequestChoices& choices, const ExtractOptions& options = {});
    /// The writing, after a prepare() that returned nothing. Never throws for bad
    /// data or output.
    ExtractOutcome execute();
    /// prepare() and, when it lets the press go ahead, execute().
    ExtractOutcome run(const RequestChoices& choices, const ExtractOptions& options = {});

private:
    /// One press in progress.
    struct Run {
        RequestChoices choices;
        ExtractOptions options;
        ExtractOutcome outcome;
        std::vector<std::string> codes; ///< the user ED list as read
        bool combined; ///< still a combined file after M4 and M5
        std::optional<OutputLock> lock; ///< held from the checks before writing to the end
    };
    template <typename Step> std::optional<ExtractOutcome> guarded(Step step);

    // The steps in their order; each returns the message that ended the command, if any.
    std::optional<MessageId> checkRootName(Run& run);
    std::optional<MessageId> checkCaseSelection(Run& run);
    std::optional<MessageId> checkUserEdList(Run& run);
    std::optional<MessageId> prepareOutputFolder(Run& run);
    std::optional<MessageId> checkVariables(Run& run);
    std::optional<MessageId> checkCombinedFile(Run& run);
    std::optional<MessageId> estimateAndWarn(Run& run);
    std::optional<MessageId> checkBeforeWriting(Run& run);
    void extract(Run& run);
    /// After the data: the request as it can be run again, and its run record.
    SavedRequest savedRequest(const Run& run) const;
    RunRecord runRecord(const Run& run, const ExtractionResult& result, const std::string& referenceSha256) const;

    const DataFolders& m_folders;
    AreaTables& m_areas;
    VariableCatalogue& m_catalogue;
    CurrentSettings& m_settings;
    ExtractDialogs& m_dialogs;
    std::mt19937& m_random;
    ExtractProgress m_progress;
    const std::atomic<bool>* m_cancel = nullptr;
    FileSystem* m_fs = &systemFileSystem();
    ExtractRecording m_recording;
    CaseCounter m_caseCounter;
    std::unique_ptr<Run> m_run;
};

/// The final paths of the data files an extraction of `request` writes, household
/// file first. What is written beside them (the codebook, the request, the loading
/// scripts) describes them and is replaced without asking, as they are.
std::vector<std::string> outputPaths(const ExtractRequest& request, const VariableCatalogue& catalogue);

/// The output folder as the command uses it: blanks trimmed at both ends, and a
/// "/" appended unless it ends with one.
std::string normalisedOutputFolder(const std::string& folder);

/// A threshold typed in the window: a plain decimal number with "." as the point,
/// blanks around it allowed ("1", "2.5", " .5 "); absent for anything else ("",
/// "abc", "1,5").
std::optional<double> parseThreshold(const std::string& text);

#pragma once

#include "request/SavedRequest.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

class EdList;
class FileSystem;
struct AreaTables;
struct DataFolders;
struct ExtractRequest;
struct VariableCatalogue;
struct VariableLabels;

/// Called after each ED list entry with the entries done and their total, so that
/// a front end can show and repaint its progress display.
using ExtractProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

/// What one finished extraction wrote.
struct ExtractionResult {
    std::uint64_t households = 0; ///< households of the written EDs
    std::uint64_t persons = 0; ///< persons written (0 without a person file)
    std::uint64_t writtenEds = 0;
    std::vector<std::string> files; ///< final paths, household file first
    /// Each data file's name, size and SHA-256 (empty without a request file), in the
    /// order of `files`.
    std::vector<OutputFileRecord> outputs;
    std::uint64_t randomDraws = 0; ///< draws taken from the generator
};

/// What is written beside the data files, in the same all-or-nothing set: the
/// codebook, with `labels` when the data folder has them, and, when `requestJson`
/// is set, ROOT_request.json with the text it gives for the finished result.
struct ExtractionExtras {
    const VariableLabels* labels = nullptr;
    std::function<std::string(const ExtractionResult&)> requestJson;
    FileSystem* fileSystem = nullptr; ///< where the files are written; the kernel's when null
};

/// The suffix of the codebook written beside the output: "_codebook.csv".
inline constexpr const char* kCodebookFileSuffix = "_codebook.csv";

/// What follows "_hh", "_ind" or "_hhind" in a data file's name: ".txt" or, compressed,
/// ".txt.gz"; ".dta"; ".sav" or, compressed, ".zsav".
std::string dataFileSuffix(const ExtractRequest& request);

/// Whether the loading scripts go beside the data: CSV output that asks for them.
bool writesLoadingScripts(const ExtractRequest& request);

/// The next draw u, 0 <= u < 1: the generator's raw 32-bit output over 2^32, so
/// that the sequence is the same with every compiler and standard library.
double drawUniform(std::mt19937& random);

/// The sample ward's household file that serves an area-selection entry: ED
/// number 1..30 and letter 0..5 (0 the ED itself), each drawn from `random` where
/// the entry's own lies beyond the sample ward's; `draws` counts the draws taken.
/// Every walk over an ED list calls this once per entry, in list order, so that
/// all of them see the same draws.
struct SampleFile {
    int fileNumber = 1;
    int letter = 0;
};
struct EdEntry;
SampleFile drawSampleFile(const EdEntry& entry, std::mt19937& random, std::uint64_t& draws);

/// Region and country indices of a code's census county number ("NI" is 0); both
/// 0 when the code's first two characters are neither two digits nor "NI".
struct CodeRegion {
    int region = 0;
    int country = 0;
};
CodeRegion codeRegion(const AreaTables& areas, const std::string& code);

/// Performs one extraction in request.format: opens the output files (under temporary names), loads
/// the SAR tables, writes the header lines, walks `edList` and writes each written
/// ED's records, then renames the files into place. EDs of the area selection are
/// served from the sample ward's files, with draws from `random` for ED numbers
/// above 30 and lettered parts above 5; user-list codes without a file are skipped.
/// A statistics file records its row count first, so for those the EDs are walked
/// once more beforehand, counting only, with a copy of `random`: both walks see
/// the same draws and `random` ends where a CSV run leaves it.
///
/// Throws DataFileError for a missing or malformed data file or a failed write;
/// then no output file has changed. When `cancel` is set during the run, throws
/// CancelledError within about a second, again with no output file changed.
ExtractionResult runExtraction(const ExtractRequest& request, EdList& edList, const VariableCatalogue& catalogue,
    const AreaTables& areas, const DataFolders& folders, std::mt19937& random, const ExtractProgress& progress = {},
    const std::atomic<bool>* cancel = nullptr, const ExtractionExtras& extras = {});

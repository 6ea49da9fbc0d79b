#pragma once

#include "request/RequestChoices.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct OutputFileRecord {
    std::string name; ///< without folder
    std::uint64_t size = 0;
    std::string sha256;

    bool operator==(const OutputFileRecord&) const = default;
};

/// What one successful extraction did, written after it beside its output.
struct RunRecord {
    std::string program;
    std::string version;
    std::string utcTime; ///< "2024-05-01T12:34:56Z"
    std::string dataFolder;
    std::string referenceSha256; ///< referenceFilesSha256 of the data folder
    std::uint64_t households = 0;
    std::uint64_t persons = 0;
    std::uint64_t eds = 0;
    std::uint64_t rejectedCodes = 0;
    std::vector<OutputFileRecord> outputFiles;
    /// The time written inside .dta and .sav files, in the same form; empty for CSV.
    /// A re-run writes it again, so that its files are byte-identical.
    std::string fileTime;

    bool operator==(const RunRecord&) const = default;
};

/// Everything one press of Extract uses, so that it can be run again exactly: the
/// choices (without a size threshold, which a re-run does not need) and where the
/// generator stood.
struct SavedRequest : RequestChoices {
    /// Draws the process's random generator had made before the extraction began.
    std::uint64_t randomDraws = 0;
    std::optional<RunRecord> run;

    bool operator==(const SavedRequest&) const = default;
};

/// The version written; version 1 (no case selection) is still read.
inline constexpr int kRequestFormatVersion = 2;

/// The request as JSON text (two-space indents, keys in a fixed order, ending in a
/// line feed).
std::string requestToJson(const SavedRequest& request);

/// Parses a request. Throws DataFileError naming `path` and, for a key that is
/// unknown, missing or of the wrong type, the key's path ("areas.wards[2]"); for bad
/// JSON syntax, the line.
SavedRequest requestFromJson(std::string_view text, const std::string& path);

SavedRequest readRequestFile(const std::string& path);
/// Throws DataFileError naming the path when it cannot be written.
void writeRequestFile(const std::string& path, const SavedRequest& request);

/// The file name suffix of the request written beside the output: "_request.json".
inline constexpr const char* kRequestFileSuffix = "_request.json";

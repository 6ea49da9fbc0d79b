#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct DataFolders;

/// One SHA-256 over the reference files of a data folder: every regular file
/// directly in ProgramData, then in SARData, each folder's files in byte order of
/// their names. For each file the digest takes "ProgramData/NAME" (or
/// "SARData/NAME"), a line feed, its size in decimal, a line feed, then its
/// content, so a renamed, moved or changed file changes the result. Throws
/// DataFileError naming a folder or file that cannot be read.
std::string referenceFilesSha256(const DataFolders& folders);

/// "2024-05-01T12:34:56Z" for the present moment.
std::string utcTimeNow();
/// The same for `seconds` since 1970.
std::string utcTimeText(std::int64_t seconds);
/// The seconds since 1970 of such a text; nothing when it is not one.
std::optional<std::int64_t> parseUtcTime(const std::string& text);

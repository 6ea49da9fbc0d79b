#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DataFolders;

/// The codes of a user ED list file, in file order, as written. A byte-order mark at
/// the start is skipped. Fields are separated by commas or line ends; blanks around
/// an unquoted field are dropped (so "08BYFA01  " is the code 08BYFA01) and empty
/// ones skipped wherever they are (blank lines, "A,,B", "A,"); a quoted field is
/// taken as it stands, "" included. Throws DataFileError when the file cannot be read,
/// and, before reading it, when it is not a regular file (a folder, a device, a pipe)
/// or is larger than kMaxUserEdListBytes.
std::vector<std::string> readUserEdList(const std::string& path);

/// The largest ED list read: every ED of Great Britain fits in under 2 MB, so
/// anything near this is not a list, and reading it whole could exhaust memory.
inline constexpr std::size_t kMaxUserEdListBytes = 100'000'000;

/// The code as the data files name it: letters in capitals.
std::string edCodeKey(std::string code);

/// How many distinct codes (capitals or not) appear more than once.
std::size_t repeatedCodeCount(const std::vector<std::string>& codes);

/// Whether a regular file exists at `path`.
bool regularFileExists(const std::string& path);

/// Why `code` was rejected, as RejectedEDs.txt gives it.
std::string rejectionReason(const std::string& code);

/// One RejectedEDs.txt line: the code (control characters shown as "?"), blanks up
/// to the next multiple of 14 columns after it, the reason, CR LF.
std::string rejectedLine(const std::string& code);

struct UserListValidation {
    std::uint64_t edCount = 0;
    bool rejectedEdsFound = false;
    std::string reportPath; ///< where RejectedEDs.txt went
};

/// Checks every code against its per-area household file and writes the rejected
/// ones, in list order, to RejectedEDs.txt in `reportFolder` (baseFolder when
/// empty; created anew even when none is rejected, all at once). Throws
/// DataFileError when the report cannot be written.
UserListValidation validateUserEdList(
    const std::vector<std::string>& codes, const DataFolders& folders, const std::string& reportFolder = {});

/// Where validateUserEdList writes its report.
std::string rejectedEdsPath(const DataFolders& folders);

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

/// A bad, missing or unwritable file. Carries where the trouble is so that both
/// front ends can name it: the path, the 1-based line (0 when the whole file is
/// meant) and the 1-based field on that line (0 when no field is meant).
/// what() reads `ProgramData/EDs2WardMap.dat:57: field 3: expected ..., found "1O"`
/// or, for system failures, `cannot create file /out/x.txt: No space left on device`.
///
/// Whatever the caller passes, the message shows control characters escaped
/// ("\x1b") and stays short enough for a message box.
class DataFileError : public std::runtime_error {
public:
    DataFileError(std::string path, long line, int field, std::string detail);

    /// A failed system call on `path`; `action` is e.g. "cannot open file".
    static DataFileError io(const std::string& path, const std::string& action, int errnoValue);
    /// As above, followed by "; " and `outcome` (what the failure left behind).
    static DataFileError io(
        const std::string& path, const std::string& action, int errnoValue, const std::string& outcome);

    /// Text found in a file as a message shows it: in double quotes, control
    /// characters escaped, cut after about 40 characters with "..." added.
    static std::string shown(std::string_view found);

    const std::string& path() const { return m_path; }
    long line() const { return m_line; }
    int field() const { return m_field; }
    const std::string& detail() const { return m_detail; }

private:
    DataFileError(std::string message, std::string path, std::string detail);

    std::string m_path;
    long m_line = 0;
    int m_field = 0;
    std::string m_detail;
};

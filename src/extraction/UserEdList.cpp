#include "extraction/UserEdList.h"

#include "base/DataFolders.h"
#include "fileio/OutputSet.h"
#include "textio/LineWriter.h"

#include "base/DefaultNames.h"
#include "geography/EdCode.h"

#include "textio/DataFileError.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::size_t kPrintZone = 14;
// A ward code and a two-digit ED number.
constexpr std::size_t kFullCodeLength = kWardCodeLength + 2;

/// What a file that is not a regular one is, for a message.
const char* specialFileKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "a special file";
}

void checkListFile(const std::string& path, const struct stat& status)
{
    if (!S_ISREG(status.st_mode))
        throw DataFileError(
            path, 0, 0, std::string("is ") + specialFileKind(status.st_mode) + ", not a text file of ED codes");
    if (status.st_size > static_cast<off_t>(kMaxUserEdListBytes))
        throw DataFileError(path, 0, 0,
            "is " + std::to_string(status.st_size) + " bytes, more than an ED list's limit of "
                + std::to_string(kMaxUserEdListBytes / 1000000) + " MB (the list of every ED of Great Britain "
                + "is under 2 MB)");
}

/// The whole list file, refused before a byte is read when it is not a regular
/// file or is too large: a device or a pipe could be read until memory runs out.
std::string readListFile(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        throw DataFileError::io(path, "cannot open file", errno);
    checkListFile(path, status);
    // O_NONBLOCK: should a pipe take the file's place meanwhile, opening it does not wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw DataFileError::io(path, "cannot open file", errno);
    std::string content;
    try {
        if (::fstat(fd, &status) != 0)
            throw DataFileError::io(path, "cannot read file", errno);
        checkListFile(path, status);
        // Never more than the limit, even if the file grows while it is read.
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw DataFileError::io(path, "cannot read file", errno);
            if (n == 0)
                break;
            content.append(buffer, static_cast<std::size_t>(n));
            if (content.size() > kMaxUserEdListBytes)
                throw DataFileError(path, 0, 0,
                    "grew past an ED list's limit of " + std::to_string(kMaxUserEdListBytes / 1000000)
                        + " MB while it was read");
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return content;
}

} // namespace

std::vector<std::string> readUserEdList(const std::string& path)
{
    const std::string content = readListFile(path);
    // A spreadsheet's "CSV UTF-8" starts with a byte-order mark.
    std::string_view text(content);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    auto isSeparator = [](char c) { return c == ',' || c == '\r' || c == '\n'; };
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::vector<std::string> codes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
        if (pos < text.size() && text[pos] == '"') {
            // Taken as it stands, even empty: the user wrote a code there.
            std::size_t close = text.find('"', pos + 1);
            std::size_t end = close == std::string_view::npos ? text.size() : close;
            codes.emplace_back(text.substr(pos + 1, end - pos - 1));
            pos = end + 1;
            while (pos < text.size() && !isSeparator(text[pos]))
                ++pos;
        } else {
            std::size_t start = pos;
            while (pos < text.size() && !isSeparator(text[pos]))
                ++pos;
            std::size_t end = pos;
            while (end > start && isBlank(text[end - 1]))
                --end;
            // Blank lines, a comma at a line end and two commas in a row give no code.
            if (end > start)
                codes.emplace_back(text.substr(start, end - start));
        }
        ++pos; // the separator
    }
    return codes;
}

std::string edCodeKey(std::string code)
{
    for (char& c : code)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return code;
}

std::size_t repeatedCodeCount(const std::vector<std::string>& codes)
{
    std::map<std::string, int> seen;
    for (const std::string& code : codes)
        ++seen[edCodeKey(code)];
    std::size_t repeated = 0;
    for (const auto& [code, n] : seen)
        repeated += n > 1 ? 1 : 0;
    return repeated;
}

bool regularFileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string rejectionReason(const std::string& code)
{
    if (!isSafeEdCode(code))
        return "Not allowed: an ED code holds letters and digits only";
    if (code.size() < kFullCodeLength)
        return "Too short: must include ONS 1991 Census County code (i.e. 08BYFA01, NOT BYFA01)";
    return "Not recognised: incorrect name or ED contains no private household residents";
}

std::string rejectedLine(const std::string& code)
{
    std::string line = code;
    // A quoted code may hold a line end; shown as it is it would break the report's lines.
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    std::size_t column = (code.size() / kPrintZone + 1) * kPrintZone;
    line.append(column - code.size(), ' ');
    line += rejectionReason(code);
    line += "\r\n";
    return line;
}

std::string rejectedEdsPath(const DataFolders& folders)
{
    const std::string& base = folders.baseFolder;
    return base + (!base.empty() && base.back() == '/' ? "" : "/") + kRejectedEdsFileName;
}

UserListValidation validateUserEdList(
    const std::vector<std::string>& codes, const DataFolders& folders, const std::string& reportFolder)
{
    OutputSet output(reportFolder.empty() ? folders.baseFolder : reportFolder);
    LineWriter& report = output.add("RejectedEDs.txt", 1 << 16);
    UserListValidation result;
    for (const std::string& code : codes) {
        ++result.edCount;
        std::optional<std::string> path = householdFilePath(folders.populationDataFolder, edCodeKey(code));
        if (path && regularFileExists(*path))
            continue;
        report.append(rejectedLine(code));
        result.rejectedEdsFound = true;
    }
    output.commit();
    result.reportPath = output.finalPaths().front();
    return result;
}

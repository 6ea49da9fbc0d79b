#include "extraction/UserEdList.h"

#include "base/DataFolders.h"
#include "fileio/OutputSet.h"
#include "textio/LineWriter.h"

#include "base/DefaultNames.h"
#include "geography/EdCode.h"

#include "textio/DataFileError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string_view>
#include <system_error>

namespace {

constexpr std::size_t kPrintZone = 14;
// A ward code and a two-digit ED number.
constexpr std::size_t kFullCodeLength = kWardCodeLength + 2;

} // namespace

std::vector<std::string> readUserEdList(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad())
        throw DataFileError(path, 0, 0, std::string("cannot read: ") + std::strerror(errno));
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

#include "extraction/UserEdList.h"

#include "base/DataFolders.h"
#include "textio/FieldReader.h"
#include "fileio/OutputSet.h"
#include "textio/LineWriter.h"

#include <sys/stat.h>

namespace {

constexpr std::size_t kPrintZone = 14;
constexpr std::size_t kFullCodeLength = 8;

bool isAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::vector<std::string> readUserEdList(const std::string& path)
{
    FieldReader reader = FieldReader::open(path);
    std::vector<std::string> codes;
    while (!reader.atEnd())
        codes.push_back(reader.readTextDescribed([&] { return "ED code " + std::to_string(codes.size() + 1); }));
    return codes;
}

bool isSafeEdCode(const std::string& code)
{
    for (char c : code)
        if (!isAsciiAlnum(c))
            return false;
    return true;
}

std::optional<std::string> perAreaFilePath(const DataFolders& folders, const std::string& code)
{
    if (code.size() < 4 || !isSafeEdCode(code))
        return std::nullopt;
    return folders.populationDataFolder + code.substr(2, 2) + "/" + code + ".res";
}

bool regularFileExists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
    return base + (!base.empty() && base.back() == '/' ? "" : "/") + "RejectedEDs.txt";
}

UserListValidation validateUserEdList(const std::vector<std::string>& codes, const DataFolders& folders)
{
    OutputSet output(folders.baseFolder);
    LineWriter& report = output.add("RejectedEDs.txt", 1 << 16);
    UserListValidation result;
    for (const std::string& code : codes) {
        ++result.edCount;
        std::optional<std::string> path = perAreaFilePath(folders, code);
        if (path && regularFileExists(*path))
            continue;
        report.append(rejectedLine(code));
        result.rejectedEdsFound = true;
    }
    output.commit();
    return result;
}

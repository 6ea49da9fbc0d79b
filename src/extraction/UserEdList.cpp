#include "extraction/UserEdList.h"

#include "base/DataFolders.h"
#include "textio/FieldReader.h"
#include "fileio/OutputSet.h"
#include "textio/LineWriter.h"

#include "base/DefaultNames.h"
#include "geography/EdCode.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr std::size_t kPrintZone = 14;
// A ward code and a two-digit ED number.
constexpr std::size_t kFullCodeLength = kWardCodeLength + 2;

} // namespace

std::vector<std::string> readUserEdList(const std::string& path)
{
    FieldReader reader = FieldReader::open(path);
    std::vector<std::string> codes;
    while (!reader.atEnd())
        codes.push_back(reader.readTextDescribed([&] { return "ED code " + std::to_string(codes.size() + 1); }));
    return codes;
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
        std::optional<std::string> path = householdFilePath(folders.populationDataFolder, code);
        if (path && regularFileExists(*path))
            continue;
        report.append(rejectedLine(code));
        result.rejectedEdsFound = true;
    }
    output.commit();
    result.reportPath = output.finalPaths().front();
    return result;
}

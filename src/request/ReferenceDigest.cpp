#include "request/ReferenceDigest.h"

#include "base/DataFolders.h"
#include "textio/DataFileError.h"
#include "textio/Sha256.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

void addFolder(Sha256& digest, const std::string& folder, const std::string& label)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file())
            names.push_back(it->path().filename().string());
    if (error)
        throw DataFileError(folder, 0, 0, "cannot read the folder: " + error.message());
    std::sort(names.begin(), names.end());
    std::vector<char> buffer(1 << 16);
    for (const std::string& name : names) {
        const std::string path = folder + name;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            throw DataFileError::io(path, "cannot open file", errno);
        const auto size = fs::file_size(path, error);
        digest.update(label + "/" + name + "\n" + std::to_string(size) + "\n");
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
            digest.update(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
        if (in.bad())
            throw DataFileError::io(path, "cannot read file", errno);
    }
}

} // namespace

std::string referenceFilesSha256(const DataFolders& folders)
{
    Sha256 digest;
    addFolder(digest, folders.programDataFolder, "ProgramData");
    addFolder(digest, folders.sarDataFolder, "SARData");
    return digest.finishHex();
}

namespace {
constexpr const char* kUtcTimeFormat = "%Y-%m-%dT%H:%M:%SZ";
}

std::string utcTimeNow()
{
    return utcTimeText(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
}

std::string utcTimeText(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts {};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, kUtcTimeFormat, &parts);
    return text;
}

std::optional<std::int64_t> parseUtcTime(const std::string& text)
{
    std::tm parts {};
    const char* end = strptime(text.c_str(), kUtcTimeFormat, &parts);
    if (!end || *end != '\0')
        return std::nullopt;
    const std::int64_t seconds = timegm(&parts);
    // strptime lets through fields out of range (31 February) and missing zeros.
    if (utcTimeText(seconds) != text)
        return std::nullopt;
    return seconds;
}

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

std::string utcTimeNow()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts {};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

#include "base/DataFolders.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>
#include <vector>

DataFolders DataFolders::under(const std::string& base)
{
    DataFolders folders;
    folders.baseFolder = base;
    folders.programDataFolder = base + "/ProgramData/";
    folders.glossaryFolder = base + "/SARGlossary/";
    folders.sarDataFolder = base + "/SARData/";
    folders.populationDataFolder = base + "/Zen91Data/";
    return folders;
}

std::string currentDirectory()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            throw std::runtime_error(std::string("cannot read the current directory: ") + std::strerror(errno));
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

DataFolders setDataFolders()
{
    return DataFolders::under(currentDirectory());
}

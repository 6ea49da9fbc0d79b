#include "base/DataFolders.h"

#include "base/DefaultNames.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

DataFolders DataFolders::under(const std::string& base)
{
    DataFolders folders;
    folders.baseFolder = base;
    folders.programDataFolder = base + "/" + kProgramDataFolderName + "/";
    folders.glossaryFolder = base + "/" + kGlossaryFolderName + "/";
    folders.sarDataFolder = base + "/" + kSarDataFolderName + "/";
    folders.populationDataFolder = base + "/" + kPopulationDataFolderName + "/";
    return folders;
}

std::string currentDirectory()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::current_path(error);
    if (error)
        throw std::runtime_error("cannot read the current directory: " + error.message());
    return path.string();
}

DataFolders setDataFolders()
{
    return DataFolders::under(currentDirectory());
}

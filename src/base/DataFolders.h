#pragma once

#include <string>

/// Where the data are looked for: the working directory and the four data folders
/// under it. Every folder except baseFolder ends with "/", so a file name is
/// appended directly.
struct DataFolders {
    std::string baseFolder;
    std::string programDataFolder;
    std::string glossaryFolder;
    std::string sarDataFolder;
    std::string populationDataFolder;

    /// The folders under `base`, joined with "/" and not normalised (a base of "/"
    /// gives "//ProgramData/", which the system accepts).
    static DataFolders under(const std::string& base);
};

/// The folders under the process's current working directory; throws
/// std::runtime_error when the directory cannot be read.
DataFolders setDataFolders();

/// The current working directory, as the system reports it.
std::string currentDirectory();

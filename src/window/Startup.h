#pragma once

#include "base/DataFolders.h"
#include "session/ApplicationState.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class StartupDialogs;

/// A bad option of the window program: exit status 2.
class WindowUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The options of the window program, read before any window or display is needed.
struct WindowOptions {
    bool help = false;
    bool version = false;
    std::optional<std::string> dataFolder;

    /// Throws WindowUsageError naming the bad option.
    static WindowOptions parse(const std::vector<std::string>& arguments);
    static std::string helpText();
};

/// `folder` as an absolute path without a trailing "/", symbolic links resolved
/// as far as the folder exists: what the working directory would read as there.
std::string absoluteFolder(const std::string& folder);

/// The data folders the window starts on: under --data, else the current folder.
DataFolders startFolders(const WindowOptions& options);

/// Where the demo data set is created when the user asks for it.
std::string demoDataFolder();

/// Loads from `folders`; while that fails, offers through `dialogs` to choose a
/// data folder or to create the demo data set in `demoFolder`, and loads that.
/// Returns the last failure when the user quits.
StartupLoad loadWithOffer(const DataFolders& folders, StartupDialogs& dialogs, const std::string& demoFolder);

#pragma once

#include "base/DataFolders.h"

#include <optional>
#include <string>
#include <vector>

/// The options of the window program, read before any window or display is needed.
struct WindowOptions {
    bool help = false;
    bool version = false;
    std::optional<std::string> dataFolder;
    /// A request file or an ED list to open once the window shows.
    std::optional<std::string> file;
    bool noSettings = false;

    /// Throws UsageError naming the bad option.
    static WindowOptions parse(const std::vector<std::string>& arguments);
    static std::string helpText();

    /// Whether the settings file is read and written: not under --no-settings, nor
    /// when ZENDRA91_NO_SETTINGS is set to anything but "" or "0".
    bool usesSettings() const;
};

/// `folder` as an absolute path without a trailing "/", symbolic links resolved
/// as far as the folder exists: what the working directory would read as there.
std::string absoluteFolder(const std::string& folder);

/// The data folders the window starts on: under --data, else the current folder.
DataFolders startFolders(const WindowOptions& options);

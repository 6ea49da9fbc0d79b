#pragma once

#include "app/WindowOptions.h"
#include "base/DataFolders.h"
#include "session/ApplicationState.h"

#include <optional>
#include <string>

class StartupDialogs;

/// Where the demo data set is created when the user asks for it.
std::string demoDataFolder();

/// Loads from `folders`; while that fails, offers through `dialogs` to choose a
/// data folder or to create the demo data set in `demoFolder`, and loads that.
/// Returns the last failure when the user quits.
StartupLoad loadWithOffer(const DataFolders& folders, StartupDialogs& dialogs, const std::string& demoFolder);

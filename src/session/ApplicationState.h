#pragma once

#include "geography/AreaTables.h"
#include "base/CurrentSettings.h"
#include "base/DataFolders.h"
#include "variables/VariableCatalogue.h"
#include "variables/VariableLabels.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>

/// Everything the program keeps for the whole run: where the data are, the area
/// tables with their selection state, the variable catalogue and the settings that
/// mirror the window's output controls. One object, owned by main and passed by
/// reference to the window.
struct ApplicationState {
    DataFolders folders;
    AreaTables areas;
    VariableCatalogue variables;
    CurrentSettings settings;
    /// The process's one generator, never seeded: the first extraction after a fresh
    /// start draws what zendra91-extract draws for the same request.
    std::mt19937 random;
    /// Draws `random` has made, recorded with each extraction so that a re-run can
    /// discard as many first.
    std::uint64_t randomDraws = 0;
    /// The labels file of the data folder; absent when it has none.
    std::optional<VariableLabels> labels;
};

/// Loads the geography files, then VariableMap.dat and the labels file, from `folders`. Throws
/// DataFileError on the first missing or malformed file.
std::unique_ptr<ApplicationState> loadApplicationState(const DataFolders& folders);

/// The outcome of loading at start-up: the state, or the report to show instead.
struct StartupLoad {
    std::unique_ptr<ApplicationState> state;
    std::string error; ///< empty when state is set
};

/// loadApplicationState with every failure turned into the report that start-up
/// shows and prints before ending: it names the file, the record and what was wrong.
StartupLoad loadAtStartup(const DataFolders& folders);

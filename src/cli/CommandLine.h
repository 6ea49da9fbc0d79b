#pragma once

#include "app/UsageError.h"
#include "extraction/ExtractRequest.h"
#include "geography/AreaTables.h"
#include "request/CaseSelection.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

/// The options of zendra91-extract, as given.
struct CommandLine {
    bool help = false;
    bool version = false; ///< print "zendra91-extract VERSION" and stop
    std::optional<std::string> dataFolder;
    std::optional<AreaLevel> areaLevel;
    std::vector<std::string> areaMembers;
    std::optional<std::string> edListFile;
    std::optional<std::vector<std::string>> hhVars; ///< empty: none
    std::optional<std::vector<std::string>> indVars; ///< empty: none
    std::array<bool, kNumSpatialCodes> spatial { false, false, false, false, false, true };
    bool combined = false;
    std::optional<std::string> outputFolder;
    std::optional<std::string> rootFileName;
    bool dryRun = false;
    bool quiet = false;
    // Saved requests and output formats.
    std::optional<OutputFormat> format;
    bool compress = false;
    bool noScripts = false;
    std::optional<std::string> requestFile;
    std::optional<AreaLevel> listLevel; ///< --list: print the areas of a level and stop
    std::optional<std::string> listMatch;
    // Tables.
    std::vector<std::string> table; ///< --table ROWS[,COLUMNS]: one or two names; empty without it
    std::optional<std::string> tableCount; ///< --count: "persons" or "households"
    // Case selection.
    std::vector<CaseCondition> select; ///< one per --select, in order
    bool wholeHouseholds = false;

    /// Throws UsageError naming the bad option or value.
    static CommandLine parse(const std::vector<std::string>& arguments);
    /// The text of --help, drawn from the same option table as parse.
    static std::string helpText();
};

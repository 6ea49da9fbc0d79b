#pragma once

#include <string>

struct DemoOptions {
    /// Write a household file for every ED of every ward, not only for the few
    /// wards of the default set.
    bool full = false;
};

/// What writeDemoData wrote.
struct DemoSummary {
    int householdFiles = 0;
    long eds = 0; // EDs of all wards, lettered parts not counted
    long persons = 0;
    long households = 0;
};

/// Writes the demo data tree under `dir` (created if missing): ProgramData,
/// SARData, Zen91Data, SARGlossary and EDlist.txt. Existing files of the same
/// names are replaced. The output is the same, byte for byte, on every run.
/// Throws DataFileError naming the path when a folder or file cannot be written.
DemoSummary writeDemoData(const std::string& dir, const DemoOptions& options = {});

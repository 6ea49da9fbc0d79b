#pragma once

#include "base/OutputFormats.h"
#include "base/SpatialCodes.h"
#include "request/CaseSelection.h"

#include <optional>
#include <string>
#include <vector>

/// The areas chosen in the five lists, each level's individually chosen members:
/// counties, districts and wards by their census code, countries and regions (which
/// have none) by name; an empty list leaves its level on "All". AreaRecord.h writes
/// and reads the members.
struct AreaChoiceRecord {
    std::vector<std::string> countries;
    std::vector<std::string> regions;
    std::vector<std::string> counties;
    std::vector<std::string> districts;
    std::vector<std::string> wards;

    bool operator==(const AreaChoiceRecord&) const = default;
};

/// A user ED list, by its path and the SHA-256 of its content at extraction.
struct EdListRecord {
    std::string path;
    std::string sha256;

    bool operator==(const EdListRecord&) const = default;
};

/// Everything one press of Extract depends on, as the user chose it: the areas or an
/// ED list (exactly one is set), the variables, the spatial codes, the file layout
/// and format, the cases, where the files go and the size that asks before writing. The window
/// reads it from its pages and shows it on them, the command builds it from its
/// options, and request files hold it.
struct RequestChoices {
    std::optional<AreaChoiceRecord> areas;
    /// The SHA-256 is the list's content when the choice was recorded; empty while
    /// only being chosen.
    std::optional<EdListRecord> edList;
    std::vector<std::string> householdVariables; ///< names as the header shows them
    std::vector<std::string> individualVariables;
    /// Which households and persons are written; empty writes every case.
    CaseSelection caseSelection;
    SpatialCodeFlags spatialCodes {};
    bool separateFiles = true;
    OutputFormat format = OutputFormat::Csv;
    /// CSV as .txt.gz, SPSS as .zsav; Stata files stay as they are.
    bool compress = false;
    /// R, Python, Stata and SPSS scripts that load a CSV extract, written beside it.
    /// Request files leave it out: a re-run writes them.
    bool loadingScripts = true;
    std::string outputFolder;
    std::string rootFileName;
    /// In megabytes as typed; absent where the front end asks no such question.
    /// Request files leave it out.
    std::optional<std::string> sizeWarningThreshold;

    bool operator==(const RequestChoices&) const = default;
};

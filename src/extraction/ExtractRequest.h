#pragma once

#include "base/SpatialCodes.h"
#include "request/CaseSelection.h"
#include "request/SavedRequest.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

/// One press of Extract: the choices read when it starts, the counts found while a
/// user ED list is validated, and the size estimate. The variable choice lives in
/// the VariableCatalogue's selection flags, not here.
struct ExtractRequest {
    bool useUserEdList = false;
    std::string edListFile;
    std::string outputFolder; ///< ends with "/" once normalised
    std::string rootFileName;
    bool separateFiles = true;
    OutputFormat format = OutputFormat::Csv;
    /// CSV files as ROOT_*.txt.gz, SPSS as .zsav; Stata files are never compressed.
    bool compress = false;
    /// ROOT_load.R, .py, .do and .sps beside a CSV extract.
    bool loadingScripts = true;
    /// The time statistics files say they were written, in seconds since 1970: the
    /// start of the run, or a re-run's recorded time so that it gives the same bytes.
    std::int64_t fileTime = 0;
    std::array<bool, kNumSpatialCodes> spatialCodeFlags {};
    /// The households and persons written; empty writes every case.
    CaseSelection caseSelection;
    /// In megabytes as typed; absent when the front end sets no threshold.
    std::optional<double> sizeWarningThreshold;

    std::uint64_t userListEdCount = 0; ///< every code read, rejected ones included
    bool rejectedEdsFound = false;
    std::string rejectedEdsPath; ///< where RejectedEDs.txt was written

    double estimatedSize = 0; ///< in estimatedSizeUnit
    std::string estimatedSizeUnit; ///< " Mb" or " Gb", with its leading blank
    std::string estimatedSizeText; ///< as the size warning shows it
};

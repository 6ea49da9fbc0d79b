#pragma once

#include <optional>
#include <string>

struct AreaTables;
struct ExtractRequest;
struct VariableCatalogue;

/// The output-size estimate of one request. households, persons and eds are the
/// counts the estimate assumes (ward totals of finalWards, or 150 and 250 per listed
/// code and the codes themselves).
struct OutputEstimate {
    double households = 0;
    double persons = 0;
    double eds = 0;
    double megabytes = 0; ///< what the size warning compares with its threshold
    double size = 0; ///< in unit, as shown
    std::string unit; ///< " Mb", or " Gb" above 1024 megabytes
    std::string text; ///< size cut after its first decimal digit
};

/// How many times smaller compressed output is than the plain text the estimate
/// stands for, measured on the full demo data with the default variables and the ED
/// code: the all-areas CSV, 2,914,660,210 bytes, took 456,234,182 as .txt.gz (6.39);
/// three counties' CSV, 91,010,493 bytes, took 14,690,139 as .zsav (6.20).
inline constexpr double kGzipRatio = 6.39;
inline constexpr double kZsavRatio = 6.2;

/// Estimates from the selection flags and widths of `catalogue`, the spatial flags
/// and list count of `request`, and, in area mode, the finalWards of `areas`.
/// `combinedChosen` is the combined-file option as it stands after the questions.
/// Compressed output (request.compress) is estimated as the plain size divided by
/// its ratio above; Stata files are never compressed.
/// `counted`, households then persons, replaces the assumed counts: those a case
/// selection takes, counted exactly.
struct CountedCases {
    double households = 0;
    double persons = 0;
};
OutputEstimate estimateOutputSize(const ExtractRequest& request, bool combinedChosen,
    const VariableCatalogue& catalogue, const AreaTables& areas, const std::optional<CountedCases>& counted = {});

/// Plain decimal text, cut (not rounded) after the first digit that follows the
/// point: 12.3456 gives "12.3", 0.06 gives "0.0", a whole 12 gives "12".
std::string estimatedSizeText(double size);

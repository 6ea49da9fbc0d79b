#pragma once

#include "base/SpatialCodes.h"
#include "variables/VariableLabels.h"

#include <array>
#include <cstdint>
#include <utility>
#include <string>
#include <vector>

struct VariableCatalogue;

/// The three output files and what one row of each holds.
enum class OutputFileKind { Households, Persons, Combined };
enum class ColumnKind { Spatial, Household, Person };

/// The name statistics files give the household HNUM of a combined file, where the
/// person HNUM already takes "HNUM" and those formats need unique names.
inline constexpr const char* kCombinedHouseholdHnum = "HNUM_hh";

/// One column of an output file, in header order.
struct OutputColumn {
    std::string name; ///< the CSV header text
    std::string uniqueName; ///< the name in statistics files, unique within the file
    ColumnKind kind = ColumnKind::Spatial;
    int number = 0; ///< SAR variable number, or the spatial code's position 0..5
    int width = 0; ///< most characters one value takes
    std::string label;
    std::vector<CodeLabel> codes; ///< empty when unknown
    /// Each value the written file holds in this column and on how many lines,
    /// ascending; filled for coded columns only (see isCodedColumn).
    std::vector<std::pair<std::int32_t, std::uint64_t>> frequencies;
};

/// A household or person column whose labels give at least one single code
/// ("1=owner occupied"): a category, counted in the codebook. Columns whose codes
/// are ranges alone (record numbers, ages, counts) are measures and are not.
bool isCodedColumn(const OutputColumn& column);

/// The columns of one output file for the selection in `catalogue` and the ticked
/// spatial codes, in the order the CSV header lists them: spatial codes, then
/// (combined file) the person variables before the household ones. `spatialWidths`
/// gives the longest value of each spatial code. Labels and codes come from
/// `labels`; without them each variable's label says that the data folder has none.
std::vector<OutputColumn> outputColumns(OutputFileKind file, const VariableCatalogue& catalogue,
    const std::array<bool, kNumSpatialCodes>& spatialCodes, const std::array<int, kNumSpatialCodes>& spatialWidths,
    const VariableLabels* labels);

/// The label a variable gets when the data folder has no labels file.
inline constexpr const char* kNoLabelsNote = "no label: the data folder has no SARGlossary/VariableLabels.csv";

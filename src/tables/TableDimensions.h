#pragma once

#include "base/SpatialCodes.h"
#include "tables/TableRequest.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct VariableCatalogue;

/// The area levels' names as tables take and show them, indexed by TableArea: the
/// spatial codes' names on the command line.
inline constexpr std::array<const char*, kNumTableAreas> kTableAreaNames = [] {
    std::array<const char*, kNumTableAreas> names {};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kSpatialCodes[i].name;
    return names;
}();

/// The dimension `name` stands for in a table of `unit`: a variable's header name
/// or an area level's name, in any case. A persons table takes person variables
/// first, then household ones (a person counts under its household's value);
/// a households table takes household variables only. Absent when nothing matches.
std::optional<TableDimension> findTableDimension(
    std::string_view name, TableUnit unit, const VariableCatalogue& catalogue);

/// Every name findTableDimension takes for `unit`, variables in catalogue order,
/// then the area levels: for a message naming the valid ones.
std::vector<std::string> tableDimensionNames(TableUnit unit, const VariableCatalogue& catalogue);

/// The dimension's name as shown: the variable's header name ("Tenure") or the level's ("ward").
std::string tableDimensionName(const TableDimension& dimension, const VariableCatalogue& catalogue);

#pragma once

#include "base/SpatialCodes.h"

#include <cstdint>
#include <functional>
#include <optional>

/// What a table counts: one line per person or per household.
enum class TableUnit { Persons, Households };

/// The area levels a table can run along, by the spatial code written for an ED:
/// country and region names, county (2 characters), district (4), ward (6) and ED codes.
enum class TableArea { Country = 0, Region, County, District, Ward, Ed };
inline constexpr int kNumTableAreas = kNumSpatialCodes;
// An area level of a table is the spatial code of the same position.
static_assert(static_cast<int>(TableArea::Ward) == kSpatialWard && static_cast<int>(TableArea::Ed) == kSpatialEd);

/// One side of a table: a SAR variable or an area level.
struct TableDimension {
    enum class Kind { HouseholdVariable, PersonVariable, Area };
    Kind kind = Kind::PersonVariable;
    int variable = 0; ///< SAR variable number from 1, for the two variable kinds
    TableArea area = TableArea::Ed; ///< for Kind::Area

    bool isArea() const { return kind == Kind::Area; }
    bool operator==(const TableDimension&) const = default;
};

/// Which cases a table counts, decided on the SAR records alone, so that a filter
/// never changes which EDs are taken or what is drawn. Unset tests pass every case.
struct CaseFilter {
    /// A household record, field f at [f].
    std::function<bool(const std::int32_t* household)> household;
    /// A person record and its household's, field f at [f].
    std::function<bool(const std::int32_t* person, const std::int32_t* household)> person;
    /// Persons count every member of a selected household, not only selected persons.
    bool wholeHouseholds = false;
};

/// One table: rows by columns (a one-way table has no columns) of `unit`.
/// A household table takes household variables and area levels only.
struct TableRequest {
    TableUnit unit = TableUnit::Persons;
    TableDimension rows;
    std::optional<TableDimension> columns;
    /// Counts only the cases it passes; null counts every case.
    const CaseFilter* filter = nullptr;
};

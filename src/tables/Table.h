#pragma once

#include "tables/TableRequest.h"

#include <cstdint>
#include <string>
#include <vector>

/// A row or column of a table: the value as the output file holds it and what a
/// reader is shown: "1 Owner occupied", the code alone without a label, "04BYFA
/// Millbury South" for an area.
struct TableCategory {
    std::string code;
    std::string label;
};

/// The most cells a table may have (16 MiB of counts, held twice while the table
/// is laid out), so that any table is counted in well under 64 MiB; a larger one
/// is refused with a reason instead of being counted.
inline constexpr std::uint64_t kMaxTableCells = std::uint64_t { 1 } << 21;

/// What a table shows in its cells.
enum class TableShow { Counts, RowPercent, ColumnPercent, TotalPercent };

/// A finished table. Only categories that occur are listed, in code order (numeric
/// for variables, country and region in their tables' order, other areas by code);
/// a one-way table has one column, with no category.
struct Table {
    TableUnit unit = TableUnit::Persons;
    TableDimension rows;
    std::optional<TableDimension> columns;
    std::vector<TableCategory> rowCategories;
    std::vector<TableCategory> columnCategories; ///< empty for a one-way table
    std::vector<std::uint64_t> counts; ///< row by row, columnCount() to a row

    std::uint64_t eds = 0; ///< EDs counted: the written EDs of the request
    std::uint64_t households = 0; ///< households of those EDs, before any case filter
    std::uint64_t persons = 0; ///< likewise persons
    /// Listed codes without a household file, not counted: Extract would reject them
    /// in RejectedEDs.txt, which a table does not write.
    std::uint64_t codesWithoutFile = 0;
    /// Why the table is empty ("no ED is chosen"); empty when it is not.
    std::string emptyReason;

    int rowCount() const { return static_cast<int>(rowCategories.size()); }
    /// 1 for a one-way table.
    int columnCount() const { return columns ? static_cast<int>(columnCategories.size()) : 1; }
    std::uint64_t count(int row, int column) const
    {
        return counts[static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount())
            + static_cast<std::size_t>(column)];
    }
    std::uint64_t rowTotal(int row) const;
    std::uint64_t columnTotal(int column) const;
    std::uint64_t total() const;
};

/// The cell (row, column) as `show` asks, a count or a percentage from 0 to 100.
/// row == rowCount() is the totals row, column == columnCount() the totals column.
/// A percentage of a zero total is 0.
double tableValue(const Table& table, TableShow show, int row, int column);

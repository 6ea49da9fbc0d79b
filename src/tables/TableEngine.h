#pragma once

#include "tables/Table.h"
#include "tables/TableRequest.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <random>

class EdList;
class SarTables;
struct AreaTables;
struct DataFolders;
struct VariableLabels;

/// Called with the household files read so far and their number; from the
/// counting threads, one call at a time.
using TableProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

/// What a table is counted from; everything must outlive the call.
struct TableSources {
    const AreaTables& areas; ///< finalWards as finalWardSelection leaves them
    const SarTables& sar;
    const DataFolders& folders;
    const VariableLabels* labels = nullptr; ///< null: categories show their codes alone
};

/// Counts `request` over the EDs of `edList`, exactly as the extraction of the same
/// list with the generator at `random` would write them: the list is walked first,
/// drawing for the sample ward's EDs and parts in the extraction's order, then each
/// household file is read once, on every core (`threads`, 0 for one per core).
/// `random` is a copy: the process's generator is never moved by a table.
///
/// Throws DataFileError for a missing or malformed household file or SAR record
/// that the extraction would also stop at, CancelledError once `cancel` is set, and
/// std::invalid_argument for a households table by a person variable.
/// Memory: the household files are read one at a time per thread; a table with an
/// area side keeps every (area, other side) cell, 8 bytes each.
Table makeTable(const TableRequest& request, const EdList& edList, const TableSources& sources, std::mt19937 random,
    const TableProgress& progress = {}, const std::atomic<bool>* cancel = nullptr, int threads = 0);

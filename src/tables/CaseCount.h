#pragma once

#include "extraction/ExtractCommand.h"
#include "tables/TableRequest.h"

#include <atomic>
#include <random>

class CaseSelector;
class EdList;
struct TableSources;

/// The selector as a table's case filter; `selector` must outlive it.
CaseFilter caseFilter(const CaseSelector& selector);

/// The households and persons the extraction of `edList` with the generator at
/// `random` would write under `selector`, counted by the table engine.
SelectedCaseCounts countSelectedCases(const CaseSelector& selector, const EdList& edList,
    const TableSources& sources, std::mt19937 random, const std::atomic<bool>* cancel = nullptr);

/// The size check's counter over these tables; they must outlive it.
CaseCounter tableCaseCounter(const AreaTables& areas, const DataFolders& folders, const VariableLabels* labels);

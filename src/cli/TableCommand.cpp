#include "cli/TableCommand.h"

#include "cli/CommandLine.h"
#include "cli/ExtractTool.h"
#include "extraction/CaseSelector.h"
#include "extraction/ExtractCommand.h"
#include "extraction/ExtractMessage.h"
#include "extraction/SarTables.h"
#include "extraction/UserEdList.h"
#include "fileio/CancelledError.h"
#include "formats/CodebookWriter.h"
#include "session/ApplicationState.h"
#include "tables/CaseCount.h"
#include "tables/TableDimensions.h"
#include "tables/TableEdList.h"
#include "tables/TableEngine.h"
#include "textio/DataFileError.h"

#include <ostream>

namespace {

constexpr const char* kProgram = "zendra91-extract";

TableDimension dimension(const std::string& name, TableUnit unit, const VariableCatalogue& catalogue)
{
    if (std::optional<TableDimension> found = findTableDimension(name, unit, catalogue))
        return *found;
    std::string known;
    for (const std::string& valid : tableDimensionNames(unit, catalogue))
        known += (known.empty() ? "" : ",") + valid;
    const bool personVariable
        = unit == TableUnit::Households && findTableDimension(name, TableUnit::Persons, catalogue);
    throw UsageError("--table: "
        + std::string(
            personVariable ? "\"" + name + "\" is a person variable" : "unknown variable or level \"" + name + "\"")
        + "; a " + (unit == TableUnit::Persons ? "persons" : "households") + " table takes " + known);
}

void printTable(const Table& table, std::ostream& out)
{
    const bool twoWay = table.columns.has_value();
    out << (twoWay ? "rows,rows_label,columns,columns_label,count\n" : "rows,rows_label,count\n");
    for (int r = 0; r < table.rowCount(); ++r) {
        const TableCategory& row = table.rowCategories[static_cast<std::size_t>(r)];
        const std::string rowFields = csvField(row.code) + ',' + csvField(row.label) + ',';
        for (int c = 0; c < table.columnCount(); ++c) {
            out << rowFields;
            if (twoWay) {
                const TableCategory& column = table.columnCategories[static_cast<std::size_t>(c)];
                out << csvField(column.code) << ',' << csvField(column.label) << ',';
            }
            out << table.count(r, c) << '\n';
        }
    }
}

} // namespace

int runTableCommand(const CommandLine& line, ApplicationState& state, const RequestChoices& choices, std::ostream& out,
    std::ostream& err, const std::atomic<bool>* cancel)
{
    TableRequest request;
    request.unit = line.tableCount == "households" ? TableUnit::Households : TableUnit::Persons;
    request.rows = dimension(line.table[0], request.unit, state.variables);
    if (line.table.size() > 1)
        request.columns = dimension(line.table[1], request.unit, state.variables);

    const std::string edListPath = choices.edList ? choices.edList->path : std::string();
    if (choices.edList && !regularFileExists(edListPath))
        throw UsageError(ExtractMessage::edListMissing(edListPath).joined(" "));
    const EdList edList = tableEdList(state.areas, choices.edList.has_value(), edListPath);
    const SarTables sar = loadSarTables(state.folders);
    const TableSources sources { state.areas, sar, state.folders, state.labels ? &*state.labels : nullptr };
    std::optional<CaseSelector> selector;
    CaseFilter filter;
    if (!choices.caseSelection.empty()) {
        try {
            selector.emplace(choices.caseSelection, state.variables, sar, sources.labels);
        } catch (const SelectionError& e) {
            throw UsageError(ExtractMessage::caseSelectionRefused(e.what()).joined(" "));
        }
        filter = caseFilter(*selector);
        request.filter = &filter;
    }
    Table table;
    try {
        table = makeTable(request, edList, sources, state.random, {}, cancel);
    } catch (const CancelledError&) {
        err << kProgram << ": " << ExtractMessage::extractionCancelled().joined(" ") << "\n";
        return kExitCancelled;
    }
    // Extract would list these in RejectedEDs.txt; a table writes no file, so it says so here.
    if (const std::uint64_t n = table.codesWithoutFile; n > 0)
        err << kProgram << ": note: " << n << (n == 1 ? " listed code has" : " listed codes have")
            << " no household file and " << (n == 1 ? "is" : "are") << " not counted\n";
    printTable(table, out);
    out.flush();
    if (!out)
        throw DataFileError("standard output", 0, 0, "cannot write");
    if (!table.emptyReason.empty())
        err << kProgram << ": the table is empty: " << table.emptyReason << "\n";
    return kExitDone;
}

#include "tables/CaseCount.h"

#include "extraction/CaseSelector.h"
#include "extraction/SarTables.h"
#include "tables/TableEngine.h"
#include "variables/VariableCatalogue.h"

CaseFilter caseFilter(const CaseSelector& selector)
{
    CaseFilter filter;
    filter.household = [&selector](const std::int32_t* household) { return selector.householdPasses(household); };
    if (selector.hasPersonConditions())
        filter.person = [&selector](const std::int32_t* person, const std::int32_t*) {
            return selector.personPasses(person);
        };
    filter.wholeHouseholds = selector.wholeHouseholds();
    return filter;
}

SelectedCaseCounts countSelectedCases(const CaseSelector& selector, const EdList& edList,
    const TableSources& sources, std::mt19937 random, const std::atomic<bool>* cancel)
{
    const CaseFilter filter = caseFilter(selector);
    // HNUM tells every household apart, so no count is merged away.
    TableRequest request;
    request.rows = { TableDimension::Kind::HouseholdVariable, kHhHnum, TableArea::Ed };
    request.filter = &filter;
    SelectedCaseCounts counts;
    request.unit = TableUnit::Households;
    counts.households = makeTable(request, edList, sources, random, {}, cancel).total();
    request.unit = TableUnit::Persons;
    counts.persons = makeTable(request, edList, sources, random, {}, cancel).total();
    return counts;
}

CaseCounter tableCaseCounter(const AreaTables& areas, const DataFolders& folders, const VariableLabels* labels)
{
    return [&areas, &folders, labels](const CaseSelector& selector, const EdList& edList, const SarTables& sar,
               const std::mt19937& random) {
        const TableSources sources { areas, sar, folders, labels };
        return countSelectedCases(selector, edList, sources, random);
    };
}

// The table engine alone, with the data loaded once. Run it in a folder that holds
// the data (ProgramData, SARData, Zen91Data); it prints each median last:
//   all_areas_age_by_sex_ms: N    persons of every ward by Age and Sex
//   district_two_way_ms: N        persons of one district by Age and Sex
//   district_ward_by_tenure_ms: N households of one district by ward and Tenure
//   peak_rss_mib: N

#include "base/DataFolders.h"
#include "extraction/EdList.h"
#include "extraction/SarTables.h"
#include "geography/AreaTables.h"
#include "session/ApplicationState.h"
#include "tables/TableDimensions.h"
#include "tables/TableEngine.h"
#include "BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int district = argc > 2 ? std::atoi(argv[2]) : 100;
    try {
        std::unique_ptr<ApplicationState> state = loadApplicationState(setDataFolders());
        const SarTables sar = loadSarTables(state->folders);
        const VariableCatalogue& catalogue = state->variables;
        AreaTables& areas = state->areas;
        const TableSources sources { areas, sar, state->folders, state->labels ? &*state->labels : nullptr };
        auto request = [&](TableUnit unit, const char* rows, const char* columns) {
            TableRequest r;
            r.unit = unit;
            r.rows = *findTableDimension(rows, unit, catalogue);
            r.columns = *findTableDimension(columns, unit, catalogue);
            return r;
        };
        std::uint64_t sink = 0;
        auto time = [&](const TableRequest& r) {
            return medianMs(runs, [&] {
                Table t = makeTable(r, EdList::fromAreaSelection(areas), sources, state->random);
                sink += t.total();
            });
        };

        std::fill(areas.finalWards.begin() + 1, areas.finalWards.end(), 1);
        const double all = time(request(TableUnit::Persons, "Age", "Sex"));

        std::fill(areas.finalWards.begin(), areas.finalWards.end(), 0);
        auto [first, last] = areas.district2Ward[static_cast<std::size_t>(district)];
        for (int w = first; w <= last; ++w)
            areas.finalWards[static_cast<std::size_t>(w)] = 1;
        const double districtAgeSex = time(request(TableUnit::Persons, "Age", "Sex"));
        const double districtWards = time(request(TableUnit::Households, "ward", "Tenure"));

        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("runs: %d, district %d (check %llu)\n", runs, district, static_cast<unsigned long long>(sink));
        std::printf("all_areas_age_by_sex_ms: %.2f\n", all);
        std::printf("district_two_way_ms: %.2f\n", districtAgeSex);
        std::printf("district_ward_by_tenure_ms: %.2f\n", districtWards);
        std::printf("peak_rss_mib: %.1f\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_tables: %s\n", e.what());
        return 1;
    }
    return 0;
}

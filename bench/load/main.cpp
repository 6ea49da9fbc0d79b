// Start-up data load and SAR table load, timed. Run it in a folder that holds the
// data (ProgramData, SARData); it prints each median last:
//   load_reference_ms: N
//   load_sar_ms: N

#include "extraction/SarTables.h"
#include "geography/AreaTablesLoader.h"
#include "base/DataFolders.h"
#include "textio/DataFileError.h"
#include "variables/VariableCatalogue.h"
#include "BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    try {
        DataFolders folders = setDataFolders();
        long sink = 0;
        double reference = medianMs(runs, [&] {
            AreaTables areas = loadAreaTables(folders);
            VariableCatalogue catalogue = loadVariableCatalogue(folders);
            sink += areas.eds2Ward[1][0] + catalogue.hhVarWidths[1];
        });
        double sar = medianMs(runs, [&] {
            SarTables tables = loadSarTables(folders);
            sink += tables.household(1, 1);
        });
        std::printf("runs: %d (check %ld)\n", runs, sink);
        std::printf("load_reference_ms: %.2f\n", reference);
        std::printf("load_sar_ms: %.2f\n", sar);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_load: %s\n", e.what());
        return 1;
    }
    return 0;
}

#include "demodata/DemoData.h"

#include "demodata/DemoGeography.h"
#include "demodata/DemoSar.h"
#include "demodata/HouseholdFiles.h"
#include "demodata/SarCodebook.h"

#include "base/DefaultNames.h"
#include "textio/DataFileError.h"
#include "textio/LineWriter.h"

#include <filesystem>
#include <system_error>

namespace {

std::string makeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw DataFileError::io(path, "cannot create folder", error.value());
    return path + "/";
}

} // namespace

DemoSummary writeDemoData(const std::string& dir, const DemoOptions& options)
{
    std::string base = dir;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    makeFolder(base);
    const std::string root = base == "/" ? base : base + "/";
    const std::string programData = makeFolder(root + kProgramDataFolderName);
    const std::string sarData = makeFolder(root + kSarDataFolderName);
    const std::string population = makeFolder(root + kPopulationDataFolderName);
    const std::string glossary = makeFolder(root + kGlossaryFolderName);

    const DemoGeography geography = buildDemoGeography();
    writeGeographyFiles(geography, programData);
    const DemoSar sar = buildDemoSar();
    writeSarFiles(sar, sarData);
    writeVariableMap(sar, programData);
    writeGlossaryPages(glossary);

    DemoSummary summary;
    const int numWards = static_cast<int>(geography.wards.size()) - 1;
    for (int w = 1; w <= numWards; ++w) {
        const DemoWard& ward = geography.wards[static_cast<std::size_t>(w)];
        summary.eds += ward.eds;
        summary.persons += ward.persons;
        summary.households += ward.households;
        bool wanted = options.full || w == geography.sampleWard || w == geography.niWard || w == geography.letteredWard
            || w == geography.largeWard;
        if (wanted)
            summary.householdFiles += writeHouseholdFiles(geography, w, population);
    }

    LineWriter list(root + kDefaultEdListFileName, 1 << 12);
    for (const std::string& code : defaultEdList(geography)) {
        list.append(code);
        list.endLine();
    }
    list.close();
    return summary;
}

#include "extraction/ExtractionDriver.h"

#include "extraction/EdList.h"
#include "fileio/CancelledError.h"
#include "extraction/ExtractRequest.h"
#include "extraction/HouseholdList.h"
#include "extraction/OutputFiles.h"
#include "extraction/OutputWriter.h"
#include "extraction/SarTables.h"
#include "extraction/UserEdList.h"
#include "geography/AreaTables.h"
#include "geography/AreaTablesLoader.h"
#include "geography/EdCode.h"
#include "base/DataFolders.h"
#include "variables/VariableCatalogue.h"

#include <array>
#include <memory>
#include <optional>

namespace {

/// The sample ward's household lists, each read once per extraction: there are at
/// most 30 x 6 of them, and an all-areas request reads each thousands of times.
class SampleFiles {
public:
    explicit SampleFiles(const DataFolders& folders)
        : m_populationFolder(folders.populationDataFolder)
    {
    }

    const HouseholdList& get(int fileNumber, int letter)
    {
        std::size_t slot = static_cast<std::size_t>((fileNumber - 1) * (kSampleWardParts + 1) + letter);
        if (!m_lists[slot]) {
            auto list = std::make_unique<HouseholdList>();
            list->read(*householdFilePath(m_populationFolder, edCode(kSampleWardCode, fileNumber, letter)));
            m_lists[slot] = std::move(list);
        }
        return *m_lists[slot];
    }

private:
    std::string m_populationFolder;
    std::array<std::unique_ptr<HouseholdList>, kSampleWardEds*(kSampleWardParts + 1)> m_lists;
};

} // namespace

double drawUniform(std::mt19937& random)
{
    return static_cast<double>(random()) / 4294967296.0;
}

CodeRegion codeRegion(const AreaTables& areas, const std::string& code)
{
    CodeRegion result;
    int county = censusCountyNumber(code);
    if (county < 0 || static_cast<std::size_t>(county) >= areas.onsCounty2Region.size())
        return result;
    result.region = areas.onsCounty2Region[static_cast<std::size_t>(county)];
    const std::vector<std::int16_t>& region2Country = areas.level(AreaLevel::Region).parents;
    if (result.region > 0 && static_cast<std::size_t>(result.region) < region2Country.size())
        result.country = region2Country[static_cast<std::size_t>(result.region)];
    else
        result.region = 0;
    return result;
}

ExtractionResult runExtraction(const ExtractRequest& request, EdList& edList, const VariableCatalogue& catalogue,
                               const AreaTables& areas, const DataFolders& folders, std::mt19937& random,
                               const ExtractProgress& progress, const std::atomic<bool>* cancel)
{
    OutputFiles files(cancel);
    LineWriter* householdOut = nullptr;
    LineWriter* personOut = nullptr;
    const std::string stem = request.outputFolder + request.rootFileName;
    if (!request.separateFiles) {
        householdOut = personOut = &files.create(stem + "_hhind.txt");
    } else {
        if (catalogue.hhSelected[0] == 1)
            householdOut = &files.create(stem + "_hh.txt");
        if (catalogue.indSelected[0] == 1)
            personOut = &files.create(stem + "_ind.txt");
    }

    const SarTables sar = loadSarTables(folders);
    OutputWriter writer(
        sar, catalogue, areas, request.spatialCodeFlags, request.separateFiles, householdOut, personOut);
    writer.writeHeaderLines();

    ExtractionResult result;
    SampleFiles samples(folders);
    HouseholdList userHouseholds;
    EdEntry entry;
    const std::uint64_t total = edList.size();
    std::uint64_t done = 0;
    while (edList.next(entry)) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            throw CancelledError();
        if (entry.source == EdSource::UserList) {
            std::optional<std::string> path = householdFilePath(folders.populationDataFolder, entry.code);
            if (path && regularFileExists(*path)) {
                userHouseholds.read(*path);
                CodeRegion where = codeRegion(areas, entry.code);
                writer.writeEdRecords(userHouseholds, entry.code, where.country, where.region);
                ++result.writtenEds;
            }
        } else {
            CodeRegion where = codeRegion(areas, areas.wardCodes[static_cast<std::size_t>(entry.wardIndex)]);
            int fileNumber = entry.edNumber;
            if (fileNumber > kSampleWardEds)
                fileNumber = static_cast<int>(kSampleWardEds * drawUniform(random)) + 1;
            int letter = entry.partIndex;
            if (letter > kSampleWardParts)
                letter = static_cast<int>((kSampleWardParts + 1) * drawUniform(random));
            const HouseholdList& households = samples.get(fileNumber, letter);
            if (entry.written) {
                writer.writeEdRecords(households, entry.code, where.country, where.region);
                ++result.writtenEds;
            }
        }
        if (progress)
            progress(++done, total);
    }

    files.commit();
    result.households = writer.households();
    result.persons = writer.persons();
    result.files = files.finalPaths();
    return result;
}

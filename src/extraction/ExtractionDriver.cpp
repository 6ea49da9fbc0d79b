#include "extraction/ExtractionDriver.h"

#include "extraction/EdList.h"
#include "fileio/CancelledError.h"
#include "fileio/FileSystem.h"
#include "extraction/ExtractRequest.h"
#include "extraction/HouseholdList.h"
#include "extraction/OutputFiles.h"
#include "extraction/OutputWriter.h"
#include "extraction/SarTables.h"
#include "extraction/StatOutputWriter.h"
#include "formats/CodebookWriter.h"
#include "textio/Sha256.h"
#include "extraction/UserEdList.h"
#include "geography/AreaTables.h"
#include "geography/AreaTablesLoader.h"
#include "geography/EdCode.h"
#include "base/DataFolders.h"
#include "variables/VariableCatalogue.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <thread>

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

namespace {

/// Walks the ED list, drawing for the sample ward's EDs and parts; calls
/// `written(households, code, region)` for each ED that is written and `step()`
/// after every entry. Throws CancelledError once `cancel` or `stop` is set.
template <typename Written, typename Step>
void walkEds(EdList& edList, const AreaTables& areas, const DataFolders& folders, std::mt19937& random,
    SampleFiles& samples, const std::atomic<bool>* cancel, const std::atomic<bool>* stop, std::uint64_t& draws,
    Written&& written, Step&& step)
{
    HouseholdList userHouseholds;
    EdEntry entry;
    while (edList.next(entry)) {
        if ((cancel && cancel->load(std::memory_order_relaxed)) || (stop && stop->load(std::memory_order_relaxed)))
            throw CancelledError();
        if (entry.source == EdSource::UserList) {
            std::optional<std::string> path = householdFilePath(folders.populationDataFolder, entry.code);
            if (path && regularFileExists(*path)) {
                userHouseholds.read(*path);
                written(userHouseholds, entry.code, codeRegion(areas, entry.code));
            }
        } else {
            CodeRegion where = codeRegion(areas, areas.wardCodes[static_cast<std::size_t>(entry.wardIndex)]);
            int fileNumber = entry.edNumber;
            if (fileNumber > kSampleWardEds) {
                fileNumber = static_cast<int>(kSampleWardEds * drawUniform(random)) + 1;
                ++draws;
            }
            int letter = entry.partIndex;
            if (letter > kSampleWardParts) {
                letter = static_cast<int>((kSampleWardParts + 1) * drawUniform(random));
                ++draws;
            }
            const HouseholdList& households = samples.get(fileNumber, letter);
            if (entry.written)
                written(households, entry.code, where);
        }
        step();
    }
}

/// The longest value each spatial code can take in this extraction.
std::array<int, kNumSpatialColumns> spatialWidths(const AreaTables& areas, EdList edList)
{
    std::array<int, kNumSpatialColumns> widths { 0, 0, 2, 4, 6, 0 };
    for (AreaLevel level : { AreaLevel::Country, AreaLevel::Region }) {
        const std::vector<std::string>& names = areas.level(level).names;
        for (std::size_t i = 1; i < names.size(); ++i)
            widths[static_cast<std::size_t>(level)]
                = std::max(widths[static_cast<std::size_t>(level)], static_cast<int>(names[i].size()));
    }
    EdEntry entry;
    while (edList.next(entry))
        widths[kSpatialEd] = std::max(widths[kSpatialEd], static_cast<int>(entry.code.size()));
    return widths;
}

/// Runs `work(stop)` on another thread. join() waits for it and rethrows what it
/// threw; leaving early sets `stop` and waits, so the work never outlives what it uses.
class SideTask {
public:
    template <typename Work>
    explicit SideTask(Work work)
        : m_thread([this, work = std::move(work)]() mutable {
            try {
                work(m_stop);
            } catch (...) {
                m_error = std::current_exception();
                m_failed = true;
            }
        })
    {
    }
    ~SideTask()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    SideTask(const SideTask&) = delete;
    SideTask& operator=(const SideTask&) = delete;

    const std::atomic<bool>& failed() const { return m_failed; }
    void join()
    {
        m_thread.join();
        if (m_error)
            std::rethrow_exception(m_error);
    }

private:
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_failed { false };
    std::exception_ptr m_error;
    std::thread m_thread; // last: starts once the members above exist
};

std::string fileName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

} // namespace

ExtractionResult runExtraction(const ExtractRequest& request, EdList& edList, const VariableCatalogue& catalogue,
    const AreaTables& areas, const DataFolders& folders, std::mt19937& random, const ExtractProgress& progress,
    const std::atomic<bool>* cancel, const ExtractionExtras& extras)
{
    const bool statistics = request.format != OutputFormat::Csv;
    const StatFormat statFormat = request.format == OutputFormat::Stata ? StatFormat::Stata : StatFormat::Spss;
    const std::string suffix = statistics ? statFileSuffix(statFormat) : ".txt";
    const std::array<int, kNumSpatialColumns> widths = spatialWidths(areas, edList);

    OutputFiles files(cancel, extras.fileSystem ? *extras.fileSystem : systemFileSystem());
    std::vector<std::unique_ptr<Sha256>> digests;
    std::vector<CodebookFile> codebook;
    auto create = [&](const std::string& name, OutputFileKind kind) {
        // The digests are recorded in the request file only; they are taken on the
        // second core while this one extracts.
        digests.push_back(extras.requestJson ? std::make_unique<Sha256>() : nullptr);
        if (digests.back())
            digests.back()->hashInBackground();
        codebook.push_back({ request.rootFileName + name + suffix,
            outputColumns(kind, catalogue, request.spatialCodeFlags, widths, extras.labels), statistics });
        return &files.create(
            request.outputFolder + codebook.back().fileName, LineWriter::kDefaultBufferSize, digests.back().get());
    };
    LineWriter* householdOut = nullptr;
    LineWriter* personOut = nullptr;
    StatOutputWriter::Files statFiles;
    if (!request.separateFiles) {
        householdOut = personOut = create("_hhind", OutputFileKind::Combined);
        statFiles.person = codebook.back().columns;
    } else {
        if (catalogue.hhSelected[0] == 1) {
            householdOut = create("_hh", OutputFileKind::Households);
            statFiles.household = codebook.back().columns;
        }
        if (catalogue.indSelected[0] == 1) {
            personOut = create("_ind", OutputFileKind::Persons);
            statFiles.person = codebook.back().columns;
        }
    }

    const SarTables sar = loadSarTables(folders);
    ExtractionResult result;
    SampleFiles samples(folders);
    const std::uint64_t total = edList.size();
    std::uint64_t done = 0;
    auto step = [&] {
        if (progress)
            progress(++done, total);
    };
    std::unique_ptr<StatOutputWriter> statWriter;
    std::optional<OutputWriter> csvWriter;
    if (statistics) {
        std::mt19937 counting = random;
        EdList countingList = edList;
        std::int64_t households = 0;
        std::int64_t persons = 0;
        std::uint64_t countingDraws = 0;
        walkEds(
            countingList, areas, folders, counting, samples, cancel, nullptr, countingDraws,
            [&](const HouseholdList& list, std::string_view, CodeRegion) {
                households += list.count();
                for (std::int32_t row : list) {
                    auto [first, last] = sar.personRange(row);
                    persons += last - first + 1;
                }
            },
            [] {});
        // With separate files the person file, the larger, is written on the second
        // core by a walk of its own over a copy of the list and of the generator, so
        // it sees the same draws as this one.
        const bool personAside = request.separateFiles && householdOut && personOut;
        std::optional<SideTask> personTask;
        if (personAside)
            personTask.emplace([&, personList = edList, personRandom = random](const std::atomic<bool>& stop) mutable {
                SampleFiles personSamples(folders);
                StatOutputWriter writer(
                    sar, areas, statFiles, statFormat, nullptr, 0, personOut, persons, request.fileTime);
                std::uint64_t personDraws = 0;
                walkEds(
                    personList, areas, folders, personRandom, personSamples, cancel, &stop, personDraws,
                    [&](const HouseholdList& list, std::string_view code, CodeRegion where) {
                        writer.writeEdRecords(list, code, where.country, where.region);
                    },
                    [] {});
                writer.finish();
            });
        statWriter = std::make_unique<StatOutputWriter>(sar, areas, statFiles, statFormat,
            request.separateFiles ? householdOut : nullptr, households, personAside ? nullptr : personOut, persons,
            request.fileTime);
        try {
            walkEds(
                edList, areas, folders, random, samples, cancel, personTask ? &personTask->failed() : nullptr,
                result.randomDraws,
                [&](const HouseholdList& list, std::string_view code, CodeRegion where) {
                    statWriter->writeEdRecords(list, code, where.country, where.region);
                    ++result.writtenEds;
                    result.households += static_cast<std::uint64_t>(list.count());
                },
                step);
        } catch (const CancelledError&) {
            // Stopped because the person file failed: its error is the one to report.
            if (personTask && personTask->failed())
                personTask->join();
            throw;
        }
        statWriter->finish();
        if (personTask)
            personTask->join();
        result.persons = static_cast<std::uint64_t>(persons);
    } else {
        csvWriter.emplace(
            sar, catalogue, areas, request.spatialCodeFlags, request.separateFiles, householdOut, personOut);
        csvWriter->writeHeaderLines();
        walkEds(
            edList, areas, folders, random, samples, cancel, nullptr, result.randomDraws,
            [&](const HouseholdList& list, std::string_view code, CodeRegion where) {
                csvWriter->writeEdRecords(list, code, where.country, where.region);
                ++result.writtenEds;
            },
            step);
        result.households = csvWriter->households();
        result.persons = csvWriter->persons();
    }
    // Counts of what was written: the run record and the command both report them.
    if (!personOut)
        result.persons = 0;

    std::vector<LineWriter*> outputs;
    if (householdOut)
        outputs.push_back(householdOut);
    if (personOut && personOut != householdOut)
        outputs.push_back(personOut);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        outputs[i]->close();
        result.outputs.push_back(
            { fileName(outputs[i]->path()), outputs[i]->bytesWritten(), digests[i] ? digests[i]->finishHex() : "" });
    }
    LineWriter& codebookOut = files.create(request.outputFolder + request.rootFileName + kCodebookFileSuffix, 1 << 16);
    writeCodebook(codebookOut, codebook);
    if (extras.requestJson) {
        const std::string json = extras.requestJson(result);
        files.create(request.outputFolder + request.rootFileName + kRequestFileSuffix, 1 << 16).append(json);
    }
    files.commit();
    result.files = files.finalPaths();
    result.files.resize(outputs.size());
    return result;
}

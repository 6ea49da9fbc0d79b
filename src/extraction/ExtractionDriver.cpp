#include "extraction/ExtractionDriver.h"

#include "extraction/CaseSelector.h"
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
#include "formats/LoadingScripts.h"
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

namespace {

StatFormat statFormat(const ExtractRequest& request)
{
    if (request.format == OutputFormat::Stata)
        return StatFormat::Stata;
    return request.compress ? StatFormat::SpssCompressed : StatFormat::Spss;
}

} // namespace

std::string dataFileSuffix(const ExtractRequest& request)
{
    const OutputFormatInfo& info = formatInfo(request.format);
    return request.compress ? info.compressedSuffix : info.suffix;
}

bool writesLoadingScripts(const ExtractRequest& request)
{
    return request.format == OutputFormat::Csv && request.loadingScripts;
}

double drawUniform(std::mt19937& random)
{
    return static_cast<double>(random()) / 4294967296.0;
}

SampleFile drawSampleFile(const EdEntry& entry, std::mt19937& random, std::uint64_t& draws)
{
    SampleFile sample { entry.edNumber, entry.partIndex };
    if (sample.fileNumber > kSampleWardEds) {
        sample.fileNumber = static_cast<int>(kSampleWardEds * drawUniform(random)) + 1;
        ++draws;
    }
    if (sample.letter > kSampleWardParts) {
        sample.letter = static_cast<int>((kSampleWardParts + 1) * drawUniform(random));
        ++draws;
    }
    return sample;
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
            const SampleFile sample = drawSampleFile(entry, random, draws);
            const HouseholdList& households = samples.get(sample.fileNumber, sample.letter);
            if (entry.written)
                written(households, entry.code, where);
        }
        step();
    }
}

/// The longest value each spatial code can take in this extraction.
std::array<int, kNumSpatialCodes> spatialWidths(const AreaTables& areas, EdList edList)
{
    std::array<int, kNumSpatialCodes> widths { 0, 0, 2, 4, 6, 0 };
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

/// One extraction, step by step: the output files opened, the SAR tables loaded,
/// the records written as CSV or statistics files, then the codebook, the request
/// file and the commit.
class Extraction {
public:
    Extraction(const ExtractRequest& request, EdList& edList, const VariableCatalogue& catalogue,
        const AreaTables& areas, const DataFolders& folders, std::mt19937& random, const ExtractProgress& progress,
        const std::atomic<bool>* cancel, const ExtractionExtras& extras)
        : m_request(request)
        , m_edList(edList)
        , m_catalogue(catalogue)
        , m_areas(areas)
        , m_folders(folders)
        , m_random(random)
        , m_progress(progress)
        , m_cancel(cancel)
        , m_extras(extras)
        , m_statistics(formatInfo(request.format).statistics)
        , m_statFormat(statFormat(request))
        , m_files(cancel, extras.fileSystem ? *extras.fileSystem : systemFileSystem())
        , m_samples(folders)
        , m_total(edList.size())
    {
    }

    ExtractionResult run()
    {
        openFiles();
        m_sar = loadSarTables(m_folders);
        m_householdUses.assign(static_cast<std::size_t>(m_sar.numHouseholds()) + 1, 0);
        if (!m_request.caseSelection.empty()) {
            // Decided once per SAR record: every ED repeats the same few thousand.
            const CaseSelector selector(m_request.caseSelection, m_catalogue, m_sar, m_extras.labels);
            m_cases = selector.rows(m_sar);
            m_selectionText = selector.text();
        }
        if (m_statistics)
            writeStatistics();
        else
            writeCsv();
        // Counts of what was written: the run record and the command both report them.
        if (!m_personOut)
            m_result.persons = 0;
        return finish();
    }

private:
    void openFiles();
    std::pair<std::int64_t, std::int64_t> countRows();
    void writeStatistics();
    void writeCsv();
    ExtractionResult finish();
    const CaseRows* cases() const { return m_cases ? &*m_cases : nullptr; }

    /// The main walk, with progress reported after every entry and its draws counted.
    template <typename Written> void walkMain(const std::atomic<bool>* stop, Written&& written)
    {
        // Each written household is tallied for the codebook's frequencies.
        auto tallied = [this, &written](const HouseholdList& list, std::string_view code, CodeRegion where) {
            for (std::int32_t row : list)
                ++m_householdUses[static_cast<std::size_t>(row)];
            written(list, code, where);
        };
        walkEds(
            m_edList, m_areas, m_folders, m_random, m_samples, m_cancel, stop, m_result.randomDraws, tallied, [this] {
                if (m_progress)
                    m_progress(++m_done, m_total);
            });
    }

    const ExtractRequest& m_request;
    EdList& m_edList;
    const VariableCatalogue& m_catalogue;
    const AreaTables& m_areas;
    const DataFolders& m_folders;
    std::mt19937& m_random;
    const ExtractProgress& m_progress;
    const std::atomic<bool>* m_cancel;
    const ExtractionExtras& m_extras;
    const bool m_statistics;
    const StatFormat m_statFormat;

    OutputFiles m_files;
    std::vector<std::unique_ptr<Sha256>> m_digests;
    std::vector<CodebookFile> m_codebook;
    LineWriter* m_householdOut = nullptr;
    LineWriter* m_personOut = nullptr;
    StatOutputWriter::Files m_statFiles;
    SarTables m_sar;
    std::optional<CaseRows> m_cases;
    std::string m_selectionText; // empty without a selection
    std::vector<std::uint64_t> m_householdUses; // times each SAR household was written
    SampleFiles m_samples;
    const std::uint64_t m_total;
    std::uint64_t m_done = 0;
    ExtractionResult m_result;
};

void Extraction::openFiles()
{
    const std::string suffix = dataFileSuffix(m_request);
    // ReadStat compresses a .zsav itself; only CSV goes through gzip.
    const bool gzip = !m_statistics && m_request.compress;
    const std::array<int, kNumSpatialCodes> widths = spatialWidths(m_areas, m_edList);
    auto create = [&](const std::string& name, OutputFileKind kind) {
        // The digests are recorded in the request file only; they are taken on the
        // second core while this one extracts.
        m_digests.push_back(m_extras.requestJson ? std::make_unique<Sha256>() : nullptr);
        if (m_digests.back())
            m_digests.back()->hashInBackground();
        m_codebook.push_back({ m_request.rootFileName + name + suffix,
            outputColumns(kind, m_catalogue, m_request.spatialCodeFlags, widths, m_extras.labels), m_statistics,
            kind });
        const std::string path = m_request.outputFolder + m_codebook.back().fileName;
        return gzip ? &m_files.createGzip(path, m_digests.back().get())
                    : &m_files.create(path, LineWriter::kDefaultBufferSize, m_digests.back().get());
    };
    if (!m_request.separateFiles) {
        m_householdOut = m_personOut = create("_hhind", OutputFileKind::Combined);
        m_statFiles.person = m_codebook.back().columns;
        return;
    }
    if (m_catalogue.hhSelected[0] == 1) {
        m_householdOut = create("_hh", OutputFileKind::Households);
        m_statFiles.household = m_codebook.back().columns;
    }
    if (m_catalogue.indSelected[0] == 1) {
        m_personOut = create("_ind", OutputFileKind::Persons);
        m_statFiles.person = m_codebook.back().columns;
    }
}

// A statistics file records its row count first: a walk over copies of the list and
// the generator counts the households and persons to come.
std::pair<std::int64_t, std::int64_t> Extraction::countRows()
{
    std::mt19937 counting = m_random;
    EdList countingList = m_edList;
    std::int64_t households = 0;
    std::int64_t persons = 0;
    std::uint64_t countingDraws = 0;
    walkEds(
        countingList, m_areas, m_folders, counting, m_samples, m_cancel, nullptr, countingDraws,
        [&](const HouseholdList& list, std::string_view, CodeRegion) {
            const CaseRows* cases = m_cases ? &*m_cases : nullptr;
            for (std::int32_t row : list) {
                auto [first, last] = m_sar.personRange(row);
                if (cases && !cases->household[static_cast<std::size_t>(row)])
                    continue;
                ++households;
                for (int p = first; p <= last; ++p)
                    persons += !cases || cases->person[static_cast<std::size_t>(p)];
            }
        },
        [] {});
    return { households, persons };
}

void Extraction::writeStatistics()
{
    const auto [households, persons] = countRows();
    // With separate files the person file, the larger, is written on the second
    // core by a walk of its own over a copy of the list and of the generator, so
    // it sees the same draws as this one.
    const bool personAside = m_request.separateFiles && m_householdOut && m_personOut;
    std::optional<SideTask> personTask;
    if (personAside)
        personTask.emplace([this, persons = persons, personList = m_edList, personRandom = m_random](
                               const std::atomic<bool>& stop) mutable {
            SampleFiles personSamples(m_folders);
            StatOutputWriter writer(m_sar, m_areas, m_statFiles, m_statFormat, nullptr, 0, m_personOut, persons,
                m_request.fileTime, cases());
            std::uint64_t personDraws = 0;
            walkEds(
                personList, m_areas, m_folders, personRandom, personSamples, m_cancel, &stop, personDraws,
                [&](const HouseholdList& list, std::string_view code, CodeRegion where) {
                    writer.writeEdRecords(list, code, where.country, where.region);
                },
                [] {});
            writer.finish();
        });
    StatOutputWriter writer(m_sar, m_areas, m_statFiles, m_statFormat,
        m_request.separateFiles ? m_householdOut : nullptr, households, personAside ? nullptr : m_personOut, persons,
        m_request.fileTime, cases());
    try {
        walkMain(personTask ? &personTask->failed() : nullptr,
            [&](const HouseholdList& list, std::string_view code, CodeRegion where) {
                writer.writeEdRecords(list, code, where.country, where.region);
                ++m_result.writtenEds;
            });
    } catch (const CancelledError&) {
        // Stopped because the person file failed: its error is the one to report.
        if (personTask && personTask->failed())
            personTask->join();
        throw;
    }
    writer.finish();
    if (personTask)
        personTask->join();
    m_result.households = static_cast<std::uint64_t>(households);
    m_result.persons = static_cast<std::uint64_t>(persons);
}

void Extraction::writeCsv()
{
    OutputWriter writer(m_sar, m_catalogue, m_areas, m_request.spatialCodeFlags, m_request.separateFiles,
        m_householdOut, m_personOut, cases());
    writer.writeHeaderLines();
    walkMain(nullptr, [&](const HouseholdList& list, std::string_view code, CodeRegion where) {
        writer.writeEdRecords(list, code, where.country, where.region);
        ++m_result.writtenEds;
    });
    m_result.households = writer.households();
    m_result.persons = writer.persons();
}

// Closes the data files, then writes the codebook and the request file into the
// same set, and commits them all at once.
ExtractionResult Extraction::finish()
{
    std::vector<LineWriter*> outputs;
    if (m_householdOut)
        outputs.push_back(m_householdOut);
    if (m_personOut && m_personOut != m_householdOut)
        outputs.push_back(m_personOut);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        outputs[i]->close();
        m_result.outputs.push_back({ fileName(outputs[i]->path()), m_files.storedBytes(*outputs[i]),
            m_digests[i] ? m_digests[i]->finishHex() : "" });
    }
    const std::string root = m_request.outputFolder + m_request.rootFileName;
    for (CodebookFile& file : m_codebook)
        addCodeFrequencies(file, m_sar, m_householdUses, cases());
    writeCodebook(m_files.create(root + kCodebookFileSuffix, 1 << 16), m_codebook, m_selectionText);
    if (writesLoadingScripts(m_request)) {
        for (const LoadingScript& script :
            loadingScripts(m_request.rootFileName, m_request.rootFileName + kCodebookFileSuffix, m_codebook)) {
            m_files.create(m_request.outputFolder + script.fileName, 1 << 16).append(script.text);
            // Listed with the data in the request file: they are run against it.
            m_result.outputs.push_back(
                { script.fileName, script.text.size(), m_extras.requestJson ? Sha256::of(script.text) : "" });
        }
    }
    if (m_extras.requestJson)
        m_files.create(root + kRequestFileSuffix, 1 << 16).append(m_extras.requestJson(m_result));
    m_files.commit();
    m_result.files = m_files.finalPaths();
    m_result.files.resize(outputs.size());
    return m_result;
}

} // namespace

ExtractionResult runExtraction(const ExtractRequest& request, EdList& edList, const VariableCatalogue& catalogue,
    const AreaTables& areas, const DataFolders& folders, std::mt19937& random, const ExtractProgress& progress,
    const std::atomic<bool>* cancel, const ExtractionExtras& extras)
{
    return Extraction(request, edList, catalogue, areas, folders, random, progress, cancel, extras).run();
}

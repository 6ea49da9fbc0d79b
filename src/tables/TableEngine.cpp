#include "tables/TableEngine.h"

#include "base/DataFolders.h"
#include "extraction/EdList.h"
#include "extraction/ExtractionDriver.h"
#include "extraction/HouseholdList.h"
#include "extraction/OutputWriter.h"
#include "extraction/SarTables.h"
#include "extraction/UserEdList.h"
#include "fileio/CancelledError.h"
#include "geography/AreaTables.h"
#include "geography/EdCode.h"
#include "textio/DataFileError.h"
#include "variables/VariableLabels.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <numeric>
#include <string_view>
#include <thread>
#include <unordered_map>

namespace {

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

/// The distinct values of one variable side, ascending.
struct VariableSide {
    bool household = false;
    int field = 0;
    std::vector<std::int32_t> codes;

    std::uint32_t index(std::int32_t value) const
    {
        return static_cast<std::uint32_t>(std::lower_bound(codes.begin(), codes.end(), value) - codes.begin());
    }
};

/// The area values of one area side, interned in the order they are met.
struct AreaSide {
    TableArea level = TableArea::Ed;
    std::unordered_map<std::string, std::uint32_t> index;
    std::vector<std::string> codes;
    std::vector<int> order; // country or region number, so those keep their tables' order

    std::uint32_t intern(std::string_view code, int orderKey)
    {
        auto [at, added] = index.try_emplace(std::string(code), static_cast<std::uint32_t>(codes.size()));
        if (added) {
            codes.emplace_back(code);
            order.push_back(orderKey);
        }
        return at->second;
    }
};

/// One household file and the written EDs it serves.
struct FileJob {
    std::string path;
    std::uint64_t uses = 0; // written EDs served
    std::vector<std::uint32_t> areaValues; // per written ED, for a table with area sides: its value on each
};

/// Each SAR household's contribution to the variable cells: (cell, count) pairs,
/// equal cells merged, and its persons before any filter.
struct Contributions {
    std::vector<std::uint32_t> start; // household h's pairs are [start[h], start[h + 1])
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    std::vector<std::uint32_t> persons;
    std::vector<bool> badRange; // FirstRes..LastRes outside the person table
};

class TableCounter {
public:
    TableCounter(const TableRequest& request, const TableSources& sources)
        : m_request(request)
        , m_sources(sources)
        , m_sar(sources.sar)
    {
        addSide(request.rows);
        if (request.columns)
            addSide(*request.columns);
    }

    Table run(EdList edList, std::mt19937& random, const TableProgress& progress, const std::atomic<bool>* cancel,
        int threads)
    {
        m_source = edList.source();
        m_listSize = edList.size();
        resolve(edList, random, cancel);
        for (AreaSide& side : m_areaSides)
            side.index = {}; // interned: only the codes are needed from here on
        if (areaCells() * variableCells() > kMaxTableCells) {
            Table refused = emptyTable();
            refused.eds = m_eds;
            refused.emptyReason = "the table would have " + std::to_string(areaCells() * variableCells())
                + " cells, more than " + std::to_string(kMaxTableCells) + ": choose fewer areas or a coarser level";
            return refused;
        }
        buildContributions();
        count(progress, cancel, threads);
        return finish();
    }

private:
    void addSide(const TableDimension& d)
    {
        const bool isArea = d.isArea();
        m_isArea.push_back(isArea);
        if (isArea) {
            m_areaSides.push_back({});
            m_areaSides.back().level = d.area;
            return;
        }
        VariableSide side;
        side.household = d.kind == TableDimension::Kind::HouseholdVariable;
        side.field = d.variable;
        std::vector<std::int32_t>& codes = side.codes;
        const int n = side.household ? m_sar.numHouseholds() : m_sar.numPersons();
        for (int r = 1; r <= n; ++r)
            codes.push_back(side.household ? m_sar.household(r, side.field) : m_sar.person(r, side.field));
        std::sort(codes.begin(), codes.end());
        codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
        m_variableSides.push_back(std::move(side));
    }

    // Walks the list as the extraction does, drawing where it draws, and gathers the
    // files to read with the written EDs each serves.
    void resolve(EdList& edList, std::mt19937& random, const std::atomic<bool>* cancel)
    {
        const AreaTables& areas = m_sources.areas;
        std::unordered_map<std::string, std::uint32_t> fileIndex;
        auto job = [&](const std::string& path) -> FileJob& {
            auto [at, added] = fileIndex.try_emplace(path, static_cast<std::uint32_t>(m_jobs.size()));
            if (added)
                m_jobs.push_back({ path, 0, {} });
            return m_jobs[at->second];
        };
        const std::string& population = m_sources.folders.populationDataFolder;
        std::uint64_t draws = 0;
        EdEntry entry;
        while (edList.next(entry)) {
            if (cancelled(cancel))
                throw CancelledError();
            CodeRegion where;
            FileJob* file = nullptr;
            if (entry.source == EdSource::UserList) {
                std::optional<std::string> path = householdFilePath(population, entry.code);
                if (!path || !regularFileExists(*path)) {
                    ++m_codesWithoutFile;
                    continue;
                }
                file = &job(*path);
                where = codeRegion(areas, entry.code);
            } else {
                where = codeRegion(areas, areas.wardCodes[static_cast<std::size_t>(entry.wardIndex)]);
                const SampleFile sample = drawSampleFile(entry, random, draws);
                // The extraction reads the file of an unwritten ED too, and fails alike.
                file = &job(*householdFilePath(population, edCode(kSampleWardCode, sample.fileNumber, sample.letter)));
                if (!entry.written)
                    continue;
            }
            ++m_eds;
            ++file->uses;
            if (!m_areaSides.empty())
                addAreaValues(file->areaValues, entry.code, where);
        }
    }

    void addAreaValues(std::vector<std::uint32_t>& out, std::string_view code, CodeRegion where)
    {
        const std::array<std::string_view, kNumSpatialCodes> values
            = spatialCodeValues(m_sources.areas, code, where.country, where.region);
        for (AreaSide& side : m_areaSides) {
            const int orderKey = side.level == TableArea::Country ? where.country
                : side.level == TableArea::Region                 ? where.region
                                                                  : 0;
            out.push_back(side.intern(values[static_cast<std::size_t>(side.level)], orderKey));
        }
    }

    std::uint32_t variableCell(int person, int household) const
    {
        std::uint32_t cell = 0;
        for (const VariableSide& side : m_variableSides) {
            const std::int32_t value
                = side.household ? m_sar.household(household, side.field) : m_sar.person(person, side.field);
            cell = cell * static_cast<std::uint32_t>(side.codes.size()) + side.index(value);
        }
        return cell;
    }

    void buildContributions()
    {
        const CaseFilter* filter = m_request.filter;
        const bool persons = m_request.unit == TableUnit::Persons;
        Contributions& c = m_contributions;
        const int n = m_sar.numHouseholds();
        c.start.assign(static_cast<std::size_t>(n) + 2, 0);
        c.persons.assign(static_cast<std::size_t>(n) + 1, 0);
        c.badRange.assign(static_cast<std::size_t>(n) + 1, false);
        std::vector<std::uint32_t> cells;
        for (int h = 1; h <= n; ++h) {
            c.start[static_cast<std::size_t>(h)] = static_cast<std::uint32_t>(c.pairs.size());
            std::pair<int, int> range;
            try {
                range = m_sar.personRange(h);
            } catch (const DataFileError&) {
                // Reported only if a counted ED holds it, as the extraction does.
                c.badRange[static_cast<std::size_t>(h)] = true;
                continue;
            }
            c.persons[static_cast<std::size_t>(h)] = static_cast<std::uint32_t>(range.second - range.first + 1);
            const std::int32_t* household = m_sar.householdRecord(h);
            if (filter && filter->household && !filter->household(household))
                continue;
            cells.clear();
            bool anyPerson = !(filter && filter->person);
            for (int p = range.first; p <= range.second; ++p) {
                const bool selected = !(filter && filter->person) || filter->person(m_sar.personRecord(p), household);
                anyPerson = anyPerson || selected;
                if (persons && (selected || (filter && filter->wholeHouseholds)))
                    cells.push_back(variableCell(p, h));
            }
            if (!anyPerson)
                continue;
            if (!persons)
                cells.push_back(variableCell(0, h));
            std::sort(cells.begin(), cells.end());
            for (std::size_t i = 0; i < cells.size();) {
                std::size_t j = i;
                while (j < cells.size() && cells[j] == cells[i])
                    ++j;
                c.pairs.emplace_back(cells[i], static_cast<std::uint32_t>(j - i));
                i = j;
            }
        }
        c.start[static_cast<std::size_t>(n) + 1] = static_cast<std::uint32_t>(c.pairs.size());
        // Households whose range was bad end where the next one starts.
        for (int h = n; h >= 1; --h)
            if (c.badRange[static_cast<std::size_t>(h)])
                c.start[static_cast<std::size_t>(h)] = c.start[static_cast<std::size_t>(h) + 1];
    }

    std::size_t variableCells() const
    {
        std::size_t cells = 1;
        for (const VariableSide& side : m_variableSides)
            cells *= side.codes.size();
        return cells;
    }

    std::size_t areaCells() const
    {
        std::size_t cells = 1;
        for (const AreaSide& side : m_areaSides)
            cells *= side.codes.size();
        return cells;
    }

    // Each file read once: its households' contributions summed, then added once per
    // written ED it serves, at that ED's area cell.
    void count(const TableProgress& progress, const std::atomic<bool>* cancel, int threads)
    {
        const std::size_t k = variableCells();
        m_counts.assign(areaCells() * k, 0);
        std::atomic<std::size_t> next { 0 };
        std::atomic<bool> stop { false };
        std::mutex merge;
        std::uint64_t filesDone = 0;
        std::exception_ptr error;
        auto work = [&] {
            std::vector<std::uint64_t> sum(k);
            std::vector<std::uint64_t> local(m_areaSides.empty() ? k : 0);
            std::uint64_t households = 0;
            std::uint64_t persons = 0;
            HouseholdList list;
            try {
                for (std::size_t i; (i = next.fetch_add(1)) < m_jobs.size();) {
                    if (stop.load(std::memory_order_relaxed) || cancelled(cancel))
                        throw CancelledError();
                    const FileJob& job = m_jobs[i];
                    list.read(job.path);
                    std::fill(sum.begin(), sum.end(), 0);
                    std::uint64_t filePersons = 0;
                    for (std::int32_t h : list) {
                        const auto row = static_cast<std::size_t>(h);
                        if (job.uses > 0 && m_contributions.badRange[row])
                            m_sar.personRange(h); // throws, naming the record
                        filePersons += m_contributions.persons[row];
                        for (std::uint32_t p = m_contributions.start[row]; p < m_contributions.start[row + 1]; ++p)
                            sum[m_contributions.pairs[p].first] += m_contributions.pairs[p].second;
                    }
                    households += job.uses * static_cast<std::uint64_t>(list.count());
                    persons += job.uses * filePersons;
                    if (m_areaSides.empty()) {
                        for (std::size_t c = 0; c < k; ++c)
                            local[c] += job.uses * sum[c];
                    } else {
                        std::lock_guard lock(merge);
                        for (std::size_t e = 0; e < job.areaValues.size(); e += m_areaSides.size()) {
                            std::uint64_t* row = &m_counts[areaCell(&job.areaValues[e]) * k];
                            for (std::size_t c = 0; c < k; ++c)
                                row[c] += sum[c];
                        }
                    }
                    if (progress) {
                        std::lock_guard lock(merge);
                        progress(++filesDone, m_jobs.size());
                    }
                }
            } catch (...) {
                std::lock_guard lock(merge);
                if (!error)
                    error = std::current_exception();
                stop = true;
                return;
            }
            std::lock_guard lock(merge);
            for (std::size_t c = 0; c < local.size(); ++c)
                m_counts[c] += local[c];
            m_households += households;
            m_persons += persons;
        };
        const auto cores = static_cast<std::size_t>(std::max(1u, std::thread::hardware_concurrency()));
        const std::size_t workers = std::max<std::size_t>(
            1, std::min(threads > 0 ? static_cast<std::size_t>(threads) : cores, m_jobs.size()));
        std::vector<std::thread> pool;
        for (std::size_t t = 1; t < workers; ++t)
            pool.emplace_back(work);
        work();
        for (std::thread& t : pool)
            t.join();
        if (error)
            std::rethrow_exception(error);
    }

    std::size_t areaCell(const std::uint32_t* values) const
    {
        return m_areaSides.size() == 1 ? values[0] : values[0] * m_areaSides[1].codes.size() + values[1];
    }

    /// Side `side` (0 rows, 1 columns): its index among the sides of its kind, its size.
    std::size_t ofKind(std::size_t side) const { return side == 1 && m_isArea[0] == m_isArea[1] ? 1 : 0; }
    std::size_t sideSize(std::size_t side) const
    {
        return m_isArea[side] ? m_areaSides[ofKind(side)].codes.size() : m_variableSides[ofKind(side)].codes.size();
    }
    std::vector<TableCategory> categories(
        std::size_t side, const TableDimension& d, const std::vector<std::size_t>& which) const;
    Table finish();
    Table emptyTable() const
    {
        Table table;
        table.codesWithoutFile = m_codesWithoutFile;
        table.unit = m_request.unit;
        table.rows = m_request.rows;
        table.columns = m_request.columns;
        return table;
    }

    const TableRequest& m_request;
    const TableSources& m_sources;
    const SarTables& m_sar;
    EdSource m_source = EdSource::AreaSelection;
    std::uint64_t m_listSize = 0;
    std::vector<bool> m_isArea; // per side, rows first
    std::vector<VariableSide> m_variableSides;
    std::vector<AreaSide> m_areaSides;
    std::vector<FileJob> m_jobs;
    Contributions m_contributions;
    std::vector<std::uint64_t> m_counts; // [area cell][variable cell]
    std::uint64_t m_eds = 0;
    std::uint64_t m_codesWithoutFile = 0;
    std::uint64_t m_households = 0;
    std::uint64_t m_persons = 0;
};

} // namespace

namespace {

std::string codeText(std::int32_t value)
{
    return std::to_string(value);
}

/// "1 Owner occupied", or the code alone where no label covers it.
std::string variableLabel(std::int32_t value, const VariableLabel* label)
{
    if (label)
        for (const CodeLabel& code : label->codes)
            if (code.low <= value && value <= code.high && !code.meaning.empty())
                return codeText(value) + ' ' + code.meaning;
    return codeText(value);
}

/// The names of the counties, districts or wards by their codes.
std::unordered_map<std::string, std::string> areaNames(const AreaTables& areas, TableArea level)
{
    std::unordered_map<std::string, std::string> names;
    const AreaTables::Level& wards = areas.level(AreaLevel::Ward);
    const AreaTables::Level& districts = areas.level(AreaLevel::District);
    const AreaTables::Level& counties = areas.level(AreaLevel::County);
    const int count = std::min(wards.count(), static_cast<int>(areas.wardCodes.size()) - 1);
    for (int w = 1; w <= count; ++w) {
        const std::string& code = areas.wardCodes[static_cast<std::size_t>(w)];
        if (level == TableArea::Ward) {
            names.try_emplace(code, wards.names[static_cast<std::size_t>(w)]);
            continue;
        }
        const int d = wards.parents[static_cast<std::size_t>(w)];
        if (d < 1 || d > districts.count() || code.size() < 4)
            continue;
        if (level == TableArea::District) {
            names.try_emplace(code.substr(0, 4), districts.names[static_cast<std::size_t>(d)]);
            continue;
        }
        const int c = districts.parents[static_cast<std::size_t>(d)];
        if (c >= 1 && c <= counties.count())
            names.try_emplace(code.substr(0, 2), counties.names[static_cast<std::size_t>(c)]);
    }
    return names;
}

} // namespace

// The categories `which` of side `side`, with their labels.
std::vector<TableCategory> TableCounter::categories(
    std::size_t side, const TableDimension& d, const std::vector<std::size_t>& which) const
{
    std::vector<TableCategory> result;
    result.reserve(which.size());
    if (!m_isArea[side]) {
        const VariableSide& v = m_variableSides[ofKind(side)];
        const VariableLabel* label = nullptr;
        if (m_sources.labels) {
            const std::vector<VariableLabel>& all
                = v.household ? m_sources.labels->household : m_sources.labels->individual;
            if (static_cast<std::size_t>(v.field) <= all.size())
                label = &all[static_cast<std::size_t>(v.field) - 1];
        }
        for (std::size_t i : which)
            result.push_back({ codeText(v.codes[i]), variableLabel(v.codes[i], label) });
        return result;
    }
    const AreaSide& a = m_areaSides[ofKind(side)];
    std::unordered_map<std::string, std::string> names;
    if (d.area == TableArea::County || d.area == TableArea::District || d.area == TableArea::Ward)
        names = areaNames(m_sources.areas, d.area);
    for (std::size_t i : which) {
        const std::string& code = a.codes[i];
        auto name = names.find(code);
        result.push_back({ code, name == names.end() || name->second.empty() ? code : code + ' ' + name->second });
    }
    return result;
}

// Lays the counts out as rows by columns, sorts the area categories and drops
// the categories that no counted case takes.
Table TableCounter::finish()
{
    Table table = emptyTable();
    table.eds = m_eds;
    table.households = m_households;
    table.persons = m_persons;

    const std::size_t sides = m_isArea.size();
    std::vector<std::vector<std::size_t>> order; // final position -> category
    for (std::size_t s = 0; s < sides; ++s) {
        std::vector<std::size_t> o(sideSize(s));
        std::iota(o.begin(), o.end(), 0);
        if (m_isArea[s]) {
            const AreaSide& a = m_areaSides[ofKind(s)];
            std::sort(o.begin(), o.end(), [&a](std::size_t x, std::size_t y) {
                return std::tie(a.order[x], a.codes[x]) < std::tie(a.order[y], a.codes[y]);
            });
        }
        order.push_back(std::move(o));
    }
    const std::size_t nRows = sideSize(0);
    const std::size_t nColumns = sides > 1 ? sideSize(1) : 1;
    const std::size_t k = variableCells();
    // The cell of category (r, c) in m_counts, as sides of each kind were combined.
    auto at = [&](std::size_t r, std::size_t c) {
        std::size_t area = 0, variable = 0;
        const std::size_t index[2] = { r, c };
        for (std::size_t s = 0; s < sides; ++s) {
            const std::size_t size = sideSize(s);
            if (m_isArea[s])
                area = area * size + index[s];
            else
                variable = variable * size + index[s];
        }
        return m_counts[area * k + variable];
    };
    std::vector<std::uint64_t> rowTotals(nRows), columnTotals(nColumns);
    for (std::size_t r = 0; r < nRows; ++r)
        for (std::size_t c = 0; c < nColumns; ++c) {
            const std::uint64_t n = at(r, c);
            rowTotals[r] += n;
            columnTotals[c] += n;
        }
    std::vector<std::size_t> rows, columns;
    for (std::size_t r : order[0])
        if (rowTotals[r] > 0)
            rows.push_back(r);
    if (sides > 1) {
        for (std::size_t c : order[1])
            if (columnTotals[c] > 0)
                columns.push_back(c);
    } else {
        columns.push_back(0);
    }
    if (rows.empty()) {
        if (m_eds == 0)
            table.emptyReason = m_source == EdSource::UserList
                ? (m_listSize == 0 ? "the ED list holds no code" : "none of the listed ED codes has a household file")
                : "no ED is chosen";
        else if (m_request.filter)
            table.emptyReason = "no case matches the selection";
        else
            table.emptyReason = m_request.unit == TableUnit::Persons ? "the chosen EDs hold no persons"
                                                                     : "the chosen EDs hold no households";
        return table;
    }
    table.rowCategories = categories(0, m_request.rows, rows);
    if (sides > 1)
        table.columnCategories = categories(1, *m_request.columns, columns);
    table.counts.reserve(rows.size() * columns.size());
    for (std::size_t r : rows)
        for (std::size_t c : columns)
            table.counts.push_back(at(r, c));
    return table;
}

Table makeTable(const TableRequest& request, const EdList& edList, const TableSources& sources, std::mt19937 random,
    const TableProgress& progress, const std::atomic<bool>* cancel, int threads)
{
    if (request.unit == TableUnit::Households)
        for (const TableDimension* d : { &request.rows, request.columns ? &*request.columns : nullptr })
            if (d && d->kind == TableDimension::Kind::PersonVariable)
                throw std::invalid_argument("a households table cannot count by a person variable");
    return TableCounter(request, sources).run(edList, random, progress, cancel, threads);
}

#include "session/RequestChoice.h"

#include "base/ListBox.h"
#include "geography/AreaDirectory.h"
#include "geography/AreaTables.h"
#include "request/AreaRecord.h"
#include "request/ReferenceDigest.h"
#include "session/ApplicationState.h"
#include "textio/Sha256.h"
#include "variables/VariableCatalogue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

[[noreturn]] void unknown(const std::string& what, const std::string& name, const std::vector<std::string>& similar)
{
    std::string message = "unknown " + what + " \"" + name + "\"";
    for (std::size_t i = 0; i < similar.size(); ++i)
        message += (i == 0 ? " (did you mean " : ", ") + ("\"" + similar[i] + "\"");
    throw RequestMismatch(message + (similar.empty() ? "" : "?)"));
}

} // namespace

std::vector<std::string> similarNames(const std::string& name, const std::vector<std::string>& known)
{
    const std::string wanted = lowered(name);
    std::vector<std::string> result;
    auto addWhere = [&](auto&& fits) {
        for (const std::string& candidate : known)
            if (result.size() < 3 && fits(lowered(candidate))
                && std::find(result.begin(), result.end(), candidate) == result.end())
                result.push_back(candidate);
    };
    addWhere([&](const std::string& c) { return c == wanted; });
    if (wanted.size() >= 3)
        addWhere([&](const std::string& c) { return c.compare(0, 3, wanted, 0, 3) == 0; });
    if (!wanted.empty())
        addWhere([&](const std::string& c) { return c.find(wanted) != std::string::npos; });
    return result;
}

void applyAreaRecord(AreaTables& areas, const AreaChoiceRecord& record)
{
    const std::array<const std::vector<std::string>*, kNumAreaLevels> lists
        = { &record.countries, &record.regions, &record.counties, &record.districts, &record.wards };
    std::array<std::vector<int>, kNumAreaLevels> chosen;
    std::optional<AreaDirectory> directory;
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const auto level = static_cast<AreaLevel>(i);
        for (const std::string& key : *lists[static_cast<std::size_t>(i)]) {
            if (!directory)
                directory.emplace(areas);
            std::vector<int> members = recordedMembers(*directory, level, key);
            if (members.empty()) {
                // Codes that look like it, then the names closest to it.
                std::vector<std::string> codes;
                for (const AreaEntry& entry : directory->members(level))
                    if (!entry.code.empty())
                        codes.push_back(entry.code);
                std::vector<std::string> similar = similarNames(key, codes);
                for (std::string& name : directory->closestNames(level, key, 3 - similar.size()))
                    similar.push_back(std::move(name));
                unknown(std::string(levelName(level)), key, similar);
            }
            chosen[static_cast<std::size_t>(i)].insert(
                chosen[static_cast<std::size_t>(i)].end(), members.begin(), members.end());
        }
    }
    for (int i = 0; i < kNumAreaLevels; ++i) {
        std::vector<std::uint8_t>& flags = areas.levels[static_cast<std::size_t>(i)].flags;
        const bool individual = !lists[static_cast<std::size_t>(i)]->empty();
        std::fill(flags.begin(), flags.end(), individual ? 0 : 1);
        flags[0] = individual ? kModeIndividual : kModeAll;
        for (int m : chosen[static_cast<std::size_t>(i)])
            flags[static_cast<std::size_t>(m)] = 1;
    }
}

namespace {

template <std::size_t N, std::size_t M>
std::vector<int> variableRows(const std::array<std::string, N>& names, const std::array<std::int16_t, M>& listMap,
    const std::vector<std::string>& wanted, const char* kind)
{
    std::vector<std::string> known;
    for (std::size_t r = 1; r < M; ++r)
        known.push_back(trimmedName(names[static_cast<std::size_t>(listMap[r])]));
    std::vector<int> rows;
    for (const std::string& name : wanted) {
        auto found = std::find(known.begin(), known.end(), name);
        if (found == known.end())
            unknown(std::string(kind) + " variable", name, similarNames(name, known));
        rows.push_back(static_cast<int>(found - known.begin()) + 1);
    }
    return rows;
}

void selectRows(ListBox& list, const std::vector<int>& rows)
{
    for (int r = 1; r < list.count(); ++r)
        list.setSelected(r, std::find(rows.begin(), rows.end(), r) != rows.end());
}

} // namespace

void selectRequestVariables(
    const VariableCatalogue& catalogue, ListBox& hhList, ListBox& indList, const RequestChoices& request)
{
    const std::vector<int> hhRows
        = variableRows(catalogue.hhVarNames, catalogue.hhListMap, request.householdVariables, "household");
    const std::vector<int> indRows
        = variableRows(catalogue.indVarNames, catalogue.indListMap, request.individualVariables, "individual");
    selectRows(hhList, hhRows);
    selectRows(indList, indRows);
}

void applyRequest(const SavedRequest& request, ApplicationState& state, ListBox& hhList, ListBox& indList)
{
    // Worked out on a copy: the tables change only once the variables have passed too.
    AreaTables wanted = state.areas;
    if (request.areas)
        applyAreaRecord(wanted, *request.areas);
    // Checks both lists before it selects a row; nothing below can fail.
    selectRequestVariables(state.variables, hhList, indList, request);
    for (std::size_t i = 0; i < wanted.levels.size(); ++i)
        state.areas.levels[i].flags = std::move(wanted.levels[i].flags);
    state.random.seed();
    state.random.discard(request.randomDraws);
    state.randomDraws = request.randomDraws;
}

std::vector<std::string> requestDifferences(const SavedRequest& request, const DataFolders& folders)
{
    std::vector<std::string> notes;
    std::error_code error;
    if (request.edList && std::filesystem::is_regular_file(request.edList->path, error)
        && sha256OfFile(request.edList->path) != request.edList->sha256)
        notes.push_back("the ED list " + request.edList->path + " differs from the one this request was run with");
    if (request.run && referenceFilesSha256(folders) != request.run->referenceSha256)
        notes.push_back("the reference files (ProgramData, SARData) differ from those this request was run with");
    return notes;
}

#include "geography/AreaDirectory.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::string_view kLevelNames[kNumAreaLevels] = { "country", "region", "county", "district", "ward" };

int index(AreaLevel level)
{
    return static_cast<int>(level);
}

/// Levenshtein distance with one row of memory; names are short.
std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t { 0 });
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1) });
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string_view levelName(AreaLevel level)
{
    return kAreaLevelNames[static_cast<std::size_t>(index(level))];
}

std::string_view levelPluralName(AreaLevel level)
{
    return kAreaPluralNames[static_cast<std::size_t>(index(level))];
}

std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

AreaDirectory::AreaDirectory(const AreaTables& t)
{
    // Counties and districts have no code file of their own: their codes are the
    // leading characters of their wards' codes.
    const auto& districtParents = t.level(AreaLevel::District).parents;
    std::vector<std::string> countyCodes(kNumCounties + 1);
    std::vector<std::string> districtCodes(kNumDistricts + 1);
    for (int d = 1; d <= kNumDistricts; ++d) {
        auto [first, last] = t.district2Ward[d];
        if (first < 1 || first > last)
            continue;
        districtCodes[d] = t.wardCodes[first].substr(0, 4);
        std::string& county = countyCodes[districtParents[d]];
        if (county.empty())
            county = t.wardCodes[first].substr(0, 2);
    }

    for (int level = 0; level < kNumAreaLevels; ++level) {
        const AreaTables::Level& members = t.levels[static_cast<std::size_t>(level)];
        auto& entries = m_levels[static_cast<std::size_t>(level)];
        auto& keys = m_keys[static_cast<std::size_t>(level)];
        for (int m = 1; m <= members.count(); ++m) {
            AreaEntry e;
            e.level = static_cast<AreaLevel>(level);
            e.member = m;
            e.name = members.names[m];
            if (e.level == AreaLevel::County)
                e.code = countyCodes[m];
            else if (e.level == AreaLevel::District)
                e.code = districtCodes[m];
            else if (e.level == AreaLevel::Ward)
                e.code = t.wardCodes[m];
            // Walk up the parent maps; the loader has checked that every link exists.
            int member = m;
            for (int up = level; up > 0; --up) {
                member = t.levels[static_cast<std::size_t>(up)].parents[member];
                e.parents[static_cast<std::size_t>(up - 1)] = member;
            }
            keys.push_back({ asciiLower(e.name), asciiLower(e.code) });
            entries.push_back(std::move(e));
        }
    }
}

const AreaEntry& AreaDirectory::entry(AreaLevel level, int member) const
{
    return m_levels[index(level)].at(static_cast<std::size_t>(member - 1));
}

std::vector<std::string> AreaDirectory::parentNames(const AreaEntry& e, AreaLevel top) const
{
    std::vector<std::string> names;
    for (int level = index(e.level) - 1; level >= index(top); --level) {
        int member = e.parents[static_cast<std::size_t>(level)];
        if (member >= 1)
            names.push_back(entry(static_cast<AreaLevel>(level), member).name);
    }
    return names;
}

namespace {

std::string joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty())
            text += ", ";
        text += part;
    }
    return text;
}

} // namespace

std::string AreaDirectory::describe(const AreaEntry& e) const
{
    std::string text = e.name;
    if (!e.code.empty())
        text += " (" + e.code + ")";
    text += " - ";
    text += levelName(e.level);
    // Two parents tell namesakes apart; the region of a ward adds nothing that its
    // county does not already say.
    AreaLevel top = static_cast<AreaLevel>(std::max(0, index(e.level) - 2));
    std::vector<std::string> parents = parentNames(e, top);
    if (!parents.empty())
        text += " in " + joined(parents);
    return text;
}

std::string AreaDirectory::toolTip(const AreaEntry& e) const
{
    std::vector<std::string> parents = parentNames(e, AreaLevel::Region);
    std::string text = e.code.empty() ? e.name : e.code;
    if (!parents.empty())
        text += " - " + joined(parents);
    return text;
}

std::vector<const AreaEntry*> AreaDirectory::findAtLevel(AreaLevel level, std::string_view text) const
{
    std::vector<const AreaEntry*> found;
    const std::string needle = asciiLower(text);
    if (needle.empty())
        return found;
    const auto& keys = m_keys[index(level)];
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key& key = keys[i];
        bool codeMatch = !key.lowerCode.empty() && key.lowerCode.starts_with(needle);
        if (codeMatch || key.lowerName.find(needle) != std::string::npos)
            found.push_back(&m_levels[index(level)][i]);
    }
    return found;
}

std::vector<const AreaEntry*> AreaDirectory::find(std::string_view text, std::size_t limit) const
{
    const std::string needle = asciiLower(text);
    std::array<std::vector<const AreaEntry*>, 3> ranked; // exact, prefix, contained
    for (int level = 0; level < kNumAreaLevels; ++level) {
        for (const AreaEntry* e : findAtLevel(static_cast<AreaLevel>(level), needle)) {
            const Key& key = m_keys[static_cast<std::size_t>(level)][static_cast<std::size_t>(e->member - 1)];
            int rank = 2;
            if (key.lowerName == needle || key.lowerCode == needle)
                rank = 0;
            else if (key.lowerName.starts_with(needle) || (!key.lowerCode.empty() && key.lowerCode.starts_with(needle)))
                rank = 1;
            ranked[static_cast<std::size_t>(rank)].push_back(e);
        }
    }
    std::vector<const AreaEntry*> found;
    for (const auto& group : ranked)
        for (const AreaEntry* e : group) {
            if (found.size() == limit)
                return found;
            found.push_back(e);
        }
    return found;
}

std::vector<std::string> AreaDirectory::closestNames(AreaLevel level, std::string_view text, std::size_t limit) const
{
    const std::string needle = asciiLower(text);
    const auto& keys = m_keys[index(level)];
    const auto& entries = m_levels[index(level)];
    std::vector<std::pair<std::size_t, std::size_t>> byDistance; // (distance, index)
    const std::size_t allowed = std::max<std::size_t>(1, needle.size() / 3);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::size_t d = editDistance(needle, keys[i].lowerName);
        if (d <= allowed)
            byDistance.emplace_back(d, i);
    }
    std::stable_sort(
        byDistance.begin(), byDistance.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<std::string> names;
    auto take = [&](const std::string& name) {
        if (names.size() < limit && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const auto& [distance, i] : byDistance)
        take(entries[i].name);
    if (!needle.empty())
        for (std::size_t i = 0; i < keys.size() && names.size() < limit; ++i)
            if (keys[i].lowerName.find(needle) != std::string::npos)
                take(entries[i].name);
    return names;
}

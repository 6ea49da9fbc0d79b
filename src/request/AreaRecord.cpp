#include "request/AreaRecord.h"

#include "geography/AreaDirectory.h"

#include <array>
#include <map>
#include <optional>

namespace {

std::array<std::vector<std::string>*, kNumAreaLevels> levelLists(AreaChoiceRecord& record)
{
    return { &record.countries, &record.regions, &record.counties, &record.districts, &record.wards };
}

} // namespace

AreaChoiceRecord recordAreaChoice(const AreaTables& areas)
{
    AreaChoiceRecord record;
    // Most extractions narrow nothing; the directory is built only when one does.
    std::optional<AreaDirectory> directory;
    const auto lists = levelLists(record);
    for (int i = 0; i < kNumAreaLevels; ++i) {
        const AreaTables::Level& level = areas.levels[static_cast<std::size_t>(i)];
        if (level.flags[0] != kModeIndividual)
            continue;
        if (!directory)
            directory.emplace(areas);
        const auto& entries = directory->members(static_cast<AreaLevel>(i));
        std::map<std::string, int> codeUses;
        for (const AreaEntry& entry : entries)
            ++codeUses[asciiLower(entry.code)];
        for (const AreaEntry& entry : entries)
            if (level.flags[static_cast<std::size_t>(entry.member)] == 1)
                lists[static_cast<std::size_t>(i)]->push_back(
                    !entry.code.empty() && codeUses[asciiLower(entry.code)] == 1 ? entry.code : entry.name);
    }
    return record;
}

std::vector<int> recordedMembers(const AreaDirectory& directory, AreaLevel level, const std::string& key)
{
    const std::string lowerKey = asciiLower(key);
    std::vector<int> byCode, byName;
    for (const AreaEntry& entry : directory.members(level)) {
        if (!entry.code.empty() && asciiLower(entry.code) == lowerKey)
            byCode.push_back(entry.member);
        if (entry.name == key)
            byName.push_back(entry.member);
    }
    return byCode.empty() ? byName : byCode;
}

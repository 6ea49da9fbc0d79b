#include "cli/AreaChoice.h"

#include "cli/CommandLine.h"

#include <algorithm>

namespace {

const char* const kLevelNames[] = { "country", "region", "county", "district", "ward" };

bool allDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int resolveMember(const AreaTables& areas, const AreaTables::Level& level, AreaLevel which, const std::string& member)
{
    const std::string levelName = kLevelNames[static_cast<int>(which)];
    if (allDigits(member)) {
        long number = member.size() > 6 ? -1 : std::stol(member);
        if (number < 1 || number > level.count())
            throw UsageError(
                "no " + levelName + " number " + member + " (expected 1.." + std::to_string(level.count()) + ")");
        return static_cast<int>(number);
    }
    if (which == AreaLevel::Ward) {
        for (int w = 1; w <= kNumWards; ++w)
            if (areas.wardCodes[static_cast<std::size_t>(w)] == member)
                return w;
    }
    std::vector<int> matches;
    for (int m = 1; m <= level.count(); ++m)
        if (level.names[static_cast<std::size_t>(m)] == member)
            matches.push_back(m);
    if (matches.empty())
        throw UsageError("no " + levelName + " named \"" + member + "\"");
    if (matches.size() > 1) {
        std::string candidates;
        for (int m : matches) {
            candidates += (candidates.empty() ? "" : ", ") + std::to_string(m);
            if (which == AreaLevel::Ward)
                candidates += " (" + areas.wardCodes[static_cast<std::size_t>(m)] + ")";
        }
        throw UsageError(
            "the " + levelName + " name \"" + member + "\" is not unique; give one of the numbers " + candidates);
    }
    return matches.front();
}

} // namespace

void applyAreaChoice(AreaTables& areas, AreaLevel which, const std::vector<std::string>& members)
{
    AreaTables::Level& level = areas.level(which);
    std::vector<int> chosen;
    for (const std::string& member : members)
        chosen.push_back(resolveMember(areas, level, which, member));
    std::vector<std::uint8_t>& flags = level.flags;
    std::fill(flags.begin(), flags.end(), 0);
    flags[0] = kModeIndividual;
    for (int m : chosen)
        flags[static_cast<std::size_t>(m)] = 1;
}

#include "cli/AreaChoice.h"

#include "base/AreaLevel.h"
#include "cli/CommandLine.h"
#include "geography/AreaDirectory.h"

#include <algorithm>

namespace {

bool allDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int resolveMember(const AreaTables& areas, const AreaTables::Level& level, AreaLevel which, const std::string& member)
{
    const std::string levelName = kAreaLevelNames[static_cast<int>(which)];
    if (allDigits(member)) {
        long number = member.size() > 6 ? -1 : std::stol(member);
        if (number < 1 || number > level.count())
            throw UsageError(
                "no " + levelName + " number " + member + " (expected 1.." + std::to_string(level.count()) + ")");
        return static_cast<int>(number);
    }
    const std::string wanted = asciiLower(member);
    if (which == AreaLevel::Ward) {
        for (int w = 1; w <= kNumWards; ++w)
            if (asciiLower(areas.wardCodes[static_cast<std::size_t>(w)]) == wanted)
                return w;
    }
    std::vector<int> matches;
    for (int m = 1; m <= level.count(); ++m)
        if (asciiLower(level.names[static_cast<std::size_t>(m)]) == wanted)
            matches.push_back(m);
    if (matches.empty()) {
        std::string message = "no " + levelName + " named \"" + member + "\"";
        std::vector<std::string> close = AreaDirectory(areas).closestNames(which, member, 5);
        for (std::size_t i = 0; i < close.size(); ++i)
            message += (i == 0 ? "; did you mean: " : ", ") + close[i];
        throw UsageError(message + (close.empty() ? "" : "?"));
    }
    if (matches.size() > 1) {
        AreaDirectory directory(areas);
        std::string message
            = "the " + levelName + " name \"" + member + "\" is not unique; give the number or the code of one of:";
        for (int m : matches) {
            const AreaEntry& entry = directory.entry(which, m);
            message += "\n  " + std::to_string(m) + (entry.code.empty() ? "" : " " + entry.code) + " " + entry.name;
            std::vector<std::string> parents = directory.parentNames(entry, AreaLevel::County);
            for (std::size_t i = 0; i < parents.size(); ++i)
                message += (i == 0 ? " - " : ", ") + parents[i];
        }
        throw UsageError(message);
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

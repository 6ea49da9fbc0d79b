#pragma once

#include "geography/AreaTables.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// One member of one level, with what a person needs to tell it from its namesakes.
struct AreaEntry {
    AreaLevel level = AreaLevel::Country;
    int member = 0;
    std::string name;
    /// The census code: two digits for a county, four characters for a district,
    /// six for a ward; empty for countries and regions, which have none.
    std::string code;
    /// Member numbers of the entry's ancestors by level; 0 above the entry's level
    /// (and for a county whose region is unknown).
    std::array<int, kNumAreaLevels> parents {};
};

/// Every country, region, county, district and ward by name and code, built once from
/// the loaded tables, for the find box, tool tips, suggestions and area listings.
class AreaDirectory {
public:
    /// Reads names, codes and parent maps of `tables`; keeps no reference to them.
    explicit AreaDirectory(const AreaTables& tables);

    const AreaEntry& entry(AreaLevel level, int member) const;
    /// Members 1..N of a level, in member order.
    const std::vector<AreaEntry>& members(AreaLevel level) const { return m_levels[static_cast<int>(level)]; }

    /// The member's name (or code) with its level and parents, for a suggestion list:
    /// "Millbury South (04BYFA) - ward in Stanton, Merseyside".
    std::string describe(const AreaEntry& entry) const;
    /// "04BYFA - Stanton, Merseyside, North West": the code and every parent up to
    /// the region, for a list row's tool tip.
    std::string toolTip(const AreaEntry& entry) const;
    /// The names of the entry's ancestors, nearest first, down to `top` inclusive.
    std::vector<std::string> parentNames(const AreaEntry& entry, AreaLevel top = AreaLevel::Country) const;

    /// Areas of every level whose name contains `text` or whose code starts with it,
    /// case-insensitively: exact matches first, then prefixes, then the rest, each
    /// group top level first and in member order. At most `limit` entries.
    std::vector<const AreaEntry*> find(std::string_view text, std::size_t limit = 50) const;
    /// `find` restricted to one level, without a limit.
    std::vector<const AreaEntry*> findAtLevel(AreaLevel level, std::string_view text) const;

    /// Names at `level` close to a name that matched nothing: by edit distance (at
    /// most a third of the name's length), then those containing it; at most `limit`,
    /// each name once.
    std::vector<std::string> closestNames(AreaLevel level, std::string_view text, std::size_t limit = 5) const;

private:
    struct Key {
        std::string lowerName;
        std::string lowerCode;
    };

    std::array<std::vector<AreaEntry>, kNumAreaLevels> m_levels;
    std::array<std::vector<Key>, kNumAreaLevels> m_keys;
};

/// The singular and plural names of a level: "ward", "wards".
std::string_view levelName(AreaLevel level);
std::string_view levelPluralName(AreaLevel level);

/// Lower-case ASCII letters; other bytes unchanged, so UTF-8 names compare safely.
std::string asciiLower(std::string_view text);

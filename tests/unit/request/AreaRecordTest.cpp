// The area choice of a saved request: written by code where a code names one member,
// read back by code or, from older files, by name.

#include "request/AreaRecord.h"

#include "session/RequestChoice.h"

#include "FixtureData.h"

#include <gtest/gtest.h>

namespace {

using Chosen = std::vector<std::pair<AreaLevel, int>>;

/// `chosen` members in individual choice, every other level on "All".
void choose(AreaTables& areas, const Chosen& chosen)
{
    for (AreaTables::Level& level : areas.levels) {
        std::fill(level.flags.begin(), level.flags.end(), 1);
        level.flags[0] = kModeAll;
    }
    for (auto [which, member] : chosen) {
        std::vector<std::uint8_t>& flags = areas.level(which).flags;
        if (flags[0] != kModeIndividual)
            std::fill(flags.begin(), flags.end(), 0);
        flags[0] = kModeIndividual;
        flags[static_cast<std::size_t>(member)] = 1;
    }
}

std::vector<std::vector<std::uint8_t>> flagsOf(const AreaTables& areas)
{
    std::vector<std::vector<std::uint8_t>> flags;
    for (const AreaTables::Level& level : areas.levels)
        flags.push_back(level.flags);
    return flags;
}

} // namespace

TEST(AreaRecord, CodesWhereTheyNameOneMemberTheChoiceComesBackExactlyUnknownsAreNamed)
{
    AreaTables areas = FixtureData::areaTables();
    // In the fixture only county 1 has a code of its own, 08; county c shares its
    // code with county c + 17 (18, 35 and 52 share 01).
    struct Row {
        const char* name;
        Chosen chosen;
        AreaChoiceRecord record;
        bool written = true; ///< false: only read, as written by hand
    };
    const Row rows[] = {
        { "county", { { AreaLevel::County, 1 }, { AreaLevel::County, 2 } }, { {}, {}, { "08", "County 2" }, {}, {} } },
        { "shared county code", { { AreaLevel::County, 18 } }, { {}, {}, { "County 18" }, {}, {} } },
        { "district and ward", { { AreaLevel::District, 1 }, { AreaLevel::Ward, 7 }, { AreaLevel::Ward, 8 } },
            { {}, {}, {}, { "08BY" }, { FixtureData::wardCode(7), FixtureData::wardCode(8) } } },
        { "no codes above counties", { { AreaLevel::Country, 2 }, { AreaLevel::Region, 1 } },
            { { "Scotland" }, { areas.level(AreaLevel::Region).names[1] }, {}, {}, {} } },
        { "codes in any case", { { AreaLevel::District, 1 } }, { {}, {}, {}, { "08by" }, {} }, false },
        { "a shared code chooses each member that has it",
            { { AreaLevel::County, 18 }, { AreaLevel::County, 35 }, { AreaLevel::County, 52 } },
            { {}, {}, { "01" }, {}, {} }, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        choose(areas, row.chosen);
        const auto expected = flagsOf(areas);
        if (row.written) {
            EXPECT_EQ(recordAreaChoice(areas), row.record);
        }
        choose(areas, {});
        applyAreaRecord(areas, row.record);
        EXPECT_EQ(flagsOf(areas), expected);
    }

    // An unknown member is named with the closest codes or names, and changes nothing.
    const std::pair<AreaChoiceRecord, const char*> unknown[] = {
        { { {}, {}, {}, { "District 1", "Distrct 2" }, {} },
            "unknown district \"Distrct 2\" (did you mean \"District 2\"" },
        { { {}, {}, {}, {}, { "08BYFZ" } }, "unknown ward \"08BYFZ\" (did you mean \"08BYFA\"" },
    };
    for (const auto& [record, message] : unknown) {
        choose(areas, { { AreaLevel::County, 18 } });
        const auto before = flagsOf(areas);
        try {
            applyAreaRecord(areas, record);
            ADD_FAILURE() << "an unknown member was taken: " << message;
        } catch (const RequestMismatch& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
        EXPECT_EQ(flagsOf(areas), before) << "nothing changes when a member is unknown";
    }
}

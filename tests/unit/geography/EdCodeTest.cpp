#include "geography/EdCode.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(EdCode, GoodAndBadCodesTheirCountyAndHouseholdFile)
{
    struct Row {
        std::string code;
        int county; // -1: no census county
        std::optional<std::string> path; // under "/d/Zen91Data/"
    };
    const Row rows[] = {
        { "08BYFA01", 8, "/d/Zen91Data/BY/08BYFA01.res" }, { "NIAACC01A", 0, "/d/Zen91Data/AA/NIAACC01A.res" },
        { "08by", 8, "/d/Zen91Data/by/08by.res" }, // short, but names a folder: looked for
        { "BYFA01", -1, "/d/Zen91Data/FA/BYFA01.res" }, { "08B", 8, std::nullopt }, // too short for a district folder
        { "", -1, std::nullopt }, { "08BY FA01", 8, std::nullopt }, // anything but letters and digits
        { "08BY/../BY/08BYFA01", 8, std::nullopt }, { std::string("08BY\0FA01", 9), 8, std::nullopt },
        { "08BY\xc3\x89"
          "A01",
            8, std::nullopt }, // a non-ASCII letter
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(censusCountyNumber(r.code), r.county);
        EXPECT_EQ(isSafeEdCode(r.code), r.path.has_value() || r.code.size() < 4);
        EXPECT_EQ(householdFilePath("/d/Zen91Data/", r.code), r.path);
    }
}

// How zendra91-extract's options are read: both value forms, repeats, lists.

#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Spatial = std::array<bool, kNumSpatialCodes>;

} // namespace

TEST(CommandLine, ReadsEachOptionIntoItsOwnSetting)
{
    CommandLine given
        = CommandLine::parse({ "--data=d", "--districts", "1,District 2", "--hh-vars", "none", "--ind-vars=Age,Sex",
            "--spatial", "county,ed", "--combined", "--output", "o", "--root=r", "--dry-run", "--quiet" });
    EXPECT_EQ(given.dataFolder, "d");
    EXPECT_EQ(given.areaLevel, AreaLevel::District);
    EXPECT_EQ(given.areaMembers, (std::vector<std::string> { "1", "District 2" }));
    EXPECT_EQ(given.hhVars, std::vector<std::string> {});
    EXPECT_EQ(given.indVars, (std::vector<std::string> { "Age", "Sex" }));
    EXPECT_EQ(given.spatial, (Spatial { false, false, true, false, false, true }));
    EXPECT_TRUE(given.combined && given.dryRun && given.quiet);
    EXPECT_EQ(given.outputFolder, "o");
    EXPECT_EQ(given.rootFileName, "r");
    EXPECT_EQ(CommandLine::parse({}).spatial, (Spatial { false, false, false, false, false, true })) << "ed by default";
}

TEST(CommandLine, LaterValueWinsAndListItemsAreTrimmed)
{
    CommandLine line = CommandLine::parse({ "--data", "a", "--data", "b", "--spatial", "ward", "--spatial", "none",
        "--wards", "08BYFA,, \"Ward, with comma\" " });
    EXPECT_EQ(line.dataFolder, "b");
    EXPECT_EQ(line.spatial, Spatial {});
    // Blanks and empty items go; a quoted item keeps its comma.
    EXPECT_EQ(line.areaMembers, (std::vector<std::string> { "08BYFA", "Ward, with comma" }));
    EXPECT_EQ(CommandLine::parse({ "--ed-list", "l.txt" }).edListFile, "l.txt");
}

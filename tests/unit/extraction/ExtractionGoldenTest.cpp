// Whole extractions on the fixture data, compared byte for byte with golden files;
// the extract tool's tests compare the default separate files and the user list's.

#include "ExtractSession.h"

#include "extraction/ExtractionDriver.h"

#include <gtest/gtest.h>

TEST(ExtractionGolden, CombinedWithEverySpatialCodeAndLetteredParts)
{
    ExtractSession s;
    s.chooseWards({ FixtureData::kWardNiParts, FixtureData::kWard3Eds });
    s.choices.separateFiles = false;
    s.settings.separateFiles = false;
    s.choices.spatialCodes.fill(true);
    s.hhList.selectOnly({ "HNUM", "Cars" });
    s.indList.selectOnly({ "HNUM", "PNUM", "Age" });
    // The bare NI EDs are read, not written, but count as progress all the same.
    std::pair<std::uint64_t, std::uint64_t> last;
    ExtractCommand command = s.command();
    command.setProgress([&](std::uint64_t done, std::uint64_t total) { last = { done, total }; });
    ExtractOutcome outcome = command.run(s.chosen(), s.options);
    ASSERT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    expectGolden("combined_hhind.txt", s.output("Zen91_hhind.txt"));
    EXPECT_EQ(last, std::make_pair(std::uint64_t { 9 }, std::uint64_t { 9 }));
}

TEST(ExtractionGolden, WardAboveThirtyEdsAndSevenPartsDrawFromTheGenerator)
{
    ExtractSession s;
    s.chooseWards({ FixtureData::kWard35Eds, FixtureData::kWard7Parts });
    s.choices.spatialCodes = { false, true, false, false, true, true };
    s.hhList.selectOnly({ "HNUM" });
    s.indList.selectOnly({});
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    expectGolden("draws_hh.txt", s.output("Zen91_hh.txt"));

    // EDs 31..35 take one draw each, parts F and G one each: seven in all.
    std::mt19937 expected;
    expected.discard(7);
    EXPECT_TRUE(s.state->random == expected);
}

TEST(ExtractionGolden, NonIdentityListMapStillWritesColumnsByVariableNumber)
{
    ExtractSession s(true);
    s.chooseWards({ FixtureData::kWard3Eds });
    s.choices.spatialCodes = { true, false, true, true, false, false };
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;
    expectGolden("reversed_hh.txt", s.output("Zen91_hh.txt"));
    expectGolden("reversed_ind.txt", s.output("Zen91_ind.txt"));
}

TEST(ExtractionGolden, UserListEndsWithTheRejectedCodesMessageAndDrawsNothing)
{
    ExtractSession s;
    writeGoldenUserList(s, "EDlist.txt");
    s.useEdList(s.settings.edListFile);
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(outcome.status, ExtractStatus::DoneWithRejectedCodes) << outcome.error;
    EXPECT_EQ(outcome.completionMessage().id, MessageId::M8);
    EXPECT_TRUE(s.state->random == std::mt19937()) << "a user list draws nothing";
}

TEST(ExtractionGolden, SampleSubstitutionDrawsTheEdNumberBeforeTheLetter)
{
    // ED 31 of a ward with six lettered parts: its part F is the only entry that
    // needs both an ED number and a letter drawn.
    ExtractSession s;
    s.areas.eds2Ward[FixtureData::kWard35Eds] = { 31, 6, 9000, 4000 };
    s.chooseWards({ FixtureData::kWard35Eds });
    s.choices.spatialCodes = { false, false, false, false, false, true };
    s.hhList.selectOnly({ "HNUM" });
    s.indList.selectOnly({});
    ExtractOutcome outcome = s.extract();
    ASSERT_EQ(outcome.status, ExtractStatus::Done) << outcome.error;

    // Before it: part F of EDs 1..30 (a letter each), parts 0..E of ED 31 (a number each).
    std::mt19937 expected;
    expected.discard(30 + 6);
    const int number = static_cast<int>(30 * drawUniform(expected)) + 1;
    const int letter = static_cast<int>(6 * drawUniform(expected));
    // Sample file nn<letter> holds the households nn and 100 + letter.
    const std::string output = s.output("Zen91_hh.txt");
    const std::string tail
        = "08BYFB31F," + std::to_string(number) + ",\r\n08BYFB31F," + std::to_string(100 + letter) + ",\r\n";
    ASSERT_GE(output.size(), tail.size());
    EXPECT_EQ(output.substr(output.size() - tail.size()), tail);
    EXPECT_TRUE(s.state->random == expected);
}

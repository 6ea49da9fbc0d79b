// Selected extracts against the unselected extract filtered here, from the fixture's
// own formulas for the SAR values, independently of the program's selection code.

#include "ExtractSession.h"
#include "ToolRun.h"
#include "variables/VariableCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

namespace {

// The fixture's SAR records (FixtureData.h): household h has three persons up to
// 514, two after; its field j is 10 * j + h % 10; person p's field j is (p + j) % 10,
// person 1's field 3 is -5.
int firstPerson(int h) { return h <= 515 ? 3 * (h - 1) + 1 : 3 * 514 + 2 * (h - 515) + 1; }
int lastPerson(int h) { return firstPerson(h + 1) - 1; }
int householdValue(int h, int field) { return field == 1 ? h : 10 * field + h % 10; }
int personValue(int p, int field) { return field == 2 ? p : (p == 1 && field == 3) ? -5 : (p + field) % 10; }

struct Condition {
    bool household;
    int field;
    std::vector<std::pair<int, int>> ranges;
    bool holds(int value) const
    {
        return std::any_of(ranges.begin(), ranges.end(), [value](auto r) { return r.first <= value && value <= r.second; });
    }
};

struct Selection {
    std::vector<Condition> conditions;
    bool whole = false;

    bool personMeets(int p) const
    {
        for (const Condition& c : conditions)
            if (!c.household && !c.holds(personValue(p, c.field)))
                return false;
        return true;
    }
    bool householdChosen(int h) const
    {
        bool personConditions = false;
        for (const Condition& c : conditions) {
            if (c.household && !c.holds(householdValue(h, c.field)))
                return false;
            personConditions = personConditions || !c.household;
        }
        if (!personConditions)
            return true;
        for (int p = firstPerson(h); p <= lastPerson(h); ++p)
            if (personMeets(p))
                return true;
        return false;
    }
    bool personChosen(int h, int p) const { return householdChosen(h) && (whole || personMeets(p)); }
};

/// The lines of `text` (CR LF each) kept by `keep(fields)`, the header always.
std::string filtered(const std::string& text, const std::function<bool(const std::vector<std::string>&)>& keep)
{
    std::string result;
    std::size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start) + 2;
        const std::string line = text.substr(start, end - start);
        if (header || keep(csvFields(line.substr(0, line.size() - 2))))
            result += line;
        header = false;
        start = end;
    }
    return result;
}

std::size_t column(const std::string& text, const std::string& name)
{
    const std::vector<std::string> header = csvFields(text.substr(0, text.find("\r\n")));
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
}

std::string name(bool household, int field)
{
    static const VariableCatalogue catalogue = builtInVariableCatalogue();
    return trimmedName(household ? catalogue.hhVarNames[field] : catalogue.indVarNames[field]);
}

/// A random condition on a household field 2..13 or a person field 3..33.
Condition randomCondition(std::mt19937& random, bool household)
{
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Condition c { household, household ? pick(2, 13) : pick(3, 33), {} };
    const int base = household ? 10 * c.field : 0;
    for (int n = pick(1, 3); n > 0; --n) {
        const int low = base + pick(0, 9);
        c.ranges.emplace_back(low, pick(0, 1) ? low : std::min(base + 9, low + pick(0, 4)));
    }
    if (!household && c.field == 3 && pick(0, 3) == 0)
        c.ranges.emplace_back(-5, -5);
    return c;
}

std::string argument(const Condition& c, bool upper)
{
    std::string text = name(c.household, c.field);
    if (upper)
        std::transform(text.begin(), text.end(), text.begin(), ::toupper);
    text += "=";
    for (std::size_t i = 0; i < c.ranges.size(); ++i)
        text += (i ? "," : "") + std::to_string(c.ranges[i].first)
            + (c.ranges[i].second != c.ranges[i].first ? "-" + std::to_string(c.ranges[i].second) : "");
    return text;
}

} // namespace

TEST(CaseSelectionRun, RandomSelectedExtractsEqualTheUnselectedOnesFiltered)
{
    ExtractSession s;
    s.dir.write("list.txt", "04BYFA03\r\n04BYFA07B\r\n04BYFA03\r\n04BYFA30E\r\n04BYFA11\r\n");
    const std::vector<std::vector<std::string>> areas { { "--wards", "08BYFC" }, { "--wards", "04BYFA" },
        { "--wards", "08BYFA,08BYFB,NIAACC,12CDEF" }, { "--counties", "8" }, { "--ed-list", "list.txt" } };
    std::uint64_t selectedLines = 0, allLines = 0;
    for (unsigned seed = 1; seed <= 50; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        Selection selection;
        for (int n = pick(0, 2); n > 0; --n)
            selection.conditions.push_back(randomCondition(random, true));
        for (int n = pick(selection.conditions.empty() ? 1 : 0, 2); n > 0; --n)
            selection.conditions.push_back(randomCondition(random, false));
        // One condition per variable.
        std::map<std::pair<bool, int>, Condition> unique;
        for (const Condition& c : selection.conditions)
            unique.emplace(std::pair { c.household, c.field }, c);
        selection.conditions.clear();
        for (auto& [key, c] : unique)
            selection.conditions.push_back(c);
        selection.whole = pick(0, 1);
        const bool combined = pick(0, 2) == 0;

        std::vector<std::string> common = areas[static_cast<std::size_t>(pick(0, 4))];
        std::string hhVars = "HNUM", indVars = "HNUM,PNUM";
        for (int k = 2; k <= 13; ++k)
            if (pick(0, 3) == 0)
                hhVars += "," + name(true, k);
        for (int k = 3; k <= 33; ++k)
            if (pick(0, 5) == 0)
                indVars += "," + name(false, k);
        const char* spatial[] = { "ed", "country,region,ed", "county,district,ward", "none" };
        common.insert(common.end(),
            { "--hh-vars", hhVars, "--ind-vars", indVars, "--spatial", spatial[pick(0, 3)], "--quiet" });
        if (combined)
            common.push_back("--combined");
        const std::string tag = std::to_string(seed);
        std::vector<std::string> all = common, chosen = common;
        all.insert(all.end(), { "--output", "all" + tag });
        chosen.insert(chosen.end(), { "--output", "sel" + tag });
        for (const Condition& c : selection.conditions)
            chosen.insert(chosen.end(), { "--select", argument(c, pick(0, 1)) });
        if (selection.whole)
            chosen.push_back("--whole-households");

        const ToolRun allRun = runTool(s.dir, all);
        const ToolRun chosenRun = runTool(s.dir, chosen);
        ASSERT_EQ(chosenRun.status, allRun.status) << chosenRun.err;
        SCOPED_TRACE("seed " + tag + ": " + chosenRun.err);
        for (const char* file : combined ? std::vector<const char*> { "_hhind" } : std::vector { "_hh", "_ind" }) {
            const std::string unselected = readFile(s.dir.file("all" + tag + "/Zen91" + file + ".txt"));
            const std::string selected = readFile(s.dir.file("sel" + tag + "/Zen91" + file + ".txt"));
            const std::size_t hnum = column(unselected, "HNUM");
            const std::size_t pnum = column(unselected, "PNUM");
            const std::string expected = filtered(unselected, [&](const std::vector<std::string>& f) {
                const int h = std::stoi(f.at(hnum));
                return std::string(file) == "_hh" ? selection.householdChosen(h)
                                                  : selection.personChosen(h, std::stoi(f.at(pnum)));
            });
            EXPECT_TRUE(selected == expected) << file;
            selectedLines += static_cast<std::uint64_t>(std::count(selected.begin(), selected.end(), '\n'));
            allLines += static_cast<std::uint64_t>(std::count(unselected.begin(), unselected.end(), '\n'));
        }
    }
    // The selections must neither take everything nor nothing, or the test proves little.
    EXPECT_GT(selectedLines, allLines / 50);
    EXPECT_LT(selectedLines, allLines / 2);
}

TEST(CaseSelectionRun, TheCodebookTablesAndDryRunsFollowTheSelection)
{
    ExtractSession s;
    const std::vector<std::string> base { "--wards", "08BYFC", "--hh-vars", "HNUM,Tenure", "--ind-vars",
        "HNUM,PNUM,Age,Sex", "--quiet", "--select", "age=3-5,8", "--select", "Tenure=120-124" };
    auto with = [&base](std::initializer_list<std::string> more) {
        std::vector<std::string> arguments = base;
        arguments.insert(arguments.end(), more);
        return arguments;
    };
    ASSERT_EQ(runTool(s.dir, with({ "--output", "csv" })).status, 0);
    const std::string persons = readFile(s.dir.file("csv/Zen91_ind.txt"));
    const auto lines = std::count(persons.begin(), persons.end(), '\n') - 1;
    ASSERT_GT(lines, 20);
    EXPECT_NE(readFile(s.dir.file("csv/Zen91_codebook.csv")).find("Persons: Age 3-5, 8; households: Tenure 120-124"),
        std::string::npos);

    // A table with the selection tallies the selected extract; a dry run counts it.
    std::map<std::string, int> tally;
    const std::size_t sex = column(persons, "Sex");
    filtered(persons, [&](const std::vector<std::string>& f) { return ++tally[f.at(sex)], true; });
    std::string table = "rows,rows_label,count\n";
    for (auto [code, count] : tally)
        if (code != "Sex")
            table += code + "," + code + "," + std::to_string(count) + "\n";
    EXPECT_EQ(runTool(s.dir, with({ "--table", "sex" })).out, table);
    const ToolRun dry = runTool(s.dir, with({ "--dry-run" }));
    EXPECT_NE(dry.out.find("persons: " + std::to_string(lines) + "\n"), std::string::npos) << dry.out;
    const std::string households = readFile(s.dir.file("csv/Zen91_hh.txt"));
    EXPECT_NE(dry.out.find("households: " + std::to_string(std::count(households.begin(), households.end(), '\n') - 1)),
        std::string::npos)
        << dry.out;
}

TEST(CaseSelectionRun, ASelectionThatNothingMeetsWritesTheHeaderLinesAndSaysSo)
{
    ExtractSession s;
    const ToolRun none = runTool(s.dir, { "--wards", "08BYFA", "--output", "none", "--quiet", "--select", "Age=-5",
                                            "--select", "Tenure=122", "--hh-vars", "HNUM", "--ind-vars", "PNUM" });
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.err.find("No case matched the selection"), std::string::npos) << none.err;
    EXPECT_EQ(readFile(s.dir.file("none/Zen91_hh.txt")), "ED,HNUM,\r\n");
    EXPECT_EQ(readFile(s.dir.file("none/Zen91_ind.txt")), "ED,PNUM,\r\n");
}

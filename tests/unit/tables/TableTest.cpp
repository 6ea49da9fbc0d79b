// Tables as zendra91-extract prints them, checked against an independent tally of
// the file that the same request extracts, and the engine's promise to leave the
// process's generator alone.

#include "ExtractSession.h"
#include "ToolRun.h"

#include "demodata/SarCodebook.h"
#include "extraction/EdList.h"
#include "extraction/SarTables.h"
#include "geography/FinalWardSelection.h"
#include "tables/TableDimensions.h"
#include "tables/TableEngine.h"
#include "variables/VariableLabels.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

namespace {

std::vector<std::vector<std::string>> csvLines(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(csvFields(line));
    return lines;
}

using Cells = std::map<std::pair<std::string, std::string>, std::uint64_t>;

/// The cells of the command's output, by row and column code.
Cells tableCells(const std::string& out, bool twoWay)
{
    Cells cells;
    const auto lines = csvLines(out);
    for (std::size_t i = 1; i < lines.size(); ++i)
        cells[{ lines[i][0], twoWay ? lines[i][2] : "" }] += std::stoull(lines[i].back());
    return cells;
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

/// A tally of an extracted file by the columns named `rows` and `columns` (any case);
/// `columns` empty for one way.
Cells tallyFile(const std::string& text, const std::string& rows, const std::string& columns)
{
    const auto lines = csvLines(text);
    auto position = [&](const std::string& name) {
        for (std::size_t i = 0; i < lines.at(0).size(); ++i)
            if (lower(lines[0][i]) == lower(name))
                return i;
        ADD_FAILURE() << "no column " << name;
        return std::size_t { 0 };
    };
    const std::size_t r = position(rows);
    const std::size_t c = columns.empty() ? 0 : position(columns);
    Cells cells;
    for (std::size_t i = 1; i < lines.size(); ++i)
        ++cells[{ lines[i][r], columns.empty() ? "" : lines[i][c] }];
    return cells;
}

/// Cells that differ, a zero cell matching an absent one.
int differingCells(const Cells& a, const Cells& b)
{
    Cells all = a;
    all.insert(b.begin(), b.end());
    int differing = 0;
    for (const auto& [key, unused] : all) {
        auto x = a.find(key), y = b.find(key);
        if ((x == a.end() ? 0 : x->second) != (y == b.end() ? 0 : y->second))
            ++differing;
    }
    return differing;
}

/// The codebook's frequencies of `file`, by column name: value -> count.
std::map<std::string, std::map<std::string, std::uint64_t>> codebookFrequencies(
    const std::string& codebook, const std::string& file)
{
    std::map<std::string, std::map<std::string, std::uint64_t>> result;
    for (const auto& line : csvLines(codebook)) {
        if (line[0] != file || line.back().empty())
            continue;
        std::istringstream pairs(line.back());
        for (std::string pair; std::getline(pairs, pair, ';');) {
            const std::size_t eq = pair.find('=');
            result[line[2]][pair.substr(pair.find_first_not_of(' '), eq - pair.find_first_not_of(' '))]
                = std::stoull(pair.substr(eq + 1));
        }
    }
    return result;
}

const char* const kPersonVariables[] = { "Age", "Sex", "EthGroup", "PNUM", "MStatus" };
const char* const kHouseholdVariables[] = { "Tenure", "Cars", "Bath", "RoomsNum" };
const char* const kAreas[] = { "country", "region", "county", "district", "ward", "ed" };

/// A seeded random request: its area or ED-list options, unit and sides.
struct RandomTable {
    std::vector<std::string> choice;
    bool households = false;
    std::vector<std::string> sides;
};

RandomTable randomTable(std::mt19937& random, const ExtractSession& s, int seed)
{
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    RandomTable t;
    t.households = pick(3) == 0;
    switch (pick(8)) {
    case 0:
        t.choice = { "--countries", std::to_string(1 + pick(4)) };
        break;
    case 1:
        t.choice = { "--regions", std::to_string(1 + pick(13)) };
        break;
    case 2:
        t.choice = { "--counties", std::to_string(1 + pick(68)) + "," + std::to_string(1 + pick(68)) };
        break;
    case 3: // districts past 480 have no wards: an empty table
        t.choice = { "--districts", std::to_string(1 + pick(485)) };
        break;
    case 4: // the special wards: draws, lettered parts, Northern Ireland
    case 5:
        t.choice = { "--wards",
            std::to_string(1 + pick(6)) + "," + std::to_string(1 + pick(6)) + "," + std::to_string(7 + pick(11000)) };
        break;
    default: {
        // Sample ward codes, parts, repeats, lower case and codes without a file.
        std::string list;
        for (int i = 0, n = 1 + pick(12); i < n; ++i) {
            const int ed = 1 + pick(32);
            std::string code = "04byfa" + std::string(ed < 10 ? "0" : "") + std::to_string(ed);
            if (pick(3) == 0)
                code += static_cast<char>('a' + pick(6));
            list += code + (pick(2) ? "\r\n" : ",");
        }
        const std::string name = "list" + std::to_string(seed) + ".txt";
        s.dir.write(name, list);
        t.choice = { "--ed-list", name };
    }
    }
    auto side = [&]() -> std::string {
        const int kind = pick(t.households ? 2 : 3);
        if (kind == 0)
            return kAreas[pick(6)];
        if (kind == 1)
            return kHouseholdVariables[pick(4)];
        return kPersonVariables[pick(5)];
    };
    t.sides.push_back(side());
    if (pick(3) != 0) {
        t.sides.push_back(side());
        if (lower(t.sides[1]) == lower(t.sides[0]))
            t.sides.pop_back();
    }
    return t;
}

/// The table of the session's chosen areas, counted by the engine in this process.
Table tableOf(ExtractSession& s, TableUnit unit, const char* rows, const char* columns = nullptr,
    const CaseFilter* filter = nullptr)
{
    finalWardSelection(s.areas);
    const SarTables sar = loadSarTables(s.state->folders);
    TableRequest request;
    request.unit = unit;
    request.rows = *findTableDimension(rows, unit, s.state->variables);
    if (columns)
        request.columns = *findTableDimension(columns, unit, s.state->variables);
    request.filter = filter;
    return makeTable(
        request, EdList::fromAreaSelection(s.areas), { s.areas, sar, s.state->folders, nullptr }, s.state->random);
}

} // namespace

TEST(Tables, EqualATallyOfTheExtractedFileAndTheCodebookCountsItsCodes)
{
    ExtractSession s;
    s.dir.write("SARGlossary/VariableLabels.csv", "");
    writeVariableLabels(s.dir.file("SARGlossary/VariableLabels.csv"), demoVariableLabels());
    int codedColumnsChecked = 0;
    int nonEmptyTables = 0;
    int refused = 0;
    for (int seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(static_cast<unsigned>(seed));
        const RandomTable t = randomTable(random, s, seed);
        // Names are taken in any case.
        std::string sides = (seed % 2 ? lower(t.sides[0]) : t.sides[0]) + (t.sides.size() > 1 ? "," + t.sides[1] : "");
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + t.choice[0] + " " + t.choice[1] + " --table " + sides
            + (t.households ? " --count households" : ""));

        std::vector<std::string> table = t.choice;
        table.insert(table.end(), { "--table", sides, "--count", t.households ? "households" : "persons" });
        const ToolRun counted = runTool(s.dir, table);
        ASSERT_EQ(counted.status, kExitDone) << counted.err;
        if (counted.err.find("cells, more than") != std::string::npos) {
            ++refused; // PNUM by ED of a country: millions of cells
            continue;
        }

        // The extraction that the table stands for: the sides' variables and spatial codes.
        std::string personVars, householdVars, spatial = "ed";
        auto add = [](std::string& list, const std::string& name) { list += (list.empty() ? "" : ",") + name; };
        for (const std::string& name : t.sides) {
            for (int a = 0; a < 5; ++a)
                if (name == kAreas[a])
                    add(spatial, name);
            for (const char* v : kPersonVariables)
                if (name == v)
                    add(personVars, v);
            for (const char* v : kHouseholdVariables)
                if (name == v)
                    add(householdVars, v);
        }
        std::vector<std::string> extract = t.choice;
        const std::string root = "T" + std::to_string(seed);
        extract.insert(extract.end(), { "--output", "out", "--root", root, "--spatial", spatial, "--quiet" });
        if (t.households)
            extract.insert(
                extract.end(), { "--hh-vars", householdVars.empty() ? "Tenure" : householdVars, "--ind-vars", "none" });
        else
            extract.insert(extract.end(),
                { "--combined", "--ind-vars", personVars.empty() ? "Sex" : personVars, "--hh-vars",
                    householdVars.empty() ? "Cars" : householdVars });
        const ToolRun extracted = runTool(s.dir, extract);
        ASSERT_TRUE(extracted.status == kExitDone || extracted.status == kExitRejected) << extracted.err;

        const std::string file = root + (t.households ? "_hh.txt" : "_hhind.txt");
        const std::string text = readFile(s.dir.file("out/" + file));
        const Cells expected = tallyFile(text, t.sides[0], t.sides.size() > 1 ? t.sides[1] : "");
        const Cells actual = tableCells(counted.out, t.sides.size() > 1);
        EXPECT_EQ(differingCells(actual, expected), 0) << counted.out;
        if (actual.empty())
            EXPECT_NE(counted.err.find("the table is empty: "), std::string::npos);
        else
            ++nonEmptyTables;

        // Every coded column's frequencies equal a tally of that column of the file.
        for (const auto& [column, counts] :
            codebookFrequencies(readFile(s.dir.file("out/" + root + "_codebook.csv")), file)) {
            Cells tally = tallyFile(text, column, "");
            std::map<std::string, std::uint64_t> byValue;
            for (const auto& [key, n] : tally)
                byValue[key.first] = n;
            EXPECT_EQ(counts, byValue) << column;
            ++codedColumnsChecked;
        }
    }
    EXPECT_GT(nonEmptyTables, 40);
    EXPECT_LT(refused, 5);
    EXPECT_GT(codedColumnsChecked, 20);
}

TEST(Tables, LeaveTheProcesssGeneratorWhereItWas)
{
    // The 35-ED ward and the ward of 7 lettered parts both draw.
    auto extractAfter = [](bool table) {
        ExtractSession s;
        s.chooseWards({ FixtureData::kWard35Eds, FixtureData::kWard7Parts });
        if (table)
            EXPECT_EQ(tableOf(s, TableUnit::Persons, "ed").eds, 35u + 7u);
        EXPECT_TRUE(s.extract().succeeded());
        return s.output("Zen91_hh.txt") + s.output("Zen91_ind.txt");
    };
    EXPECT_EQ(extractAfter(true), extractAfter(false));
}

TEST(Tables, PercentagesOfRowsColumnsAndTheWhole)
{
    Table t;
    t.columns = TableDimension {};
    t.rowCategories = { { "1", "1" }, { "2", "2" }, { "3", "3" } };
    t.columnCategories = { { "a", "a" }, { "b", "b" } };
    t.counts = { 1, 3, 0, 0, 2, 4 };
    struct Row {
        TableShow show;
        int row, column;
        double value;
    };
    const Row rows[] = {
        { TableShow::RowPercent, 0, 1, 75 },
        { TableShow::RowPercent, 1, 0, 0 }, // a row of zeros
        { TableShow::RowPercent, 3, 0, 30 }, // the totals row against the whole
        { TableShow::ColumnPercent, 2, 1, 4.0 / 7 * 100 },
        { TableShow::ColumnPercent, 0, 2, 40 },
        { TableShow::TotalPercent, 2, 0, 20 },
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(tableValue(t, row.show, row.row, row.column), row.value)
            << static_cast<int>(row.show) << " " << row.row << "," << row.column;
}

TEST(Tables, PrintCodesWithLabelsAndAreaNames)
{
    ExtractSession s;
    s.dir.write("SARGlossary/VariableLabels.csv", "");
    writeVariableLabels(s.dir.file("SARGlossary/VariableLabels.csv"), demoVariableLabels());
    // Fixture person p has Sex (p + 27) % 10: 1 and 2 have labels, the rest show the code alone.
    const ToolRun run = runTool(s.dir, { "--wards", "08byfa", "--table", "SEX,ward" });
    ASSERT_EQ(run.status, kExitDone) << run.err;
    EXPECT_TRUE(run.out.starts_with("rows,rows_label,columns,columns_label,count\n"
                                    "0,0,08BYFA,08BYFA "))
        << run.out;
    EXPECT_NE(run.out.find("\n1,1 male,08BYFA,08BYFA "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n2,2 female,08BYFA,08BYFA "), std::string::npos) << run.out;

    const ToolRun oneWay = runTool(s.dir, { "--wards", "08BYFA", "--table", "county", "--count", "households" });
    EXPECT_EQ(oneWay.out, "rows,rows_label,count\n08,08 County 1,6\n");
}

// Its usage errors are in the command's table of them.
TEST(Tables, ExplainAnEmptyTableAndWriteNoFile)
{
    ExtractSession s;
    s.dir.write("nofiles.txt", "99XXYY01\r\n");
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        { { "--table", "Age,ed", "--ed-list", "nofiles.txt" },
            "1 listed code has no household file and is not counted\nzendra91-extract: the table is empty: none of the "
            "listed ED codes has a household file" },
        { { "--table", "Age", "--districts", "485" }, "the table is empty: no ED is chosen" },
    };
    const std::vector<std::string> before = filesIn(s.dir.path());
    std::atomic<bool> cancel { true };
    const ToolRun cancelled = runTool(s.dir, { "--table", "Age" }, false, &cancel);
    EXPECT_EQ(cancelled.status, kExitCancelled);
    EXPECT_EQ(cancelled.out, "");
    for (const auto& [arguments, message] : rows) {
        const ToolRun run = runTool(s.dir, arguments);
        EXPECT_EQ(run.status, kExitDone);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out == "rows,rows_label,count\n" || run.out == "rows,rows_label,columns,columns_label,count\n")
            << run.out;
        EXPECT_EQ(filesIn(s.dir.path()), before) << "a table writes no file";
    }
}

// The command's tables tally selected extracts; here what they do not reach.
TEST(Tables, AFilterOfWholeHouseholdsCountsEveryMemberAndOneOfNothingSaysSo)
{
    ExtractSession s;
    s.chooseWards({ FixtureData::kWard35Eds, FixtureData::kWardNiParts });
    auto make = [&](const CaseFilter* filter) { return tableOf(s, TableUnit::Persons, "Age", nullptr, filter); };
    const int sexField = findTableDimension("Sex", TableUnit::Persons, s.state->variables)->variable;
    CaseFilter sex3;
    sex3.person = [sexField](const std::int32_t* person, const std::int32_t*) { return person[sexField] == 3; };
    const std::uint64_t selected = make(&sex3).total();
    sex3.wholeHouseholds = true;
    EXPECT_GT(make(&sex3).total(), selected);
    CaseFilter none;
    none.household = [](const std::int32_t*) { return false; };
    EXPECT_EQ(make(&none).emptyReason, "no case matches the selection");
}

TEST(Tables, DrawAsTheExtractionDoesWhereUnwrittenEdsDraw)
{
    // Lettered parts in a ward of 35 EDs: the unwritten EDs 31..35 draw their files too.
    ExtractSession s;
    s.areas.eds2Ward[static_cast<std::size_t>(FixtureData::kWard35Eds)][kLetteredParts] = 2;
    s.chooseWards({ FixtureData::kWard35Eds });
    s.hhList.selectOnly({ "HNUM" });
    s.indList.selectOnly({});
    const Table t = tableOf(s, TableUnit::Households, "ed", "HNUM");
    ASSERT_TRUE(s.extract().succeeded());
    Cells table;
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c = 0; c < t.columnCount(); ++c)
            if (t.count(r, c) > 0)
                table[{ t.rowCategories[static_cast<std::size_t>(r)].code,
                    t.columnCategories[static_cast<std::size_t>(c)].code }]
                    = t.count(r, c);
    EXPECT_EQ(differingCells(table, tallyFile(s.output("Zen91_hh.txt"), "ED", "HNUM")), 0);
    EXPECT_EQ(t.eds, 35u * 2u);
}

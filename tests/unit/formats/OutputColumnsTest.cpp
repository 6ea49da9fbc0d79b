#include "formats/CodebookWriter.h"
#include "formats/OutputColumns.h"
#include "formats/StatFileWriter.h"
#include "textio/LineWriter.h"

#include "demodata/SarCodebook.h"
#include "variables/VariableCatalogue.h"

#include <gtest/gtest.h>

namespace {

VariableCatalogue selection(std::vector<int> household, std::vector<int> individual)
{
    VariableCatalogue catalogue = builtInVariableCatalogue();
    for (int k : household)
        catalogue.hhSelected[0] = catalogue.hhSelected[k] = 1;
    for (int k : individual)
        catalogue.indSelected[0] = catalogue.indSelected[k] = 1;
    catalogue.hhVarWidths[3] = 1;
    return catalogue;
}

const std::array<bool, kNumSpatialCodes> kCountyAndEd = { false, false, true, false, false, true };
const std::array<int, kNumSpatialCodes> kWidths = { 16, 24, 2, 4, 6, 8 };

} // namespace

TEST(StatColumns, TheSmallestTypeThatFitsAndOnlySingleCodesAsValueLabels)
{
    const VariableLabels labels = demoVariableLabels();
    const auto columns = outputColumns(OutputFileKind::Persons, selection({}, { 5 }), kCountyAndEd, kWidths, &labels);
    // Without a labels file each variable says so.
    EXPECT_EQ(outputColumns(OutputFileKind::Persons, selection({}, { 5 }), kCountyAndEd, kWidths, nullptr)[2].label,
        kNoLabelsNote);
    const auto stat = statColumns(columns, { { 0, 0 }, { 0, 0 }, { -9, 999 } });
    EXPECT_EQ(stat.at(2).type, StatType::Int16);
    // DistMove: -9, 0 and 999 are single codes; 1..600 is a range.
    using Labels = std::vector<std::pair<std::int32_t, std::string>>;
    EXPECT_EQ(stat[2].valueLabels,
        (Labels { { -9, "not applicable: aged under 1" }, { 0, "did not move" },
            { 999, "moved from outside Great Britain" } }));
}

TEST(Codebook, ListsEveryColumnOfEveryFileAndQuotesWhereNeeded)
{
    const VariableLabels labels = demoVariableLabels();
    const VariableCatalogue catalogue = selection({ 1, 3 }, { 1 });
    auto combined = outputColumns(OutputFileKind::Combined, catalogue, kCountyAndEd, kWidths, &labels);
    combined[4].frequencies = { { -1, 2 }, { 3, 12 } };
    std::string text;
    LineWriter out([&text](const char* data, std::size_t size) { text.append(data, size); }, "c.csv");
    writeCodebook(out, { { "Z_hhind.dta", combined, true }, { "Z_hhind.txt", combined, false } });
    out.close();
    EXPECT_EQ(text.substr(0, text.find("Z_hhind.txt")),
        "file,position,name,kind,width,label,codes,frequencies\r\n"
        "Z_hhind.dta,1,County,spatial,2,County code: the first 2 characters of the ED code,,\r\n"
        "Z_hhind.dta,2,ED,spatial,8,Enumeration district code,,\r\n"
        "Z_hhind.dta,3,HNUM,person,0,Record number of the person's household.,1..1000=household record number,\r\n"
        "Z_hhind.dta,4,HNUM_hh,household,0,Household record number in this file of households.,"
        "1..1000=record number,\r\n"
        "Z_hhind.dta,5,Bath,household,1,Use of a bath or shower.,1=exclusive use; 2=shared use; "
        "3=no bath or shower,-1=2; 3=12\r\n");
    EXPECT_NE(text.find("Z_hhind.txt,4,HNUM,household"), std::string::npos);
    EXPECT_EQ(csvField("say \"no\""), "\"say \"\"no\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
}

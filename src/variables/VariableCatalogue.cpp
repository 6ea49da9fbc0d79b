#include "variables/VariableCatalogue.h"

#include "base/DataFolders.h"
#include "base/ListBox.h"
#include "textio/FieldReader.h"
#include "textio/Text.h"

#include <stdexcept>

namespace {

const char* const kHhNames[]
    = { "(None)   ", "HNUM     ", "AreaHH   ", "Bath     ", "Cars     ", "CenHeat  ", "HHSpInDw ", "HHSpType ",
          "InsideWC ", "LowFloor ", "PersInHH ", "RoomsNum ", "Tenure  ", "WMove   ", "FirstRes", "LastRes " };
const char* const kIndNames[] = { "(None)   ", "HNUM     ", "PNUM     ", "Age      ", "CoBirth  ", "DistMove ",
    "DistWork ", "EconPrim ", "EconSec  ", "EmpStat  ", "EthGroup ", "FamHead  ", "FamNum   ", "FamTyppe ", "GaelLang ",
    "Hours    ", "Industry ", "LTIll    ", "MigOrgn  ", "MStatus  ", "Occpatn  ", "QuaLevel ", "QualNum  ", "QualSub  ",
    "Relat    ", "ResidSta ", "SEGroup  ", "Sex      ", "SoClass  ", "TermTim  ", "TranWork ", "URVisit  ", "WelshLan ",
    "WorkPlce " };
const int kHhDefaults[] = { 1, 4, 10, 11, 12 };
const int kIndDefaults[] = { 1, 2, 3, 7, 10, 17, 19, 20, 25, 26, 27 };

template <std::size_t N>
void readPairs(
    FieldReader& reader, std::array<std::int16_t, N>& listMap, std::array<std::int16_t, N>& widths, const char* kind)
{
    const int last = static_cast<int>(N) - 1;
    for (int r = 0; r <= last; ++r) {
        std::string row = std::string(kind) + " list row " + std::to_string(r);
        int variable = reader.readInt16("the variable number of " + row);
        int low = r == 0 ? 0 : 1;
        if (variable < low || variable > last)
            reader.fail("expected the variable number of " + row + " within " + std::to_string(low) + ".."
                + std::to_string(last) + ", found " + std::to_string(variable));
        listMap[r] = static_cast<std::int16_t>(variable);
        widths[r] = reader.readInt16("the width of " + std::string(kind) + " variable " + std::to_string(r));
    }
}

} // namespace

int decimalDigits(long value)
{
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

std::string trimmedName(const std::string& name)
{
    return std::string(trimEnd(name));
}

VariableCatalogue builtInVariableCatalogue()
{
    VariableCatalogue c;
    for (int k = 0; k <= kNumHhVars; ++k)
        c.hhVarNames[k] = kHhNames[k];
    for (int k = 0; k <= kNumIndVars; ++k)
        c.indVarNames[k] = kIndNames[k];
    for (int k : kHhDefaults)
        c.hhDefaultVars[k] = true;
    for (int k : kIndDefaults)
        c.indDefaultVars[k] = true;
    return c;
}

VariableCatalogue loadVariableCatalogue(const DataFolders& folders)
{
    VariableCatalogue c = builtInVariableCatalogue();
    FieldReader reader = FieldReader::open(folders.programDataFolder + "VariableMap.dat");
    reader.readText("the household heading");
    readPairs(reader, c.hhListMap, c.hhVarWidths, "household");
    reader.readText("the individual heading");
    readPairs(reader, c.indListMap, c.indVarWidths, "individual");
    reader.expectEnd("the individual list");
    // The identifiers' widths follow the SAR record counts, whatever the file says.
    c.hhVarWidths[kHhHnum] = static_cast<std::int16_t>(decimalDigits(kNumSarHouseholds));
    c.indVarWidths[kIndHnum] = static_cast<std::int16_t>(decimalDigits(kNumSarHouseholds));
    c.indVarWidths[kIndPnum] = static_cast<std::int16_t>(decimalDigits(kNumSarPersons));
    return c;
}

void fillVariableLists(const VariableCatalogue& c, ListBox& hhList, ListBox& indList)
{
    for (int r = 0; r <= kNumHhVars; ++r)
        hhList.addRow(c.hhVarNames[c.hhListMap[r]]);
    for (int r = 0; r <= kNumIndVars; ++r)
        indList.addRow(c.indVarNames[c.indListMap[r]]);
}

void captureVariableSelection(VariableCatalogue& c, const ListBox& hhList, const ListBox& indList)
{
    c.hhSelected[0] = 0;
    for (int r = 1; r <= kNumHhVars; ++r) {
        bool on = hhList.isSelected(r);
        c.hhSelected[c.hhListMap[r]] = on ? 1 : 0;
        if (on)
            c.hhSelected[0] = 1;
    }
    c.indSelected[0] = 0;
    for (int r = 1; r <= kNumIndVars; ++r) {
        bool on = indList.isSelected(r);
        c.indSelected[c.indListMap[r]] = on ? 1 : 0;
        if (on)
            c.indSelected[0] = 1;
    }
}

void setDefaultVars(const VariableCatalogue& c, ListBox& hhList, ListBox& indList)
{
    hhList.setEnabled(false);
    indList.setEnabled(false);
    for (int r = 1; r <= kNumHhVars; ++r)
        hhList.setSelected(r, c.hhDefaultVars[c.hhListMap[r]]);
    for (int r = 1; r <= kNumIndVars; ++r)
        indList.setSelected(r, c.indDefaultVars[c.indListMap[r]]);
    hhList.setEnabled(true);
    indList.setEnabled(true);
}

namespace {

template <std::size_t N, std::size_t S>
std::vector<std::string> namesOf(const std::array<std::string, N>& names, const std::array<std::uint8_t, S>& selected)
{
    std::vector<std::string> chosen;
    for (std::size_t k = 1; k < N; ++k)
        if (selected[k] == 1)
            chosen.push_back(trimmedName(names[k]));
    return chosen;
}

template <std::size_t N, std::size_t S>
void selectNamed(const std::array<std::string, N>& names, std::array<std::uint8_t, S>& selected,
    const std::vector<std::string>& wanted, const char* kind)
{
    selected.fill(0);
    for (const std::string& name : wanted) {
        std::size_t k = 1;
        while (k < N && trimmedName(names[k]) != name)
            ++k;
        if (k == N)
            throw std::invalid_argument(std::string("unknown ") + kind + " variable \"" + name + "\"");
        selected[k] = 1;
        selected[0] = 1;
    }
}

} // namespace

VariableNames selectedVariableNames(const VariableCatalogue& catalogue, const ListBox& hhList, const ListBox& indList)
{
    VariableCatalogue captured = catalogue;
    captureVariableSelection(captured, hhList, indList);
    return { namesOf(captured.hhVarNames, captured.hhSelected), namesOf(captured.indVarNames, captured.indSelected) };
}

void selectVariablesByName(
    VariableCatalogue& catalogue, const std::vector<std::string>& household, const std::vector<std::string>& individual)
{
    selectNamed(catalogue.hhVarNames, catalogue.hhSelected, household, "household");
    selectNamed(catalogue.indVarNames, catalogue.indSelected, individual, "individual");
}

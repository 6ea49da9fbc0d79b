#include "formats/OutputColumns.h"

#include "variables/VariableCatalogue.h"
#include "variables/VariableLabels.h"

namespace {

template <std::size_t N, std::size_t W, std::size_t S>
void addVariables(std::vector<OutputColumn>& columns, ColumnKind kind, const std::array<std::string, N>& names,
    const std::array<std::int16_t, W>& widths, const std::array<std::uint8_t, S>& selected,
    const std::vector<VariableLabel>* labels)
{
    for (std::size_t k = 1; k < N; ++k) {
        if (selected[k] != 1)
            continue;
        OutputColumn column;
        column.name = trimmedName(names[k]);
        column.uniqueName = column.name;
        column.kind = kind;
        column.number = static_cast<int>(k);
        column.width = widths[k];
        if (labels && k <= labels->size()) {
            column.label = (*labels)[k - 1].label;
            column.codes = (*labels)[k - 1].codes;
        } else {
            column.label = kNoLabelsNote;
        }
        columns.push_back(std::move(column));
    }
}

} // namespace

std::vector<OutputColumn> outputColumns(OutputFileKind file, const VariableCatalogue& catalogue,
    const std::array<bool, kNumSpatialCodes>& spatialCodes, const std::array<int, kNumSpatialCodes>& spatialWidths,
    const VariableLabels* labels)
{
    std::vector<OutputColumn> columns;
    for (int i = 0; i < kNumSpatialCodes; ++i)
        if (spatialCodes[i])
            columns.push_back({ kSpatialCodes[i].header, kSpatialCodes[i].header, ColumnKind::Spatial, i,
                spatialWidths[i], kSpatialCodes[i].label, {}, {} });

    auto households = [&] {
        addVariables(columns, ColumnKind::Household, catalogue.hhVarNames, catalogue.hhVarWidths, catalogue.hhSelected,
            labels ? &labels->household : nullptr);
    };
    auto persons = [&] {
        addVariables(columns, ColumnKind::Person, catalogue.indVarNames, catalogue.indVarWidths, catalogue.indSelected,
            labels ? &labels->individual : nullptr);
    };
    switch (file) {
    case OutputFileKind::Households:
        households();
        break;
    case OutputFileKind::Persons:
        persons();
        break;
    case OutputFileKind::Combined:
        persons();
        households();
        for (OutputColumn& column : columns)
            if (column.kind == ColumnKind::Household && column.number == kHhHnum
                && catalogue.indSelected[kIndHnum] == 1)
                column.uniqueName = kCombinedHouseholdHnum;
        break;
    }
    return columns;
}

bool isCodedColumn(const OutputColumn& column)
{
    if (column.kind == ColumnKind::Spatial)
        return false;
    for (const CodeLabel& code : column.codes)
        if (code.low == code.high)
            return true;
    return false;
}

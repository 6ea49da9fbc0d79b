#include "tables/TableDimensions.h"

#include "geography/AreaDirectory.h"
#include "variables/VariableCatalogue.h"

std::optional<TableDimension> findTableDimension(
    std::string_view name, TableUnit unit, const VariableCatalogue& catalogue)
{
    const std::string wanted = asciiLower(name);
    if (unit == TableUnit::Persons)
        for (int k = 1; k <= kNumIndVars; ++k)
            if (asciiLower(trimmedName(catalogue.indVarNames[k])) == wanted)
                return TableDimension { TableDimension::Kind::PersonVariable, k };
    for (int k = 1; k <= kNumHhVars; ++k)
        if (asciiLower(trimmedName(catalogue.hhVarNames[k])) == wanted)
            return TableDimension { TableDimension::Kind::HouseholdVariable, k };
    for (int a = 0; a < kNumTableAreas; ++a)
        if (wanted == kTableAreaNames[static_cast<std::size_t>(a)])
            return TableDimension { TableDimension::Kind::Area, 0, static_cast<TableArea>(a) };
    return std::nullopt;
}

std::vector<std::string> tableDimensionNames(TableUnit unit, const VariableCatalogue& catalogue)
{
    std::vector<std::string> names;
    auto add = [&names](const std::string& name) {
        for (const std::string& known : names)
            if (known == name)
                return;
        names.push_back(name);
    };
    if (unit == TableUnit::Persons)
        for (int k = 1; k <= kNumIndVars; ++k)
            add(trimmedName(catalogue.indVarNames[k]));
    for (int k = 1; k <= kNumHhVars; ++k)
        add(trimmedName(catalogue.hhVarNames[k]));
    for (const char* area : kTableAreaNames)
        add(area);
    return names;
}

std::string tableDimensionName(const TableDimension& dimension, const VariableCatalogue& catalogue)
{
    switch (dimension.kind) {
    case TableDimension::Kind::HouseholdVariable:
        return trimmedName(catalogue.hhVarNames[static_cast<std::size_t>(dimension.variable)]);
    case TableDimension::Kind::PersonVariable:
        return trimmedName(catalogue.indVarNames[static_cast<std::size_t>(dimension.variable)]);
    case TableDimension::Kind::Area:
        break;
    }
    return kTableAreaNames[static_cast<std::size_t>(dimension.area)];
}

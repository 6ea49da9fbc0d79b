#pragma once

#include "base/FixedSizes.h"

#include <array>
#include <string>
#include <vector>

/// The synthetic mini-replica of the SAR: 1000 household and 2514 person records,
/// each indexed from 1 by record and by field (variable number); element 0 of
/// each table and of each record is unused.
struct DemoSar {
    using Household = std::array<int, kNumHhVars + 1>;
    using Person = std::array<int, kNumIndVars + 1>;
    std::vector<Household> households;
    std::vector<Person> persons;
};

/// Builds the records from a fixed seed; every call gives the same records.
DemoSar buildDemoSar();

/// Writes HHSAR.dat and IndSAR.dat into `folder` (ending in "/"), one record per
/// line, values separated by commas.
void writeSarFiles(const DemoSar& sar, const std::string& folder);

/// Writes VariableMap.dat into `folder`: the identity list order and, as each
/// variable's width, the most characters any of its values takes in the records.
void writeVariableMap(const DemoSar& sar, const std::string& folder);

/// Characters of `value` in decimal, a minus sign included.
int decimalWidth(int value);

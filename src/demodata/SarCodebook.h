#pragma once

#include "variables/VariableLabels.h"

#include <string>
#include <vector>

/// A code or a range of codes of one SAR variable and what it means.
struct CodeRange {
    int low;
    int high;
    const char* meaning;
};

/// What the demo SAR records hold in one variable.
struct VariableDoc {
    const char* name;
    const char* description;
    std::vector<CodeRange> codes;

    bool documents(int value) const;
};

/// The 15 household and 33 individual variables in field order (element 0 is
/// variable 1), with every code the generated records use. The glossary page is
/// written from these tables, so it cannot drift from the data.
const std::vector<VariableDoc>& householdVariableDocs();
const std::vector<VariableDoc>& individualVariableDocs();

/// The same tables in the form of the data folder's labels file.
VariableLabels demoVariableLabels();

/// Writes Original_Variables.htm, Derived_Variables.htm and the labels file into
/// `folder` (ending in "/"). Throws DataFileError naming the file when one cannot
/// be written.
void writeGlossaryPages(const std::string& folder);

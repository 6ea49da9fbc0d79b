#pragma once

#include "request/CaseSelection.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class SarTables;
struct VariableCatalogue;
struct VariableLabels;

/// A condition that does not fit the data set: the message names the condition and
/// the codes or variables that would.
class SelectionError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

/// A code a variable can take, with its meaning where the labels file gives one.
struct KnownCode {
    std::int32_t code = 0;
    std::string meaning;
};

/// Which SAR records are written, by row: a household row is written when it meets
/// the household conditions and, with person conditions, has a chosen person; a
/// person row when its household is written and it meets the person conditions
/// (every person of the household with whole households).
struct CaseRows {
    std::vector<std::uint8_t> household; ///< indexed by household row from 1
    std::vector<std::uint8_t> person; ///< indexed by person row from 1
};

/// A case selection resolved against one data set: each variable found among the
/// household variables (first: HNUM is both) or the person variables, by its header
/// name in any case, and each code one the variable can take.
class CaseSelector {
public:
    /// Throws SelectionError for an unknown variable, a variable named twice, or a
    /// code or range holding no code the labels file or the SAR records know for it.
    CaseSelector(const CaseSelection& selection, const VariableCatalogue& catalogue, const SarTables& sar,
        const VariableLabels* labels);

    bool empty() const { return m_conditions.empty(); }
    bool householdPasses(const std::int32_t* household) const;
    bool personPasses(const std::int32_t* person) const;
    bool hasPersonConditions() const;
    bool wholeHouseholds() const { return m_wholeHouseholds; }

    /// Every SAR row's verdict. A household whose person range is broken is marked
    /// written, so that the writer stops at it as it would without a selection.
    CaseRows rows(const SarTables& sar) const;

    /// "Persons: Age 65-99; households: Tenure 1, 2", with the catalogue's spelling.
    std::string text() const;

private:
    struct Condition {
        bool household = false;
        int field = 0;
        std::vector<CodeInterval> codes;
        bool passes(std::int32_t value) const;
    };
    std::vector<Condition> m_conditions;
    CaseSelection m_named; ///< the conditions under the catalogue's names
    bool m_wholeHouseholds = false;
};

/// The codes `field` of the household (or person) records can take: each value the
/// SAR records hold and each single code the labels file names, in order, with the
/// labels' meaning (a range's meaning for the values inside it).
std::vector<KnownCode> knownCodes(bool household, int field, const SarTables& sar, const VariableLabels* labels);

/// Whether `name` (any case) is a household variable of `catalogue`.
bool isHouseholdVariable(const VariableCatalogue& catalogue, const std::string& name);

/// The selection's text for the window: "All cases", or "Persons: Age 65-99;
/// households: Tenure 1, 2 (whole households)".
std::string caseSelectionText(const CaseSelection& selection, const VariableCatalogue& catalogue);

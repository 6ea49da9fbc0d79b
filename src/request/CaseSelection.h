#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// An inclusive range of codes; a single code c is [c, c].
struct CodeInterval {
    std::int32_t low = 0;
    std::int32_t high = 0;

    bool contains(std::int32_t code) const { return low <= code && code <= high; }
    bool operator==(const CodeInterval&) const = default;
};

/// One variable and the codes it must take: any of them will do.
struct CaseCondition {
    std::string variable; ///< a header name, in the case the user typed it
    std::vector<CodeInterval> codes;

    bool operator==(const CaseCondition&) const = default;
};

/// Which cases an extraction or a table takes: every condition must hold (they name
/// different variables). Household conditions choose households, person conditions
/// persons; a household with person conditions needs at least one chosen person.
/// With wholeHouseholds every member of a chosen household is written.
struct CaseSelection {
    std::vector<CaseCondition> conditions;
    bool wholeHouseholds = false;

    /// No condition: every case, whatever wholeHouseholds says.
    bool empty() const { return conditions.empty(); }
    bool operator==(const CaseSelection&) const = default;
};

/// Parses codes as users type them: "1,2", "65-99", "65-99, 101"; blanks are allowed
/// around each item, a code may carry a minus sign ("-1", "-9--1"). Returns the
/// ranges, or an error saying what is wrong ("65-" is not a number, 99-65 is
/// reversed, nothing given).
struct ParsedCodes {
    std::vector<CodeInterval> codes;
    std::string error; ///< empty when the text was good
};
ParsedCodes parseCodes(std::string_view text);

/// Parses "VARIABLE=CODES"; the error names the condition as typed.
struct ParsedCondition {
    CaseCondition condition;
    std::string error;
};
ParsedCondition parseCondition(std::string_view text);

/// "65-99", "1, 2", "1-3, 7".
std::string codesText(const std::vector<CodeInterval>& codes);

/// "Age 65-99".
std::string conditionText(const CaseCondition& condition);

/// How the window and the codebook show a selection: "All cases", or
/// "Persons: Age 65-99; households: Tenure 1, 2 (whole households)". Each
/// condition goes under households when `isHouseholdVariable` says so.
template <typename IsHousehold> std::string selectionText(const CaseSelection& selection, IsHousehold isHouseholdVariable)
{
    if (selection.empty())
        return "All cases";
    std::string persons;
    std::string households;
    for (const CaseCondition& condition : selection.conditions) {
        std::string& part = isHouseholdVariable(condition.variable) ? households : persons;
        part += (part.empty() ? "" : "; ") + conditionText(condition);
    }
    std::string text;
    if (!persons.empty())
        text = "Persons: " + persons;
    if (!households.empty())
        text += (text.empty() ? "Households: " : "; households: ") + households;
    if (selection.wholeHouseholds)
        text += " (whole households)";
    return text;
}

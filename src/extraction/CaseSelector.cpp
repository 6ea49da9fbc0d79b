#include "extraction/CaseSelector.h"

#include "extraction/SarTables.h"
#include "textio/DataFileError.h"
#include "variables/VariableCatalogue.h"
#include "variables/VariableLabels.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

/// Known codes as ranges of neighbours: "0-95, 99".
std::string knownText(const std::vector<KnownCode>& codes)
{
    std::vector<CodeInterval> ranges;
    for (const KnownCode& code : codes) {
        if (!ranges.empty() && ranges.back().high + 1 == code.code)
            ranges.back().high = code.code;
        else
            ranges.push_back({ code.code, code.code });
    }
    return codesText(ranges);
}

} // namespace

std::vector<KnownCode> knownCodes(bool household, int field, const SarTables& sar, const VariableLabels* labels)
{
    const std::vector<CodeLabel>* labelled = nullptr;
    if (labels) {
        const std::vector<VariableLabel>& all = household ? labels->household : labels->individual;
        if (field >= 1 && static_cast<std::size_t>(field) <= all.size())
            labelled = &all[static_cast<std::size_t>(field) - 1].codes;
    }
    std::map<std::int32_t, std::string> codes;
    const int rows = household ? sar.numHouseholds() : sar.numPersons();
    for (int row = 1; row <= rows; ++row)
        codes.emplace(household ? sar.household(row, field) : sar.person(row, field), std::string());
    if (labelled)
        for (const CodeLabel& label : *labelled)
            if (label.low == label.high)
                codes.emplace(label.low, std::string());
    std::vector<KnownCode> result;
    for (auto& [code, meaning] : codes) {
        if (labelled)
            for (const CodeLabel& label : *labelled)
                if (label.low <= code && code <= label.high) {
                    meaning = label.meaning;
                    break;
                }
        result.push_back({ code, meaning });
    }
    return result;
}

bool CaseSelector::Condition::passes(std::int32_t value) const
{
    for (const CodeInterval& range : codes)
        if (range.contains(value))
            return true;
    return false;
}

CaseSelector::CaseSelector(const CaseSelection& selection, const VariableCatalogue& catalogue, const SarTables& sar,
    const VariableLabels* labels)
    : m_wholeHouseholds(selection.wholeHouseholds)
{
    m_named.wholeHouseholds = selection.wholeHouseholds;
    for (const CaseCondition& condition : selection.conditions) {
        const std::string wanted = lowered(condition.variable);
        const std::string named = condition.variable + "=" + codesText(condition.codes);
        Condition resolved;
        std::string name;
        for (int k = 1; k <= kNumHhVars && name.empty(); ++k)
            if (lowered(trimmedName(catalogue.hhVarNames[k])) == wanted)
                resolved = { true, k, {} }, name = trimmedName(catalogue.hhVarNames[k]);
        for (int k = 1; k <= kNumIndVars && name.empty(); ++k)
            if (lowered(trimmedName(catalogue.indVarNames[k])) == wanted)
                resolved = { false, k, {} }, name = trimmedName(catalogue.indVarNames[k]);
        if (name.empty()) {
            std::string list;
            for (int k = 1; k <= kNumHhVars; ++k)
                list += (list.empty() ? "" : ", ") + trimmedName(catalogue.hhVarNames[k]);
            std::string persons;
            for (int k = 1; k <= kNumIndVars; ++k)
                persons += (persons.empty() ? "" : ", ") + trimmedName(catalogue.indVarNames[k]);
            throw SelectionError("the condition " + named + ": unknown variable \"" + condition.variable
                + "\"; household variables: " + list + "; person variables: " + persons);
        }
        for (const Condition& earlier : m_conditions)
            if (earlier.household == resolved.household && earlier.field == resolved.field)
                throw SelectionError("the condition " + named + ": " + name
                    + " has a condition already; give all its codes in one");
        if (condition.codes.empty())
            throw SelectionError("the condition " + named + ": no code given");
        const std::vector<KnownCode> known = knownCodes(resolved.household, resolved.field, sar, labels);
        for (const CodeInterval& range : condition.codes) {
            if (range.low > range.high)
                throw SelectionError("the condition " + named + ": the range " + std::to_string(range.low) + "-"
                    + std::to_string(range.high) + " runs backwards");
            const bool any = std::any_of(
                known.begin(), known.end(), [&range](const KnownCode& code) { return range.contains(code.code); });
            if (!any)
                throw SelectionError("the condition " + named + ": " + name + " takes no code "
                    + codesText({ range }) + "; its codes are " + knownText(known));
        }
        resolved.codes = condition.codes;
        m_conditions.push_back(std::move(resolved));
        m_named.conditions.push_back({ name, condition.codes });
    }
}

bool CaseSelector::householdPasses(const std::int32_t* household) const
{
    for (const Condition& condition : m_conditions)
        if (condition.household && !condition.passes(household[condition.field]))
            return false;
    return true;
}

bool CaseSelector::personPasses(const std::int32_t* person) const
{
    for (const Condition& condition : m_conditions)
        if (!condition.household && !condition.passes(person[condition.field]))
            return false;
    return true;
}

bool CaseSelector::hasPersonConditions() const
{
    return std::any_of(m_conditions.begin(), m_conditions.end(), [](const Condition& c) { return !c.household; });
}

CaseRows CaseSelector::rows(const SarTables& sar) const
{
    CaseRows rows;
    rows.household.assign(static_cast<std::size_t>(sar.numHouseholds()) + 1, 0);
    rows.person.assign(static_cast<std::size_t>(sar.numPersons()) + 1, 0);
    const bool personConditions = hasPersonConditions();
    for (int h = 1; h <= sar.numHouseholds(); ++h) {
        std::pair<int, int> range;
        try {
            range = sar.personRange(h);
        } catch (const DataFileError&) {
            rows.household[static_cast<std::size_t>(h)] = 1;
            continue;
        }
        if (!householdPasses(sar.householdRecord(h)))
            continue;
        bool anyPerson = !personConditions;
        for (int p = range.first; p <= range.second; ++p) {
            const bool chosen = personPasses(sar.personRecord(p));
            anyPerson = anyPerson || chosen;
            rows.person[static_cast<std::size_t>(p)] = chosen || m_wholeHouseholds;
        }
        if (anyPerson)
            rows.household[static_cast<std::size_t>(h)] = 1;
        else
            for (int p = range.first; p <= range.second; ++p)
                rows.person[static_cast<std::size_t>(p)] = 0;
    }
    return rows;
}

std::string CaseSelector::text() const
{
    std::vector<std::string> households;
    for (std::size_t i = 0; i < m_conditions.size(); ++i)
        if (m_conditions[i].household)
            households.push_back(m_named.conditions[i].variable);
    return selectionText(m_named, [&households](const std::string& name) {
        return std::find(households.begin(), households.end(), name) != households.end();
    });
}

bool isHouseholdVariable(const VariableCatalogue& catalogue, const std::string& name)
{
    const std::string wanted = lowered(name);
    for (int k = 1; k <= kNumHhVars; ++k)
        if (lowered(trimmedName(catalogue.hhVarNames[k])) == wanted)
            return true;
    return false;
}

std::string caseSelectionText(const CaseSelection& selection, const VariableCatalogue& catalogue)
{
    return selectionText(
        selection, [&catalogue](const std::string& name) { return isHouseholdVariable(catalogue, name); });
}

#include "variables/VariableLabels.h"

#include "base/DataFolders.h"
#include "textio/FieldReader.h"
#include "textio/LineWriter.h"
#include "variables/VariableCatalogue.h"

#include <filesystem>
#include <stdexcept>

namespace {

constexpr const char* kHouseholdHeading = "Household variables";
constexpr const char* kIndividualHeading = "Individual variables";
// More codes than any variable could sensibly label; stops a bad count early.
constexpr std::int64_t kMaxCodes = 10000;

template <std::size_t N>
std::vector<VariableLabel> readSection(
    FieldReader& reader, const char* heading, const std::array<std::string, N>& names)
{
    std::string found = reader.readText("the heading");
    if (found != heading)
        reader.fail(std::string("expected the heading \"") + heading + "\", found \"" + found + "\"");
    const std::int64_t count = static_cast<std::int64_t>(N) - 1;
    reader.readInteger(std::string("the number of ") + heading + " (" + std::to_string(count) + ")", count, count);

    std::vector<VariableLabel> section;
    for (std::size_t k = 1; k < N; ++k) {
        VariableLabel variable;
        const std::string expected = trimmedName(names[k]);
        variable.name = reader.readText("the name of variable " + std::to_string(k));
        if (variable.name != expected)
            reader.fail("expected the name of " + std::string(heading) + " number " + std::to_string(k) + ", \""
                + expected + "\", found \"" + variable.name + "\"");
        variable.label = reader.readText("the label of " + expected);
        const auto codes = reader.readInteger("the number of codes of " + expected, 0, kMaxCodes);
        for (std::int64_t c = 0; c < codes; ++c) {
            CodeLabel code;
            code.low = reader.readInt32("the lowest code of a range of " + expected);
            code.high = reader.readInt32("the highest code of a range of " + expected);
            if (code.high < code.low)
                reader.fail("expected a range of " + expected + " running low to high, found "
                    + std::to_string(code.low) + " to " + std::to_string(code.high));
            code.meaning = reader.readText("the meaning of a code of " + expected);
            variable.codes.push_back(std::move(code));
        }
        section.push_back(std::move(variable));
    }
    return section;
}

std::string quoted(const std::string& text)
{
    if (text.find('"') != std::string::npos)
        throw std::invalid_argument("a label may not hold a double quote: " + text);
    return '"' + text + '"';
}

void writeSection(LineWriter& out, const char* heading, const std::vector<VariableLabel>& section)
{
    out.append(quoted(heading) + "," + std::to_string(section.size()) + "\r\n");
    for (const VariableLabel& variable : section) {
        out.append(variable.name + "," + quoted(variable.label) + "," + std::to_string(variable.codes.size()) + "\r\n");
        for (const CodeLabel& code : variable.codes)
            out.append(
                std::to_string(code.low) + "," + std::to_string(code.high) + "," + quoted(code.meaning) + "\r\n");
    }
}

} // namespace

std::optional<VariableLabels> loadVariableLabels(const DataFolders& folders)
{
    const std::string path = folders.glossaryFolder + kVariableLabelsFile;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    FieldReader reader = FieldReader::open(path);
    const VariableCatalogue names = builtInVariableCatalogue();
    VariableLabels labels;
    labels.household = readSection(reader, kHouseholdHeading, names.hhVarNames);
    labels.individual = readSection(reader, kIndividualHeading, names.indVarNames);
    if (!reader.atEnd()) {
        std::string extra = reader.readText("the end of the file");
        reader.fail("expected the end of the file after the last individual variable, found \"" + extra + "\"");
    }
    return labels;
}

void writeVariableLabels(const std::string& path, const VariableLabels& labels)
{
    LineWriter out(path, 1 << 16);
    writeSection(out, kHouseholdHeading, labels.household);
    writeSection(out, kIndividualHeading, labels.individual);
    out.close();
}

std::string codesText(const std::vector<CodeLabel>& codes)
{
    std::string text;
    for (const CodeLabel& code : codes) {
        if (!text.empty())
            text += "; ";
        text += std::to_string(code.low);
        if (code.high != code.low)
            text += ".." + std::to_string(code.high);
        text += '=' + code.meaning;
    }
    return text;
}

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct DataFolders;

/// A code, or a range of codes, of one variable and what it means.
struct CodeLabel {
    std::int32_t low = 0;
    std::int32_t high = 0;
    std::string meaning;

    bool operator==(const CodeLabel&) const = default;
};

/// The description of one SAR variable and the meaning of its codes.
struct VariableLabel {
    std::string name; ///< as the output header shows it, no trailing blanks
    std::string label;
    std::vector<CodeLabel> codes;

    bool operator==(const VariableLabel&) const = default;
};

/// The labels of every household and individual variable, element k - 1 describing
/// variable number k, read from VariableLabels.csv in the glossary folder.
struct VariableLabels {
    std::vector<VariableLabel> household;
    std::vector<VariableLabel> individual;

    bool operator==(const VariableLabels&) const = default;
};

/// The labels file's name; it lives in DataFolders::glossaryFolder.
inline constexpr const char* kVariableLabelsFile = "VariableLabels.csv";

/// Reads the labels file of `folders`, or returns nothing when the folder has none.
/// A malformed file throws DataFileError with its line and what was expected: the
/// counts must be 15 and 33, each variable must carry the built-in name of its
/// number, each range must run low to high, and nothing may follow the last entry.
std::optional<VariableLabels> loadVariableLabels(const DataFolders& folders);

/// Writes `labels` in the format loadVariableLabels reads. Throws DataFileError when
/// the file cannot be written, std::invalid_argument for a text holding a double
/// quote (the format has no escape for one).
void writeVariableLabels(const std::string& path, const VariableLabels& labels);

/// The codes as the codebook shows them: "1=exclusive use; 2=shared use", a range
/// as "1..600=kilometres".
std::string codesText(const std::vector<CodeLabel>& codes);

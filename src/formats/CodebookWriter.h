#pragma once

#include "formats/OutputColumns.h"

#include <string>
#include <string_view>
#include <vector>

class LineWriter;

/// One output file as the codebook describes it.
struct CodebookFile {
    std::string fileName; ///< without folder, e.g. "Zen91_hh.dta"
    std::vector<OutputColumn> columns;
    bool statisticsFormat = false; ///< names the columns by their unique names
    OutputFileKind kind = OutputFileKind::Households;
};

/// Writes ROOT_codebook.csv: a header line, then one row per column of each file in
/// header order with the columns file, position (1-based), name, kind (spatial,
/// household or person), width, label, codes and frequencies ("1=123; 2=45",
/// empty for a column that is not coded). Fields holding a comma, a double
/// quote or a line break are quoted, quotes doubled; lines end CR LF. Writes through
/// `out`, which the caller owns and closes. A non-empty `selection` (the case
/// selection's text) ends the codebook with a row of kind "selection" saying which
/// cases the files hold.
void writeCodebook(LineWriter& out, const std::vector<CodebookFile>& files, const std::string& selection = {});

/// `text` as one CSV field, quoted only when it has to be.
std::string csvField(std::string_view text);

#pragma once

#include "formats/CodebookWriter.h"

#include <array>
#include <string>
#include <vector>

/// What follows the root name in the name of each loading script, in the order
/// loadingScripts() gives them.
inline constexpr std::array<const char*, 4> kLoadingScriptSuffixes = { "_load.R", "_load.py", "_load.do", "_load.sps" };

struct LoadingScript {
    std::string fileName; ///< without folder, e.g. "Zen91_load.R"
    std::string text;
};

/// Scripts that load the CSV data files `files` (as the codebook describes them,
/// household file first) into R, pandas, Stata and SPSS with what a plain CSV
/// reader gets wrong put right: spatial codes read as text, so that County "03"
/// keeps its zero; the empty field after each line's trailing comma dropped; the
/// combined file's second HNUM under its unique name; every coded column labelled.
///
/// R and Python read a ".gz" file as it is and find it in the script's own folder.
/// Stata and SPSS read no compressed text, so their scripts name the unpacked file
/// and say how to unpack it; they read from the working directory. Data frames (R,
/// Python) and SPSS datasets are named households, persons or combined; with two
/// files the Stata script takes the file to load as its argument ("hh" or "ind").
/// `codebookFileName` is named in each script's opening note.
std::vector<LoadingScript> loadingScripts(
    const std::string& rootFileName, const std::string& codebookFileName, const std::vector<CodebookFile>& files);

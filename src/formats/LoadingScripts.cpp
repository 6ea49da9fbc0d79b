#include "formats/LoadingScripts.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// What the statistics packages keep of a label, in bytes.
constexpr std::size_t kStataVariableLabelBytes = 80;
constexpr std::size_t kSpssVariableLabelBytes = 255;
constexpr std::size_t kSpssValueLabelBytes = 120;

using Codes = std::vector<std::pair<std::int32_t, std::string>>;

bool isGzip(const std::string& name)
{
    return name.size() > 3 && name.compare(name.size() - 3, 3, ".gz") == 0;
}

std::string unpackedName(const std::string& name)
{
    return isGzip(name) ? name.substr(0, name.size() - 3) : name;
}

const char* frameName(OutputFileKind kind)
{
    switch (kind) {
    case OutputFileKind::Households:
        return "households";
    case OutputFileKind::Persons:
        return "persons";
    case OutputFileKind::Combined:
        return "combined";
    }
    return "";
}

/// The argument that picks a file in the Stata script: its name's part after the root.
const char* stataChoice(OutputFileKind kind)
{
    switch (kind) {
    case OutputFileKind::Households:
        return "hh";
    case OutputFileKind::Persons:
        return "ind";
    case OutputFileKind::Combined:
        return "hhind";
    }
    return "";
}

/// The codes of single values (a range has no one value to label).
Codes singleCodes(const OutputColumn& column)
{
    Codes codes;
    for (const CodeLabel& code : column.codes)
        if (code.low == code.high)
            codes.emplace_back(code.low, code.meaning);
    return codes;
}

/// A column becomes a factor or categorical when every code it has is one value.
bool isCategorical(const OutputColumn& column)
{
    return column.kind != ColumnKind::Spatial && !column.codes.empty()
        && singleCodes(column).size() == column.codes.size();
}

/// The codes with each meaning made unique within the column, as factor levels must be.
Codes distinctLevels(const OutputColumn& column)
{
    Codes codes = singleCodes(column);
    std::map<std::string, int> uses;
    for (const auto& code : codes)
        ++uses[code.second];
    for (auto& [value, meaning] : codes)
        if (uses[meaning] > 1)
            meaning += " (" + std::to_string(value) + ")";
    return codes;
}

/// At most `bytes` bytes, never cutting a UTF-8 character.
std::string cut(const std::string& text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80)
        --end;
    return text.substr(0, end);
}

bool validUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

/// A double-quoted string for R or Python. R takes the bytes as they are; Python
/// source must be UTF-8, so other 8-bit text goes as \xNN escapes (read as Latin-1).
std::string quoted(const std::string& text, bool python = false)
{
    const bool escapeHigh = python && !validUtf8(text);
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x7f || (escapeHigh && u >= 0x80)) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

/// A Stata compound-quoted string; "`" and "$" would start a macro.
std::string stataQuoted(const std::string& text)
{
    std::string out = "`\"";
    for (char c : text) {
        if (c == '`' || c == '$')
            out += '\\';
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out + "\"'";
}

std::string spssQuoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += '\'';
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out + "'";
}

std::string columnName(const OutputColumn& column)
{
    return column.uniqueName;
}

/// The note each script opens with, as comment lines behind `comment`.
std::string header(const std::string& comment, const std::vector<CodebookFile>& files, const std::string& codebook,
    const std::vector<std::string>& lines)
{
    std::string text = comment + " Loads ";
    for (std::size_t i = 0; i < files.size(); ++i)
        text += (i ? " and " : "") + files[i].fileName;
    text += ", described in " + codebook + ".\n";
    for (const std::string& line : lines)
        text += comment + " " + line + "\n";
    for (const CodebookFile& file : files)
        for (const OutputColumn& column : file.columns)
            if (column.uniqueName != column.name)
                text += comment + " In " + file.fileName + " the second " + column.name + " column is "
                    + column.uniqueName + ".\n";
    return text;
}

std::string rScript(const std::vector<CodebookFile>& files, const std::string& codebook)
{
    std::string s = header("#", files, codebook,
        { "Spatial codes are text, so that County \"03\" keeps its zero; each coded column is a",
            "factor labelled as in the codebook (a value without a label keeps its number as its",
            "level); each column's description is its \"label\" attribute. Only base R is needed.",
            "The data are read from this script's folder when it runs through Rscript or",
            "source(), otherwise from the working directory." });
    s += "\n.zendra91_folder <- function() {\n"
         "  for (frame in rev(sys.frames()))\n"
         "    if (!is.null(frame$ofile)) return(dirname(frame$ofile))\n"
         "  file <- sub(\"^--file=\", \"\", grep(\"^--file=\", commandArgs(trailingOnly = FALSE), value = TRUE))\n"
         "  if (length(file) == 1) dirname(file) else \".\"\n"
         "}\n"
         "# Every line ends with a comma: the empty field after it is dropped (\"NULL\").\n"
         ".zendra91_read <- function(file, names, classes) {\n"
         "  read.csv(file.path(.zendra91_folder(), file), header = FALSE, skip = 1,\n"
         "    col.names = c(names, \"trailing.comma\"), colClasses = c(classes, \"NULL\"),\n"
         "    check.names = FALSE, quote = \"\", comment.char = \"\", na.strings = character(0))\n"
         "}\n"
         ".zendra91_factor <- function(x, codes, labels) {\n"
         "  extra <- setdiff(sort(unique(x)), codes)\n"
         "  factor(x, levels = c(codes, extra), labels = c(labels, as.character(extra)))\n"
         "}\n";
    for (const CodebookFile& file : files) {
        const std::string frame = frameName(file.kind);
        std::string names;
        std::string classes;
        for (const OutputColumn& column : file.columns) {
            names += (names.empty() ? "" : ", ") + quoted(columnName(column));
            classes += std::string(classes.empty() ? "" : ", ")
                + (column.kind == ColumnKind::Spatial ? "\"character\"" : "\"integer\"");
        }
        s += "\n" + frame + " <- .zendra91_read(" + quoted(file.fileName) + ",\n  c(" + names + "),\n  c(" + classes
            + "))\n";
        for (const OutputColumn& column : file.columns) {
            const std::string ref = frame + "[[" + quoted(columnName(column)) + "]]";
            if (isCategorical(column)) {
                std::string values;
                std::string labels;
                for (const auto& [value, meaning] : distinctLevels(column)) {
                    values += (values.empty() ? "" : ", ") + std::to_string(value) + "L";
                    labels += (labels.empty() ? "" : ", ") + quoted(meaning);
                }
                s += ref + " <- .zendra91_factor(" + ref + ",\n  c(" + values + "),\n  c(" + labels + "))\n";
            }
            s += "attr(" + ref + ", \"label\") <- " + quoted(column.label) + "\n";
        }
    }
    s += "\nrm(.zendra91_folder, .zendra91_read, .zendra91_factor)\n";
    return s;
}

std::string pythonScript(const std::vector<CodebookFile>& files, const std::string& codebook)
{
    std::string s = header("#", files, codebook,
        { "Spatial codes are text, so that County \"03\" keeps its zero; each coded column is a",
            "categorical labelled as in the codebook (a value without a label keeps its number as",
            "its category); the descriptions are in each data frame's attrs[\"labels\"]. The data",
            "are read from this script's folder. Import it, or run it for a summary." });
    s += "\nimport csv\nfrom pathlib import Path\n\nimport pandas as pd\n\n"
         "_FOLDER = Path(__file__).resolve().parent\n\n\n"
         "def _read(file, text, numbers):\n"
         "    # Every line ends with a comma: the empty field after it is left out.\n"
         "    names = text + numbers\n"
         "    data = pd.read_csv(_FOLDER / file, header=0, names=names + [\"_trailing_comma\"], usecols=names,\n"
         "                       dtype={**{n: str for n in text}, **{n: \"Int64\" for n in numbers}},\n"
         "                       keep_default_na=False, na_values={n: [\"\"] for n in numbers},\n"
         "                       quoting=csv.QUOTE_NONE, encoding=\"utf-8\", encoding_errors=\"replace\")\n"
         "    return data[names]\n\n\n"
         "def _labelled(values, codes):\n"
         "    extra = sorted(set(values.dropna()) - set(codes))\n"
         "    mapping = {**codes, **{code: str(code) for code in extra}}\n"
         "    categories = list(dict.fromkeys(mapping.values()))\n"
         "    return pd.Series(pd.Categorical(values.map(mapping), categories=categories), index=values.index)\n";
    for (const CodebookFile& file : files) {
        const std::string frame = frameName(file.kind);
        std::string text;
        std::string numbers;
        for (const OutputColumn& column : file.columns) {
            std::string& list = column.kind == ColumnKind::Spatial ? text : numbers;
            list += (list.empty() ? "" : ", ") + quoted(columnName(column), true);
        }
        s += "\n\n" + frame + " = _read(" + quoted(file.fileName, true) + ",\n    [" + text + "],\n    [" + numbers
            + "])\n";
        for (const OutputColumn& column : file.columns) {
            if (!isCategorical(column))
                continue;
            const std::string ref = frame + "[" + quoted(columnName(column), true) + "]";
            std::string codes;
            for (const auto& [value, meaning] : distinctLevels(column))
                codes += (codes.empty() ? "" : ", ") + std::to_string(value) + ": " + quoted(meaning, true);
            s += ref + " = _labelled(" + ref + ", {" + codes + "})\n";
        }
        s += frame + ".attrs[\"labels\"] = {\n";
        for (const OutputColumn& column : file.columns)
            s += "    " + quoted(columnName(column), true) + ": " + quoted(column.label, true) + ",\n";
        s += "}\n";
    }
    s += "\nif __name__ == \"__main__\":\n";
    for (const CodebookFile& file : files)
        s += std::string("    print(\"") + frameName(file.kind) + ": {} rows, {} columns\".format(*" + frameName(file.kind)
            + ".shape))\n";
    return s;
}

std::string stataScript(const std::vector<CodebookFile>& files, const std::string& codebook, const std::string& root)
{
    std::string s = header("*", files, codebook,
        { "Spatial codes are read as text, so that County \"03\" keeps its zero; coded columns",
            "carry the codebook's value labels (ranges of values stay in the codebook). Run it from",
            "the data's folder: Stata reads the file from the working directory." });
    const bool choose = files.size() > 1;
    if (choose) {
        s += "* Two files: say which to load, \"do " + root + kLoadingScriptSuffixes[2] + " "
            + stataChoice(files[1].kind) + "\"; without an argument it loads " + files[0].fileName + ".\n";
        s += "\nargs file\nif `\"`file'\"' == \"\" local file " + std::string(stataChoice(files[0].kind)) + "\n";
        s += "if !inlist(`\"`file'\"'";
        for (const CodebookFile& file : files)
            s += std::string(", \"") + stataChoice(file.kind) + "\"";
        s += ") {\n    display as error `\"unknown file `file': expected";
        for (std::size_t i = 0; i < files.size(); ++i)
            s += std::string(i ? " or " : " ") + stataChoice(files[i].kind);
        s += "\"'\n    exit 198\n}\n";
    }
    for (const CodebookFile& file : files) {
        const std::string indent = choose ? "    " : "";
        const std::string data = unpackedName(file.fileName);
        s += "\n";
        if (choose)
            s += std::string("if `\"`file'\"' == \"") + stataChoice(file.kind) + "\" {\n";
        if (isGzip(file.fileName)) {
            s += indent + "capture confirm file \"" + data + "\"\n" + indent + "if _rc {\n" + indent
                + "    display as error \"Stata reads no compressed file: unpack " + file.fileName + " first (gzip -dk "
                + file.fileName + ")\"\n" + indent + "    exit 601\n" + indent + "}\n";
        }
        std::string strings;
        std::string from;
        std::string to;
        for (std::size_t i = 0; i < file.columns.size(); ++i) {
            if (file.columns[i].kind == ColumnKind::Spatial)
                strings += (strings.empty() ? "" : " ") + std::to_string(i + 1);
            from += (from.empty() ? "v" : " v") + std::to_string(i + 1);
            to += (to.empty() ? "" : " ") + columnName(file.columns[i]);
        }
        // Column by number and renamed afterwards: the header's trailing comma and the
        // combined file's two HNUMs would otherwise make names of their own.
        s += indent + "import delimited using \"" + data + "\", delimiters(\",\") varnames(nonames) rowrange(2) colrange(1:"
            + std::to_string(file.columns.size()) + ")"
            + (strings.empty() ? std::string() : " stringcols(" + strings + ")") + " clear\n";
        s += indent + "rename (" + from + ") (" + to + ")\n";
        for (const OutputColumn& column : file.columns)
            s += indent + "label variable " + columnName(column) + " "
                + stataQuoted(cut(column.label, kStataVariableLabelBytes)) + "\n";
        for (const OutputColumn& column : file.columns) {
            const Codes codes = singleCodes(column);
            if (column.kind == ColumnKind::Spatial || codes.empty())
                continue;
            s += indent + "label define " + columnName(column);
            for (const auto& [value, meaning] : codes)
                s += " " + std::to_string(value) + " " + stataQuoted(meaning);
            s += ", replace\n" + indent + "label values " + columnName(column) + " " + columnName(column) + "\n";
        }
        if (choose)
            s += "}\n";
    }
    return s;
}

std::string spssScript(const std::vector<CodebookFile>& files, const std::string& codebook)
{
    std::string s = header("*", files, codebook,
        { "Spatial codes are read as text, so that County \"03\" keeps its zero; coded columns",
            "carry the codebook's value labels (ranges of values stay in the codebook). The data",
            "are read from the working directory: run it from the data's folder." });
    for (const CodebookFile& file : files)
        if (isGzip(file.fileName))
            s += "* SPSS reads no compressed text: unpack " + file.fileName + " first (gzip -dk " + file.fileName
                + ").\n";
    for (const CodebookFile& file : files) {
        s += "\nGET DATA\n  /TYPE=TXT\n  /FILE=" + spssQuoted(unpackedName(file.fileName))
            + "\n  /ARRANGEMENT=DELIMITED\n  /DELCASE=LINE\n  /FIRSTCASE=2\n  /DELIMITERS=\",\"\n  /VARIABLES=";
        // The empty field after each line's trailing comma has no variable, so it is skipped.
        for (const OutputColumn& column : file.columns) {
            s += "\n    " + columnName(column) + " ";
            s += column.kind == ColumnKind::Spatial ? "A" + std::to_string(std::max(column.width, 1))
                                                    : "F" + std::to_string(std::max(column.width, 1) + 1) + ".0";
        }
        s += ".\nVARIABLE LABELS";
        for (std::size_t i = 0; i < file.columns.size(); ++i)
            s += std::string(i ? "\n  /" : " ") + columnName(file.columns[i]) + " "
                + spssQuoted(cut(file.columns[i].label, kSpssVariableLabelBytes));
        s += ".\n";
        std::string values;
        for (const OutputColumn& column : file.columns) {
            const Codes codes = singleCodes(column);
            if (column.kind == ColumnKind::Spatial || codes.empty())
                continue;
            values += (values.empty() ? "VALUE LABELS " : "\n  /") + columnName(column);
            for (const auto& [value, meaning] : codes)
                values += "\n    " + std::to_string(value) + " " + spssQuoted(cut(meaning, kSpssValueLabelBytes));
        }
        if (!values.empty())
            s += values + ".\n";
        // Reading a file replaces the active dataset, named or not: each but the last
        // is kept as a copy once read.
        if (&file != &files.back())
            s += std::string("EXECUTE.\nDATASET COPY ") + frameName(file.kind) + ".\n";
        else
            s += std::string("DATASET NAME ") + frameName(file.kind) + ".\nEXECUTE.\n";
    }
    return s;
}

} // namespace

std::vector<LoadingScript> loadingScripts(
    const std::string& rootFileName, const std::string& codebookFileName, const std::vector<CodebookFile>& files)
{
    const std::string& codebook = codebookFileName;
    return {
        { rootFileName + kLoadingScriptSuffixes[0], rScript(files, codebook) },
        { rootFileName + kLoadingScriptSuffixes[1], pythonScript(files, codebook) },
        { rootFileName + kLoadingScriptSuffixes[2], stataScript(files, codebook, rootFileName) },
        { rootFileName + kLoadingScriptSuffixes[3], spssScript(files, codebook) },
    };
}

#include "formats/CodebookWriter.h"

#include "textio/LineWriter.h"

namespace {

const char* kindText(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Spatial:
        return "spatial";
    case ColumnKind::Household:
        return "household";
    case ColumnKind::Person:
        return "person";
    }
    return "";
}

/// "1=123; 2=45": each value and its lines.
std::string frequenciesText(const std::vector<std::pair<std::int32_t, std::uint64_t>>& frequencies)
{
    std::string text;
    for (const auto& [code, count] : frequencies) {
        if (!text.empty())
            text += "; ";
        text += std::to_string(code) + '=' + std::to_string(count);
    }
    return text;
}

} // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

void writeCodebook(LineWriter& out, const std::vector<CodebookFile>& files, const std::string& selection)
{
    out.append("file,position,name,kind,width,label,codes,frequencies\r\n");
    for (const CodebookFile& file : files) {
        int position = 0;
        for (const OutputColumn& column : file.columns) {
            out.append(csvField(file.fileName) + ',' + std::to_string(++position) + ','
                + csvField(file.statisticsFormat ? column.uniqueName : column.name) + ',' + kindText(column.kind) + ','
                + std::to_string(column.width) + ',' + csvField(column.label) + ',' + csvField(codesText(column.codes))
                + ',' + frequenciesText(column.frequencies) + "\r\n");
        }
    }
    if (!selection.empty())
        for (const CodebookFile& file : files)
            out.append(csvField(file.fileName) + ",,case selection,selection,," + csvField(selection) + ",,\r\n");
}

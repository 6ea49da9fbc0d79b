#include "textio/DataFileError.h"

#include <cstring>

namespace {

constexpr std::size_t kShownFound = 40;
// A detail longer than this was built from data by mistake; no message box should
// grow past a few lines for it.
constexpr std::size_t kLongestDetail = 400;

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7f;
}

/// Control characters as \xNN, so that escape codes and bells from data files
/// never reach a terminal raw. Bytes of 128 and above stay (UTF-8 names).
std::string escaped(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if (isControl(u)) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

/// At most `limit` bytes of `text`, not ending inside a UTF-8 sequence.
std::string_view cut(std::string_view text, std::size_t limit, bool& wasCut)
{
    wasCut = text.size() > limit;
    if (!wasCut)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string bounded(std::string_view text, std::size_t limit)
{
    bool wasCut = false;
    std::string out = escaped(cut(text, limit, wasCut));
    return wasCut ? out + "..." : out;
}

std::string compose(const std::string& path, long line, int field, const std::string& detail)
{
    std::string text = escaped(path);
    if (line > 0)
        text += ':' + std::to_string(line);
    text += ": ";
    if (field > 0)
        text += "field " + std::to_string(field) + ": ";
    return text + bounded(detail, kLongestDetail);
}

} // namespace

DataFileError::DataFileError(std::string path, long line, int field, std::string detail)
    : std::runtime_error(compose(path, line, field, detail))
    , m_path(std::move(path))
    , m_line(line)
    , m_field(field)
    , m_detail(std::move(detail))
{
}

DataFileError::DataFileError(std::string message, std::string path, std::string detail)
    : std::runtime_error(std::move(message))
    , m_path(std::move(path))
    , m_detail(std::move(detail))
{
}

DataFileError DataFileError::io(const std::string& path, const std::string& action, int errnoValue)
{
    std::string reason = std::strerror(errnoValue);
    return DataFileError(action + " " + escaped(path) + ": " + reason, path, reason);
}

DataFileError DataFileError::io(
    const std::string& path, const std::string& action, int errnoValue, const std::string& outcome)
{
    std::string reason = std::strerror(errnoValue);
    return DataFileError(action + " " + escaped(path) + ": " + reason + "; " + escaped(outcome), path, reason);
}

std::string DataFileError::shown(std::string_view found)
{
    return "\"" + bounded(found, kShownFound) + "\"";
}

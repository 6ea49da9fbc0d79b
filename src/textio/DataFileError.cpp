#include "textio/DataFileError.h"

#include <cstring>

namespace {

std::string compose(const std::string& path, long line, int field, const std::string& detail)
{
    std::string text = path;
    if (line > 0)
        text += ':' + std::to_string(line);
    text += ": ";
    if (field > 0)
        text += "field " + std::to_string(field) + ": ";
    return text + detail;
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
    return DataFileError(action + " " + path + ": " + reason, path, reason);
}

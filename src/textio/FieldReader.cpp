#include "textio/FieldReader.h"

#include "textio/DataFileError.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

constexpr char kDosEndOfFile = '\x1a';

/// Cuts `content` at a DOS end-of-file mark (Ctrl-Z) that only blanks, line ends and
/// further marks follow: files saved by old editors end so, sometimes padded with
/// marks. A mark with data after it stays, so that the data is still refused.
void dropDosEndOfFile(std::string& content)
{
    auto trailing = [](char c) { return isBlank(c) || isLineEnd(c) || c == kDosEndOfFile; };
    std::size_t tail = content.size();
    while (tail > 0 && trailing(content[tail - 1]))
        --tail;
    std::size_t mark = content.find(kDosEndOfFile, tail);
    if (mark != std::string::npos)
        content.resize(mark);
}

std::string quoted(std::string_view text)
{
    return DataFileError::shown(text);
}

} // namespace

FieldReader FieldReader::open(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw DataFileError::io(path, "cannot open file", errno);
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int saved = errno;
            ::close(fd);
            throw DataFileError::io(path, "cannot read file", saved);
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return FieldReader(path, std::move(content));
}

FieldReader::FieldReader(std::string path, std::string content)
    : m_path(std::move(path))
    , m_content(std::move(content))
{
    dropDosEndOfFile(m_content);
}

void FieldReader::fail(const std::string& detail) const
{
    throw DataFileError(m_path, m_fieldLine, m_fieldIndex, detail);
}

void FieldReader::skipBlanks()
{
    while (m_pos < m_content.size() && isBlank(m_content[m_pos]))
        ++m_pos;
}

bool FieldReader::atLineEnd() const
{
    return m_pos < m_content.size() && isLineEnd(m_content[m_pos]);
}

void FieldReader::consumeLineEnd()
{
    if (m_content[m_pos] == '\r' && m_pos + 1 < m_content.size() && m_content[m_pos + 1] == '\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
    m_fieldOnLine = 0;
}

bool FieldReader::atEnd()
{
    for (;;) {
        skipBlanks();
        if (atLineEnd())
            consumeLineEnd();
        else
            return m_pos >= m_content.size();
    }
}

void FieldReader::beginField()
{
    // A field never starts on an empty line: blank lines between records are
    // layout, not empty fields.
    for (;;) {
        skipBlanks();
        if (!atLineEnd())
            break;
        consumeLineEnd();
    }
    if (m_pos >= m_content.size() && m_fieldLine > 0) {
        // A missing field is reported where it should have followed the last one.
        ++m_fieldIndex;
        return;
    }
    m_fieldLine = m_line;
    m_fieldIndex = ++m_fieldOnLine;
}

void FieldReader::endField(bool blankSeparates)
{
    skipBlanks();
    if (m_pos >= m_content.size())
        return;
    char c = m_content[m_pos];
    if (c == ',') {
        ++m_pos;
        return;
    }
    if (isLineEnd(c)) {
        consumeLineEnd();
        return;
    }
    if (!blankSeparates)
        fail("expected a comma or a line end, found " + quoted(peekFieldText()));
}

std::string_view FieldReader::peekFieldText() const
{
    std::size_t end = m_pos;
    while (end < m_content.size() && m_content[end] != ',' && !isLineEnd(m_content[end]))
        ++end;
    return std::string_view(m_content).substr(m_pos, end - m_pos);
}

FieldReader::Status FieldReader::parseText(std::string& value)
{
    beginField();
    m_fieldStart = m_pos;
    if (m_pos >= m_content.size())
        return Status::End;
    if (m_content[m_pos] == '"') {
        std::size_t close = m_content.find('"', m_pos + 1);
        if (close == std::string::npos)
            return Status::Unclosed;
        value.assign(m_content, m_pos + 1, close - m_pos - 1);
        for (std::size_t i = 0; i < value.size(); ++i)
            if (value[i] == '\n' || (value[i] == '\r' && (i + 1 == value.size() || value[i + 1] != '\n')))
                ++m_line;
        m_pos = close + 1;
        // Anything between the closing quote and the separator is ignored.
        while (m_pos < m_content.size() && m_content[m_pos] != ',' && !isLineEnd(m_content[m_pos]))
            ++m_pos;
    } else {
        std::string_view text = peekFieldText();
        m_pos += text.size();
        while (!text.empty() && isBlank(text.back()))
            text.remove_suffix(1);
        value.assign(text);
    }
    endField(false);
    return Status::Ok;
}

void FieldReader::failText(Status status, std::string_view what) const
{
    if (status == Status::Unclosed)
        fail("expected " + std::string(what) + ", found a double quote that is never closed");
    fail("expected " + std::string(what) + ", found the end of the file");
}

std::string FieldReader::readText(std::string_view what)
{
    return readTextDescribed([what] { return what; });
}

FieldReader::Status FieldReader::parseInteger(std::int64_t& value, std::int64_t min, std::int64_t max)
{
    beginField();
    m_fieldStart = m_pos;
    if (m_pos >= m_content.size())
        return Status::End;
    const char* first = m_content.data() + m_pos;
    const char* last = m_content.data() + m_content.size();
    const char* digits = first;
    if (*digits == '+' || *digits == '-')
        ++digits;
    if (digits == last || *digits < '0' || *digits > '9')
        return Status::NotNumber;
    auto [ptr, ec] = std::from_chars(*first == '+' ? first + 1 : first, last, value);
    if (ptr < last && *ptr != ',' && !isBlank(*ptr) && !isLineEnd(*ptr))
        return Status::NotNumber;
    m_numberEnd = static_cast<std::size_t>(ptr - m_content.data());
    if (ec == std::errc::result_out_of_range || value < min || value > max)
        return Status::OutOfRange;
    m_pos = m_numberEnd;
    endField(true);
    return Status::Ok;
}

void FieldReader::failInteger(Status status, std::string_view what, std::int64_t min, std::int64_t max) const
{
    std::string expected = "expected " + std::string(what);
    switch (status) {
    case Status::End:
        fail(expected + ", found the end of the file");
    case Status::OutOfRange:
        fail(expected + " within " + std::to_string(min) + ".." + std::to_string(max) + ", found "
            + quoted(std::string_view(m_content).substr(m_fieldStart, m_numberEnd - m_fieldStart)));
    case Status::NotNumber:
    case Status::Unclosed:
    case Status::Ok:
        break;
    }
    char c = m_content[m_fieldStart];
    fail(expected + ", found " + (c == ',' || isLineEnd(c) ? std::string("an empty field") : quoted(peekFieldText())));
}

void FieldReader::expectEnd(std::string_view what)
{
    if (atEnd())
        return;
    beginField();
    char c = m_content[m_pos];
    fail("expected the end of the file after " + std::string(what) + ", found "
        + (c == ',' || isLineEnd(c) ? std::string("an empty field") : quoted(peekFieldText())));
}

std::int64_t FieldReader::readInteger(std::string_view what, std::int64_t min, std::int64_t max)
{
    return readIntegerDescribed([what] { return what; }, min, max);
}

std::int16_t FieldReader::readInt16(std::string_view what)
{
    return static_cast<std::int16_t>(readInteger(what, INT16_MIN, INT16_MAX));
}

std::int32_t FieldReader::readInt32(std::string_view what)
{
    return static_cast<std::int32_t>(readInteger(what, INT32_MIN, INT32_MAX));
}

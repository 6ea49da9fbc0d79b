#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// Reads a data file as a stream of delimited fields: a field ends at a comma or
/// a line end (CR LF, lone LF or lone CR); blanks before a field are skipped, and
/// around numbers; a field that begins with a double quote runs to the next double
/// quote and may hold commas and line ends. Numbers may also be separated by
/// blanks alone. Line structure otherwise carries no meaning. A DOS end-of-file
/// mark (Ctrl-Z) ends the file when only blanks and line ends follow it.
///
/// Every failure throws DataFileError with the path, the line and the field's
/// position on that line, and says what was expected and what was found.
class FieldReader {
public:
    /// Reads the whole file into memory; throws DataFileError when it cannot.
    static FieldReader open(const std::string& path);

    FieldReader(std::string path, std::string content);

    /// Skips blanks, commas-free line ends and empty lines; true when no field is left.
    bool atEnd();

    /// The next text field, quotes removed, trailing blanks of an unquoted field
    /// dropped. `what` names the field in error messages ("the ward name of record 57").
    std::string readText(std::string_view what);

    /// As readText, with the description built only when the field is bad.
    template <typename Describe> std::string readTextDescribed(Describe&& describe)
    {
        std::string value;
        Status status = parseText(value);
        if (status != Status::Ok)
            failText(status, describe());
        return value;
    }

    /// The next field as a decimal integer within [min, max].
    std::int64_t readInteger(std::string_view what, std::int64_t min, std::int64_t max);
    std::int16_t readInt16(std::string_view what);
    std::int32_t readInt32(std::string_view what);

    /// As above, but `describe()` (returning the field's description) is called only
    /// when the field is bad, so hot loops build no text.
    template <typename Describe>
    std::int64_t readIntegerDescribed(Describe&& describe, std::int64_t min, std::int64_t max)
    {
        std::int64_t value = 0;
        Status status = parseInteger(value, min, max);
        if (status != Status::Ok)
            failInteger(status, describe(), min, max);
        return value;
    }

    /// Throws unless only blanks and line ends are left: a file with more data than
    /// its fixed size would otherwise shift every later record without a word. The
    /// message names the line of the first extra field; `what` says what came
    /// before it ("2514 person records").
    void expectEnd(std::string_view what);

    const std::string& path() const { return m_path; }
    /// Line and position (1-based) of the field read last.
    long line() const { return m_fieldLine; }
    int field() const { return m_fieldIndex; }

    /// Throws a DataFileError located at the field read last.
    [[noreturn]] void fail(const std::string& detail) const;

private:
    enum class Status { Ok, End, NotNumber, OutOfRange, Unclosed };
    Status parseText(std::string& value);
    [[noreturn]] void failText(Status status, std::string_view what) const;
    Status parseInteger(std::int64_t& value, std::int64_t min, std::int64_t max);
    [[noreturn]] void failInteger(Status status, std::string_view what, std::int64_t min, std::int64_t max) const;

    void skipBlanks();
    bool atLineEnd() const;
    void consumeLineEnd();
    void beginField();
    void endField(bool blankSeparates);
    std::string_view peekFieldText() const;

    std::string m_path;
    std::string m_content;
    std::size_t m_pos = 0;
    long m_line = 1;
    int m_fieldOnLine = 0; // fields begun on the current line
    long m_fieldLine = 0;
    int m_fieldIndex = 0;
    std::size_t m_fieldStart = 0; // where the field read last began, for messages
    std::size_t m_numberEnd = 0; // where the digits of an out-of-range number end
};

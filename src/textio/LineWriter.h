#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

/// Fast buffered output of comma-terminated fields: every field is followed by a
/// comma, lines end with CR LF, nothing is quoted. Writes go straight to a file
/// descriptor with plain write() calls through one fixed-size buffer, so memory
/// stays flat however much is written.
///
/// Every failed system call throws DataFileError naming the path and the system's
/// reason ("cannot write file /out/x.txt: No space left on device").
class LineWriter {
public:
    static constexpr std::size_t kDefaultBufferSize = 1 << 20;
    /// The longest decimal 64-bit integer, sign included.
    static constexpr std::size_t kMaxIntegerLength = 20;

    /// Creates (or empties) the file at `path` with mode 0666 less the umask.
    explicit LineWriter(const std::string& path, std::size_t bufferSize = kDefaultBufferSize);
    /// Writes to a descriptor the caller opened; the writer closes it. `path` names it
    /// in error messages.
    LineWriter(int fd, std::string path, std::size_t bufferSize = kDefaultBufferSize);
    /// Sends every full buffer to `write`, which writes all of it or throws; close()
    /// then flushes and calls `closing`, when given (a layer such as compression
    /// finishes its stream there). Lets a caller route the bytes through its own
    /// file layer.
    using WriteAll = std::function<void(const char* data, std::size_t size)>;
    LineWriter(WriteAll write, std::string path, std::size_t bufferSize = kDefaultBufferSize,
        std::function<void()> closing = {});
    /// Closes the descriptor without reporting errors; call close() to learn of them.
    ~LineWriter();

    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void field(std::string_view text)
    {
        append(text);
        put(',');
    }
    void field(std::int64_t value)
    {
        appendInteger(value);
        put(',');
    }
    void endLine() { append("\r\n"); }

    /// Bytes as they are, no comma added.
    void append(std::string_view bytes)
    {
        if (bytes.size() > m_capacity - m_used) {
            appendSlow(bytes);
            return;
        }
        std::char_traits<char>::copy(m_buffer.get() + m_used, bytes.data(), bytes.size());
        m_used += bytes.size();
    }
    void put(char c)
    {
        if (m_used == m_capacity)
            flush();
        m_buffer[m_used++] = c;
    }
    void appendInteger(std::int64_t value);

    /// Sends the buffer to the file.
    void flush();
    /// Flushes and closes; throws when either fails. Idempotent.
    void close();

    const std::string& path() const { return m_path; }
    std::uint64_t bytesWritten() const { return m_flushed + m_used; }

private:
    void appendSlow(std::string_view bytes);
    void writeAll(const char* data, std::size_t size);

    int m_fd = -1;
    WriteAll m_write;
    std::function<void()> m_closing;
    bool m_closed = false;
    std::string m_path;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_used = 0;
    std::uint64_t m_flushed = 0;
};

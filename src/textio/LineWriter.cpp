#include "textio/LineWriter.h"

#include "textio/DataFileError.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>
#include <fcntl.h>
#include <unistd.h>

LineWriter::LineWriter(const std::string& path, std::size_t bufferSize)
    : m_path(path)
    , m_buffer(new char[bufferSize])
    , m_capacity(bufferSize)
{
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throw DataFileError::io(path, "cannot create file", errno);
}

LineWriter::LineWriter(int fd, std::string path, std::size_t bufferSize)
    : m_fd(fd)
    , m_path(std::move(path))
    , m_buffer(new char[bufferSize])
    , m_capacity(bufferSize)
{
}

LineWriter::LineWriter(WriteAll write, std::string path, std::size_t bufferSize, std::function<void()> closing)
    : m_write(std::move(write))
    , m_closing(std::move(closing))
    , m_path(std::move(path))
    , m_buffer(new char[bufferSize])
    , m_capacity(bufferSize)
{
}

LineWriter::~LineWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void LineWriter::appendInteger(std::int64_t value)
{
    char digits[kMaxIntegerLength];
    append(std::string_view(
        digits, static_cast<std::size_t>(std::to_chars(digits, std::end(digits), value).ptr - digits)));
}

void LineWriter::appendSlow(std::string_view bytes)
{
    flush();
    if (bytes.size() >= m_capacity) {
        writeAll(bytes.data(), bytes.size());
        m_flushed += bytes.size();
        return;
    }
    std::memcpy(m_buffer.get(), bytes.data(), bytes.size());
    m_used = bytes.size();
}

void LineWriter::writeAll(const char* data, std::size_t size)
{
    if (m_closed || (m_fd < 0 && !m_write))
        throw DataFileError(m_path, 0, 0, "write after the file was closed");
    if (m_write) {
        m_write(data, size);
        return;
    }
    while (size > 0) {
        ssize_t n = ::write(m_fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw DataFileError::io(m_path, "cannot write file", errno);
        }
        if (n == 0)
            throw DataFileError::io(m_path, "cannot write file", ENOSPC);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void LineWriter::flush()
{
    if (m_used == 0)
        return;
    writeAll(m_buffer.get(), m_used);
    m_flushed += m_used;
    m_used = 0;
}

void LineWriter::close()
{
    if (m_closed)
        return;
    flush();
    m_closed = true;
    if (m_closing)
        m_closing();
    if (m_fd < 0)
        return;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        throw DataFileError::io(m_path, "cannot write file", errno);
}

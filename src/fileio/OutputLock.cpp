#include "fileio/OutputLock.h"

#include "textio/DataFileError.h"

#include <cerrno>
#include <sys/file.h>

namespace {

int openLocked(const std::string& folder, FileSystem& fs, bool& busy)
{
    int fd = fs.openFolder(folder);
    if (fd < 0)
        throw DataFileError::io(folder, "cannot open folder", errno);
    if (fs.lock(fd, LOCK_EX | LOCK_NB) == 0) {
        busy = false;
        return fd;
    }
    int error = errno;
    fs.close(fd);
    if (error != EWOULDBLOCK)
        throw DataFileError::io(folder, "cannot lock folder", error);
    busy = true;
    return -1;
}

} // namespace

OutputLock::OutputLock(FileSystem& fs, int fd)
    : m_fs(&fs)
    , m_fd(fd)
{
}

OutputLock::OutputLock(OutputLock&& other) noexcept
    : m_fs(other.m_fs)
    , m_fd(other.m_fd)
{
    other.m_fd = -1;
}

OutputLock& OutputLock::operator=(OutputLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            m_fs->close(m_fd);
        m_fs = other.m_fs;
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

OutputLock::~OutputLock()
{
    if (m_fd >= 0)
        m_fs->close(m_fd); // closing the only descriptor releases the flock
}

std::optional<OutputLock> OutputLock::tryAcquire(const std::string& folder, const std::string&, FileSystem& fs)
{
    bool busy = false;
    int fd = openLocked(folder, fs, busy);
    if (busy)
        return std::nullopt;
    return OutputLock(fs, fd);
}

std::string OutputLock::busyMessage(const std::string& folder, const std::string& rootName)
{
    return "Another extraction is writing into " + folder + " (root name " + rootName
        + "): wait until it has finished, or choose another output folder.";
}

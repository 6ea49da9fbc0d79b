#include "fileio/PosixFileSystem.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

template <typename Call> auto retried(Call call)
{
    for (;;) {
        auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

} // namespace

FileSystem& systemFileSystem()
{
    static PosixFileSystem instance;
    return instance;
}

int PosixFileSystem::openFolder(const std::string& path)
{
    return retried([&] { return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
}

int PosixFileSystem::openUnnamed(int folderFd)
{
    return retried([&] { return ::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666); });
}

int PosixFileSystem::openNew(int folderFd, const std::string& name)
{
    return retried(
        [&] { return ::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666); });
}

long PosixFileSystem::write(int fd, const char* data, std::size_t size)
{
    return retried([&] { return ::write(fd, data, size); });
}

int PosixFileSystem::syncData(int fd)
{
    return retried([&] { return ::fdatasync(fd); });
}

int PosixFileSystem::syncFolder(int folderFd)
{
    return retried([&] { return ::fsync(folderFd); });
}

int PosixFileSystem::linkUnnamed(int fd, int folderFd, const std::string& name)
{
    // AT_EMPTY_PATH would need CAP_DAC_READ_SEARCH; the /proc link does not.
    std::string source = "/proc/self/fd/" + std::to_string(fd);
    return retried([&] { return ::linkat(AT_FDCWD, source.c_str(), folderFd, name.c_str(), AT_SYMLINK_FOLLOW); });
}

int PosixFileSystem::link(int folderFd, const std::string& from, const std::string& to)
{
    return retried([&] { return ::linkat(folderFd, from.c_str(), folderFd, to.c_str(), 0); });
}

int PosixFileSystem::rename(int folderFd, const std::string& from, const std::string& to)
{
    return retried([&] { return ::renameat(folderFd, from.c_str(), folderFd, to.c_str()); });
}

int PosixFileSystem::unlink(int folderFd, const std::string& name)
{
    return retried([&] { return ::unlinkat(folderFd, name.c_str(), 0); });
}

int PosixFileSystem::close(int fd)
{
    // Linux releases the descriptor even when close reports EINTR: never retry.
    return ::close(fd);
}

int PosixFileSystem::statAt(int folderFd, const std::string& name, struct stat& result)
{
    return retried([&] { return ::fstatat(folderFd, name.c_str(), &result, AT_SYMLINK_NOFOLLOW); });
}

int PosixFileSystem::listFolder(int folderFd, std::vector<std::string>& names)
{
    int fd = retried([&] { return ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0)
        return -1;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    names.clear();
    errno = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    int saved = errno;
    ::closedir(dir);
    errno = saved;
    return saved == 0 ? 0 : -1;
}

int PosixFileSystem::lock(int fd, int operation)
{
    return ::flock(fd, operation);
}

int PosixFileSystem::space(const std::string& path, struct statvfs& result)
{
    return retried([&] { return ::statvfs(path.c_str(), &result); });
}

bool PosixFileSystem::processExists(long pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

#include "FaultyFileSystem.h"

#include <cerrno>
#include <unistd.h>

bool FaultyFileSystem::fails(const char* kind)
{
    if (!failOnly.empty() && failOnly != kind)
        return false;
    const bool failing = failOnly.empty() ? ++calls == failAt : failAt > 0 && ++calls >= failAt;
    if (!failing)
        return false;
    failedCall = kind;
    errno = error;
    return true;
}

// Each of these fails when its turn comes and otherwise does what the kernel does.
#define FAULTY(Type, name, params, args)                                                                               \
    Type FaultyFileSystem::name params                                                                                 \
    {                                                                                                                  \
        return fails(#name) ? -1 : PosixFileSystem::name args;                                                         \
    }

FAULTY(int, openFolder, (const std::string& path), (path))
FAULTY(int, openNew, (int folderFd, const std::string& name), (folderFd, name))
FAULTY(long, write, (int fd, const char* data, std::size_t size), (fd, data, size))
FAULTY(int, syncData, (int fd), (fd))
FAULTY(int, syncFolder, (int folderFd), (folderFd))
FAULTY(int, linkUnnamed, (int fd, int folderFd, const std::string& name), (fd, folderFd, name))
FAULTY(int, link, (int folderFd, const std::string& from, const std::string& to), (folderFd, from, to))
FAULTY(int, rename, (int folderFd, const std::string& from, const std::string& to), (folderFd, from, to))
FAULTY(int, unlink, (int folderFd, const std::string& name), (folderFd, name))
FAULTY(int, statAt, (int folderFd, const std::string& name, struct stat& result), (folderFd, name, result))
FAULTY(int, listFolder, (int folderFd, std::vector<std::string>& names), (folderFd, names))

#undef FAULTY

int FaultyFileSystem::openUnnamed(int folderFd)
{
    if (fails("openUnnamed"))
        return -1;
    if (noUnnamed) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return PosixFileSystem::openUnnamed(folderFd);
}

int FaultyFileSystem::close(int fd)
{
    if (fails("close")) {
        ::close(fd); // as Linux does: the descriptor is gone whatever close says
        return -1;
    }
    return PosixFileSystem::close(fd);
}

int FaultyFileSystem::space(const std::string& path, struct statvfs& result)
{
    if (fails("space"))
        return -1;
    if (fakeSpace) {
        result = *fakeSpace;
        return 0;
    }
    return PosixFileSystem::space(path, result);
}

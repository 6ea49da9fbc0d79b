#include "FaultyFileSystem.h"

#include <cerrno>
#include <unistd.h>

bool FaultyFileSystem::fails(const char* kind)
{
    if (++calls != failAt)
        return false;
    failedCall = kind;
    errno = error;
    return true;
}

int FaultyFileSystem::openFolder(const std::string& path)
{
    return fails("openFolder") ? -1 : PosixFileSystem::openFolder(path);
}

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

int FaultyFileSystem::openNew(int folderFd, const std::string& name)
{
    return fails("openNew") ? -1 : PosixFileSystem::openNew(folderFd, name);
}

long FaultyFileSystem::write(int fd, const char* data, std::size_t size)
{
    return fails("write") ? -1 : PosixFileSystem::write(fd, data, size);
}

int FaultyFileSystem::syncData(int fd)
{
    return fails("syncData") ? -1 : PosixFileSystem::syncData(fd);
}

int FaultyFileSystem::syncFolder(int folderFd)
{
    return fails("syncFolder") ? -1 : PosixFileSystem::syncFolder(folderFd);
}

int FaultyFileSystem::linkUnnamed(int fd, int folderFd, const std::string& name)
{
    return fails("linkUnnamed") ? -1 : PosixFileSystem::linkUnnamed(fd, folderFd, name);
}

int FaultyFileSystem::link(int folderFd, const std::string& from, const std::string& to)
{
    return fails("link") ? -1 : PosixFileSystem::link(folderFd, from, to);
}

int FaultyFileSystem::rename(int folderFd, const std::string& from, const std::string& to)
{
    return fails("rename") ? -1 : PosixFileSystem::rename(folderFd, from, to);
}

int FaultyFileSystem::unlink(int folderFd, const std::string& name)
{
    return fails("unlink") ? -1 : PosixFileSystem::unlink(folderFd, name);
}

int FaultyFileSystem::close(int fd)
{
    if (fails("close")) {
        ::close(fd); // as Linux does: the descriptor is gone whatever close says
        return -1;
    }
    return PosixFileSystem::close(fd);
}

int FaultyFileSystem::statAt(int folderFd, const std::string& name, struct stat& result)
{
    return fails("statAt") ? -1 : PosixFileSystem::statAt(folderFd, name, result);
}

int FaultyFileSystem::listFolder(int folderFd, std::vector<std::string>& names)
{
    return fails("listFolder") ? -1 : PosixFileSystem::listFolder(folderFd, names);
}

int FaultyFileSystem::lock(int fd, int operation)
{
    return fails("lock") ? -1 : PosixFileSystem::lock(fd, operation);
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

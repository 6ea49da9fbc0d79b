#pragma once

#include "fileio/PosixFileSystem.h"

#include <cerrno>
#include <optional>
#include <string>
#include <sys/statvfs.h>
#include <unistd.h>

// Each of these fails when its turn comes and otherwise does what the kernel does.
#define ZENDRA91_FAULTY(Type, name, params, args)                                                                      \
    Type name params override                                                                                          \
    {                                                                                                                  \
        return fails(#name) ? -1 : PosixFileSystem::name args;                                                         \
    }

/// The kernel's file system with one call made to fail: the failAt-th call (of
/// any kind, counted from 1) returns -1 with `error`. Counts every call, so a
/// clean run tells how many points of failure a sequence has. Output sets never
/// lock, so lock stays the kernel's.
class FaultyFileSystem : public PosixFileSystem {
public:
    long calls = 0;
    long failAt = 0; ///< 0: never
    int error = 5; ///< EIO
    std::string failedCall; ///< which kind of call was failed, for messages
    /// With it, only calls of this kind count, and the failAt-th and every later one fail.
    std::string failOnly;
    bool noUnnamed = false; ///< behave like a file system without O_TMPFILE
    std::optional<struct statvfs> fakeSpace;

    ZENDRA91_FAULTY(int, openFolder, (const std::string& path), (path))
    ZENDRA91_FAULTY(int, openNew, (int folderFd, const std::string& name), (folderFd, name))
    ZENDRA91_FAULTY(long, write, (int fd, const char* data, std::size_t size), (fd, data, size))
    ZENDRA91_FAULTY(int, syncData, (int fd), (fd))
    ZENDRA91_FAULTY(int, syncFolder, (int folderFd), (folderFd))
    ZENDRA91_FAULTY(int, linkUnnamed, (int fd, int folderFd, const std::string& name), (fd, folderFd, name))
    ZENDRA91_FAULTY(int, link, (int folderFd, const std::string& from, const std::string& to), (folderFd, from, to))
    ZENDRA91_FAULTY(int, rename, (int folderFd, const std::string& from, const std::string& to), (folderFd, from, to))
    ZENDRA91_FAULTY(int, unlink, (int folderFd, const std::string& name), (folderFd, name))
    ZENDRA91_FAULTY(int, statAt, (int folderFd, const std::string& name, struct stat& result), (folderFd, name, result))
    ZENDRA91_FAULTY(int, listFolder, (int folderFd, std::vector<std::string>& names), (folderFd, names))

    int openUnnamed(int folderFd) override
    {
        if (fails("openUnnamed"))
            return -1;
        if (noUnnamed) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return PosixFileSystem::openUnnamed(folderFd);
    }

    int close(int fd) override
    {
        if (fails("close")) {
            ::close(fd); // as Linux does: the descriptor is gone whatever close says
            return -1;
        }
        return PosixFileSystem::close(fd);
    }

    int space(const std::string& path, struct statvfs& result) override
    {
        if (fails("space"))
            return -1;
        if (fakeSpace) {
            result = *fakeSpace;
            return 0;
        }
        return PosixFileSystem::space(path, result);
    }

private:
    bool fails(const char* kind)
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
};

#undef ZENDRA91_FAULTY

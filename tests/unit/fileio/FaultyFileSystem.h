#pragma once

#include "fileio/PosixFileSystem.h"

#include <optional>
#include <sys/statvfs.h>

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

    int openFolder(const std::string& path) override;
    int openUnnamed(int folderFd) override;
    int openNew(int folderFd, const std::string& name) override;
    long write(int fd, const char* data, std::size_t size) override;
    int syncData(int fd) override;
    int syncFolder(int folderFd) override;
    int linkUnnamed(int fd, int folderFd, const std::string& name) override;
    int link(int folderFd, const std::string& from, const std::string& to) override;
    int rename(int folderFd, const std::string& from, const std::string& to) override;
    int unlink(int folderFd, const std::string& name) override;
    int close(int fd) override;
    int statAt(int folderFd, const std::string& name, struct stat& result) override;
    int listFolder(int folderFd, std::vector<std::string>& names) override;
    int space(const std::string& path, struct statvfs& result) override;

private:
    bool fails(const char* kind);
};

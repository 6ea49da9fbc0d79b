#pragma once

#include "fileio/FileSystem.h"

/// FileSystem over the kernel's calls. Retries calls interrupted by a signal, so
/// that callers see EINTR only where waiting is meant to be interruptible (lock).
class PosixFileSystem : public FileSystem {
public:
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
    int lock(int fd, int operation) override;
    int space(const std::string& path, struct statvfs& result) override;
    bool processExists(long pid) override;
};

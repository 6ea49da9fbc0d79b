#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct stat;
struct statvfs;

/// The file-system calls the output layer makes, as one seam: the system's
/// version calls the kernel, a test's version fails any chosen call. Every call
/// returns what its system call returns (-1 with errno set on failure), so the
/// code above reads like plain POSIX and a fault looks exactly like a real one.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    /// open(path, O_RDONLY | O_DIRECTORY).
    virtual int openFolder(const std::string& path) = 0;
    /// open(folder, O_TMPFILE | O_WRONLY, 0666): a file without a name.
    virtual int openUnnamed(int folderFd) = 0;
    /// openat(folderFd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666).
    virtual int openNew(int folderFd, const std::string& name) = 0;
    virtual long write(int fd, const char* data, std::size_t size) = 0;
    /// fdatasync: a file's bytes and size.
    virtual int syncData(int fd) = 0;
    /// fsync: used on folders, so that renames and links survive a power cut.
    virtual int syncFolder(int folderFd) = 0;
    /// Gives an unnamed file a name in folderFd (linkat through /proc/self/fd).
    virtual int linkUnnamed(int fd, int folderFd, const std::string& name) = 0;
    /// linkat without following a symbolic link at `from`.
    virtual int link(int folderFd, const std::string& from, const std::string& to) = 0;
    /// renameat within one folder; replaces `to` itself, never what a link at it points to.
    virtual int rename(int folderFd, const std::string& from, const std::string& to) = 0;
    virtual int unlink(int folderFd, const std::string& name) = 0;
    virtual int close(int fd) = 0;
    /// fstatat without following a symbolic link.
    virtual int statAt(int folderFd, const std::string& name, struct stat& result) = 0;
    /// The names in a folder, "." and ".." left out.
    virtual int listFolder(int folderFd, std::vector<std::string>& names) = 0;
    /// flock(fd, operation).
    virtual int lock(int fd, int operation) = 0;
    virtual int space(const std::string& path, struct statvfs& result) = 0;
    /// Whether a process with this id exists (kill(pid, 0) succeeds or says EPERM).
    virtual bool processExists(long pid) = 0;
};

/// The kernel's file system; one instance for the process.
FileSystem& systemFileSystem();

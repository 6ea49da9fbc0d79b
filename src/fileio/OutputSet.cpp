#include "fileio/OutputSet.h"

#include "fileio/CancelledError.h"
#include "fileio/GzipStream.h"
#include "textio/DataFileError.h"

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kPrefix = ".zendra91-";
constexpr const char* kTempSuffix = ".tmp";
constexpr const char* kBackupSuffix = ".old";
// Bytes per write call: small enough that a cancellation is seen within a second
// even on a slow disk, large enough to cost nothing.
constexpr std::size_t kWriteChunk = 1 << 20;

std::atomic<unsigned long> g_sequence { 0 };

bool allDigits(const std::string& text, std::size_t from, std::size_t to)
{
    if (from >= to)
        return false;
    for (std::size_t i = from; i < to; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

} // namespace

struct OutputSet::Entry {
    std::string name; // final name in the folder
    int fd = -1;
    std::string tempName; // set while a named temporary exists
    std::string backupName; // set while the earlier file is kept under it
    bool renamed = false; // the final name holds the new file
    std::uint64_t stored = 0; // bytes written to the file
    std::unique_ptr<GzipStream> gzip; // set for a compressed file
    std::unique_ptr<LineWriter> writer; // last: its buffer goes before the stream it feeds
};

OutputSet::OutputSet(std::string folder, FileSystem& fs, const std::atomic<bool>* cancel)
    : m_folder(std::move(folder))
    , m_fs(fs)
    , m_cancel(cancel)
{
    if (m_folder.empty() || m_folder.back() != '/')
        m_folder += '/';
    m_folderFd = m_fs.openFolder(m_folder);
    if (m_folderFd < 0)
        throw DataFileError::io(m_folder, "cannot open folder", errno);
    struct stat folderStat { };
    if (m_fs.statAt(m_folderFd, ".", folderStat) != 0) {
        int error = errno;
        m_fs.close(m_folderFd);
        throw DataFileError::io(m_folder, "cannot open folder", error);
    }
    m_folderSticky = (folderStat.st_mode & S_ISVTX) != 0;
    m_folderOwner = folderStat.st_uid;
    removeStaleTemporaries(m_fs, m_folderFd);
}

OutputSet::~OutputSet()
{
    discard();
    if (m_folderFd >= 0)
        m_fs.close(m_folderFd);
}

bool OutputSet::isTemporaryName(const std::string& name, long& pid)
{
    const std::size_t prefix = std::strlen(kPrefix);
    const std::size_t suffix = 4;
    if (name.size() <= prefix + suffix || name.compare(0, prefix, kPrefix) != 0)
        return false;
    std::string tail = name.substr(name.size() - suffix);
    if (tail != kTempSuffix && tail != kBackupSuffix)
        return false;
    std::size_t dash = name.find('-', prefix);
    if (dash == std::string::npos || !allDigits(name, prefix, dash) || !allDigits(name, dash + 1, name.size() - suffix)
        || dash - prefix > 9)
        return false;
    pid = std::stol(name.substr(prefix, dash - prefix));
    return true;
}

int OutputSet::removeStaleTemporaries(FileSystem& fs, int folderFd)
{
    std::vector<std::string> names;
    if (fs.listFolder(folderFd, names) != 0)
        return 0; // a folder we cannot list is not ours to tidy
    int removed = 0;
    for (const std::string& name : names) {
        long pid = 0;
        struct stat st { };
        if (!isTemporaryName(name, pid) || pid == ::getpid() || fs.processExists(pid))
            continue;
        if (fs.statAt(folderFd, name, st) == 0 && S_ISREG(st.st_mode) && fs.unlink(folderFd, name) == 0)
            ++removed;
    }
    return removed;
}

std::string OutputSet::nextName(const char* suffix)
{
    return kPrefix + std::to_string(::getpid()) + "-" + std::to_string(g_sequence.fetch_add(1)) + suffix;
}

void OutputSet::throwIfCancelled() const
{
    if (m_cancel && m_cancel->load(std::memory_order_relaxed))
        throw CancelledError();
}

LineWriter& OutputSet::add(const std::string& name, std::size_t bufferSize, Sha256* digest)
{
    Entry& entry = open(name);
    entry.writer = std::make_unique<LineWriter>(
        [this, &entry, digest](const char* data, std::size_t size) {
            if (digest)
                digest->update(std::string_view(data, size));
            writeAll(entry, data, size);
        },
        m_folder + name, bufferSize);
    return *entry.writer;
}

LineWriter& OutputSet::addGzip(const std::string& name, Sha256* digest)
{
    Entry& entry = open(name);
    entry.gzip = std::make_unique<GzipStream>([this, &entry, digest](const char* data, std::size_t size) {
        if (digest)
            digest->update(std::string_view(data, size));
        writeAll(entry, data, size);
    });
    GzipStream& gzip = *entry.gzip;
    entry.writer = std::make_unique<LineWriter>(
        [&gzip](const char* data, std::size_t size) { gzip.write(data, size); }, m_folder + name,
        GzipStream::kBlockSize, [&gzip] { gzip.finish(); });
    return *entry.writer;
}

std::uint64_t OutputSet::storedBytes(const LineWriter& writer) const
{
    for (const auto& e : m_entries)
        if (e->writer.get() == &writer)
            return e->stored;
    return 0;
}

OutputSet::Entry& OutputSet::open(const std::string& name)
{
    const std::string path = m_folder + name;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        throw DataFileError(path, 0, 0, "expected a plain file name");
    throwIfCancelled();

    struct stat existing { };
    if (m_fs.statAt(m_folderFd, name, existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            throw DataFileError(path, 0, 0, "cannot be replaced: a folder has that name");
        // In a sticky folder (such as /tmp) only the owners may replace a file.
        if (m_folderSticky && existing.st_uid != ::geteuid() && m_folderOwner != ::geteuid())
            throw DataFileError::io(path, "cannot replace file", EPERM);
    } else if (errno != ENOENT) {
        throw DataFileError::io(path, "cannot check file", errno);
    }

    auto entry = std::make_unique<Entry>();
    entry->name = name;
    entry->fd = m_fs.openUnnamed(m_folderFd);
    if (entry->fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // No unnamed files on this file system: a named temporary, removed on every
        // exit path and, after a kill, by the next run into this folder.
        do {
            entry->tempName = nextName(kTempSuffix);
            entry->fd = m_fs.openNew(m_folderFd, entry->tempName);
        } while (entry->fd < 0 && errno == EEXIST);
        if (entry->fd < 0)
            entry->tempName.clear();
    }
    if (entry->fd < 0)
        throw DataFileError::io(path, "cannot create file", errno);

    m_entries.push_back(std::move(entry));
    m_finalPaths.push_back(path);
    return *m_entries.back();
}

void OutputSet::writeAll(Entry& entry, const char* data, std::size_t size)
{
    while (size > 0) {
        throwIfCancelled();
        long n = m_fs.write(entry.fd, data, std::min(size, kWriteChunk));
        if (n <= 0)
            throw DataFileError::io(m_folder + entry.name, "cannot write file", n < 0 ? errno : ENOSPC);
        data += n;
        size -= static_cast<std::size_t>(n);
        entry.stored += static_cast<std::uint64_t>(n);
    }
}

void OutputSet::fail(const std::string& path, const std::string& action, int error, const std::string& outcome)
{
    DataFileError e = DataFileError::io(path, action, error, outcome);
    discard();
    throw e;
}

namespace {
constexpr const char* kUnchanged = "no output file was changed";
}

void OutputSet::commit()
{
    throwIfCancelled();
    for (auto& e : m_entries)
        e->writer->close();
    nameTheNewFiles();
    keepTheEarlierFiles();
    for (auto& e : m_entries) {
        if (m_fs.rename(m_folderFd, e->tempName, e->name) != 0) {
            int error = errno;
            fail(m_folder + e->name, "cannot replace file", error, rollBack());
        }
        e->tempName.clear();
        e->renamed = true;
    }
    if (m_fs.syncFolder(m_folderFd) != 0) {
        int error = errno;
        fail(m_folder, "cannot sync folder", error, rollBack());
    }
    m_committed = true;
    for (auto& e : m_entries) {
        // A backup that cannot be removed now goes with the next run's sweep.
        if (!e->backupName.empty())
            m_fs.unlink(m_folderFd, e->backupName);
        e->backupName.clear();
    }
}

// Each new file synced and given its temporary name, then its descriptor closed.
void OutputSet::nameTheNewFiles()
{
    for (auto& e : m_entries)
        if (m_fs.syncData(e->fd) != 0)
            fail(m_folder + e->name, "cannot write file", errno, kUnchanged);
    for (auto& e : m_entries) {
        while (e->tempName.empty()) {
            std::string name = nextName(kTempSuffix);
            if (m_fs.linkUnnamed(e->fd, m_folderFd, name) == 0)
                e->tempName = name;
            else if (errno != EEXIST)
                fail(m_folder + e->name, "cannot create file", errno, kUnchanged);
        }
    }
    for (auto& e : m_entries) {
        int fd = e->fd;
        e->fd = -1;
        if (m_fs.close(fd) != 0)
            fail(m_folder + e->name, "cannot write file", errno, kUnchanged);
    }
}

// Keeps each earlier file under a second name until every new one is in place.
void OutputSet::keepTheEarlierFiles()
{
    for (auto& e : m_entries) {
        struct stat st { };
        if (m_fs.statAt(m_folderFd, e->name, st) != 0) {
            if (errno == ENOENT)
                continue;
            fail(m_folder + e->name, "cannot check file", errno, kUnchanged);
        }
        for (;;) {
            std::string name = nextName(kBackupSuffix);
            if (m_fs.link(m_folderFd, e->name, name) == 0) {
                e->backupName = name;
                break;
            }
            if (errno != EEXIST)
                fail(m_folder + e->name, "cannot keep the earlier file", errno, kUnchanged);
        }
    }
}

// Puts the earlier files back; returns what could not be, for the message.
std::string OutputSet::rollBack()
{
    std::string problems;
    for (auto& e : m_entries) {
        if (!e->renamed)
            continue;
        int result = e->backupName.empty() ? m_fs.unlink(m_folderFd, e->name)
                                           : m_fs.rename(m_folderFd, e->backupName, e->name);
        if (result == 0) {
            e->renamed = false;
            e->backupName.clear();
            continue;
        }
        problems += "; " + m_folder + e->name + " is the new file, as it could not be ";
        problems += e->backupName.empty() ? "removed" : "put back";
        problems += std::string(" (") + std::strerror(errno) + ")";
        if (!e->backupName.empty()) {
            problems += ": the earlier file is " + m_folder + e->backupName;
            e->backupName.clear(); // the only copy now: never removed
        }
    }
    m_fs.syncFolder(m_folderFd);
    return problems.empty() ? kUnchanged : problems.substr(2);
}

void OutputSet::discard()
{
    for (auto& e : m_entries) {
        e->writer.reset();
        e->gzip.reset();
        if (e->fd >= 0)
            m_fs.close(e->fd);
        e->fd = -1;
        if (!e->tempName.empty())
            m_fs.unlink(m_folderFd, e->tempName);
        e->tempName.clear();
        if (!e->backupName.empty() && !e->renamed)
            m_fs.unlink(m_folderFd, e->backupName);
        e->backupName.clear();
    }
}

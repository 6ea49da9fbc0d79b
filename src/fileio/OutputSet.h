#pragma once

#include "fileio/FileSystem.h"
#include "textio/LineWriter.h"
#include "textio/Sha256.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

/// Files written into one folder that replace their earlier versions all together
/// or not at all. Each is written without a name (O_TMPFILE), or, where the file
/// system lacks that, under a temporary name of the form ".zendra91-<pid>-<n>.tmp"
/// that every exit path removes. commit() syncs the files, replaces the final names
/// (keeping the earlier files linked as ".zendra91-<pid>-<n>.old" until every rename
/// has succeeded, so that a failed step can put them back) and syncs the folder.
/// Without a commit, destruction leaves the folder as it was.
///
/// A symbolic link at a final name is replaced, never followed. Temporaries of this
/// naming pattern whose process is gone are removed when a set opens their folder.
/// Failures throw DataFileError naming the path and the system's reason; a
/// cancellation throws CancelledError. The caller should hold an OutputLock.
class OutputSet {
public:
    /// Opens `folder` and removes stale temporaries there. `cancel`, when given, is
    /// read before every block written and at commit.
    explicit OutputSet(
        std::string folder, FileSystem& fs = systemFileSystem(), const std::atomic<bool>* cancel = nullptr);
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    /// Checks that `name` (a plain file name) can be replaced (not a folder, not
    /// another user's file in a sticky folder) and starts its file. The writer
    /// stays owned here. `digest`, when given, is fed every byte as it is written.
    LineWriter& add(
        const std::string& name, std::size_t bufferSize = LineWriter::kDefaultBufferSize, Sha256* digest = nullptr);

    /// As add(), but the bytes written are stored gzip-compressed (see GzipStream):
    /// the writer's close() finishes the stream, and `digest` sees the compressed bytes.
    LineWriter& addGzip(const std::string& name, Sha256* digest = nullptr);

    /// The bytes stored so far in the file `writer` writes (compressed ones for a
    /// gzip file): its size once the writer is closed.
    std::uint64_t storedBytes(const LineWriter& writer) const;

    /// Makes every added file take its final name, or none; see the class comment.
    void commit();

    /// Throws CancelledError when cancellation was asked for.
    void throwIfCancelled() const;

    /// Final paths, in the order added.
    const std::vector<std::string>& finalPaths() const { return m_finalPaths; }
    const std::string& folder() const { return m_folder; }

    /// Removes files of this program's temporary naming pattern whose process no
    /// longer exists; returns how many went. Nothing else is ever touched.
    static int removeStaleTemporaries(FileSystem& fs, int folderFd);
    /// Whether `name` follows the temporary naming pattern; sets `pid` when it does.
    static bool isTemporaryName(const std::string& name, long& pid);

private:
    struct Entry;
    Entry& open(const std::string& name);
    std::string nextName(const char* suffix);
    void writeAll(Entry& entry, const char* data, std::size_t size);
    void discard();
    void nameTheNewFiles();
    void keepTheEarlierFiles();
    std::string rollBack();
    [[noreturn]] void fail(const std::string& path, const std::string& action, int error, const std::string& outcome);

    std::string m_folder; // ends in "/"
    FileSystem& m_fs;
    const std::atomic<bool>* m_cancel;
    int m_folderFd = -1;
    bool m_folderSticky = false;
    unsigned m_folderOwner = 0;
    std::vector<std::unique_ptr<Entry>> m_entries;
    std::vector<std::string> m_finalPaths;
    bool m_committed = false;
};

#pragma once

#include "fileio/FileSystem.h"

#include <optional>
#include <string>

/// Keeps a second run from writing into the same output folder while one runs.
///
/// An exclusive flock on the folder itself: it leaves no file behind, goes with the
/// process however that ends, and is seen by every process on the machine. The root
/// name is part of what a run protects, but a per-name lock would need either a lock
/// file (left behind) or a record lock on the folder, which Linux grants only on a
/// descriptor open for writing, and a folder never is. Runs into one folder under
/// different root names therefore take turns; that also keeps the sweep of stale
/// temporaries from meeting a live run.
class OutputLock {
public:
    OutputLock(OutputLock&& other) noexcept;
    OutputLock& operator=(OutputLock&& other) noexcept;
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;
    ~OutputLock();

    /// The lock, or nothing when another run holds it. Throws DataFileError when the
    /// folder cannot be opened.
    static std::optional<OutputLock> tryAcquire(
        const std::string& folder, const std::string& rootName, FileSystem& fs = systemFileSystem());

    /// "Another extraction is writing into /out/ (root name Zen91): ..." for a refusal.
    static std::string busyMessage(const std::string& folder, const std::string& rootName);

private:
    OutputLock(FileSystem& fs, int fd);

    FileSystem* m_fs;
    int m_fd = -1;
};

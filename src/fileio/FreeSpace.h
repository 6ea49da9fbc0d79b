#pragma once

#include "fileio/FileSystem.h"

#include <cstdint>
#include <string>

/// Whether an extraction of about `estimatedBytes` fits on the output folder's
/// file system. The earlier files stay until the new ones are complete, so the
/// whole new size must fit beside them.
struct FreeSpaceCheck {
    std::uint64_t neededBytes = 0; ///< the estimate plus the margin
    std::uint64_t freeBytes = 0; ///< what an unprivileged process may still use
    bool fits = true;
    /// "needs about 2.8 GB, 1.1 GB free on /data" when it does not fit, else empty.
    std::string message;
};

/// Throws DataFileError when the folder's file system cannot be asked.
FreeSpaceCheck checkFreeSpace(const std::string& folder, double estimatedBytes, FileSystem& fs = systemFileSystem());

/// The margin added to an estimate: 1% plus 1 MiB.
std::uint64_t freeSpaceMargin(double estimatedBytes);

/// Bytes as "2.8 GB" or "310.5 MB" (units of 2^30 and 2^20, as the size estimate
/// uses), one decimal, rounded up or down as asked.
std::string formatBytes(double bytes, bool roundUp);

#pragma once

#include "fileio/OutputSet.h"
#include "textio/LineWriter.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/// The output files of one extraction, all in one folder, replacing their earlier
/// versions all together or not at all (see OutputSet). Until commit() nothing
/// under a final name changes; a failure or a cancellation leaves no trace.
class OutputFiles {
public:
    explicit OutputFiles(const std::atomic<bool>* cancel = nullptr, FileSystem& fs = systemFileSystem());
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;

    /// Checks that `finalPath` can be replaced and starts its file; the writer is
    /// owned here; `digest`, when given, sees every byte written. Every path must be in the folder of the first. Throws
    /// DataFileError when the name or the folder does not allow it.
    LineWriter& create(const std::string& finalPath, std::size_t bufferSize = LineWriter::kDefaultBufferSize,
        Sha256* digest = nullptr);

    /// As create(), the bytes stored gzip-compressed; `digest` sees the compressed bytes.
    LineWriter& createGzip(const std::string& finalPath, Sha256* digest = nullptr);

    /// The bytes stored in the file `writer` writes: its size once closed.
    std::uint64_t storedBytes(const LineWriter& writer) const;

    /// Replaces every final name or none; throws DataFileError saying what happened.
    void commit();

    /// Final paths, in creation order.
    const std::vector<std::string>& finalPaths() const;

private:
    OutputSet& setFor(const std::string& finalPath, std::string& name);
    const std::atomic<bool>* m_cancel;
    FileSystem& m_fs;
    std::optional<OutputSet> m_set;
    std::vector<std::string> m_none;
};

#pragma once

#include "textio/LineWriter.h"

#include <memory>
#include <string>
#include <vector>

/// The output files of one extraction. Each is written under a temporary name in
/// its own folder and renamed to its final name only by commit(), so a failed
/// extraction leaves no partial file under a final name and any earlier file of
/// that name untouched. Temporaries not committed are removed when this goes.
class OutputFiles {
public:
    OutputFiles() = default;
    ~OutputFiles();
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;

    /// Creates a temporary beside `finalPath` and returns its writer, owned here.
    /// Throws DataFileError when the folder does not take a new file.
    LineWriter& create(const std::string& finalPath, std::size_t bufferSize = LineWriter::kDefaultBufferSize);

    /// Closes every file and renames each to its final name, in creation order.
    /// Throws DataFileError on a failed close or rename; the files not yet renamed
    /// are then removed.
    void commit();

    /// Final paths, in creation order.
    const std::vector<std::string>& finalPaths() const { return m_finalPaths; }

private:
    void removeTemporaries(std::size_t from);

    std::vector<std::unique_ptr<LineWriter>> m_writers;
    std::vector<std::string> m_tempPaths;
    std::vector<std::string> m_finalPaths;
    std::size_t m_committed = 0;
};

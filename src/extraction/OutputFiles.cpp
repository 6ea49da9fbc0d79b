#include "extraction/OutputFiles.h"

#include "textio/DataFileError.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_temporaryCounter{0};

} // namespace

OutputFiles::~OutputFiles()
{
    m_writers.clear();  // closes the descriptors before the names go
    removeTemporaries(m_committed);
}

LineWriter& OutputFiles::create(const std::string& finalPath, std::size_t bufferSize)
{
    // The temporary sits in the final file's folder so that the rename never
    // crosses a file system. O_EXCL: never write through someone else's file.
    for (int attempt = 0;; ++attempt) {
        std::string temp = finalPath + ".part-" + std::to_string(::getpid()) + "-"
            + std::to_string(g_temporaryCounter.fetch_add(1));
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST && attempt < 100)
                continue;
            throw DataFileError::io(finalPath, "cannot create file", errno);
        }
        m_tempPaths.push_back(temp);
        m_finalPaths.push_back(finalPath);
        m_writers.push_back(std::make_unique<LineWriter>(fd, finalPath, bufferSize));
        return *m_writers.back();
    }
}

void OutputFiles::commit()
{
    for (auto& writer : m_writers)
        writer->close();
    for (; m_committed < m_tempPaths.size(); ++m_committed) {
        if (std::rename(m_tempPaths[m_committed].c_str(), m_finalPaths[m_committed].c_str()) != 0)
            throw DataFileError::io(m_finalPaths[m_committed], "cannot create file", errno);
    }
}

void OutputFiles::removeTemporaries(std::size_t from)
{
    for (std::size_t i = from; i < m_tempPaths.size(); ++i)
        ::unlink(m_tempPaths[i].c_str());
}

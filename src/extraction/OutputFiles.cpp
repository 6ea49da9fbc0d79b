#include "extraction/OutputFiles.h"

#include "textio/DataFileError.h"

OutputFiles::OutputFiles(const std::atomic<bool>* cancel, FileSystem& fs)
    : m_cancel(cancel)
    , m_fs(fs)
{
}

LineWriter& OutputFiles::create(const std::string& finalPath, std::size_t bufferSize, Sha256* digest)
{
    std::string name;
    return setFor(finalPath, name).add(name, bufferSize, digest);
}

LineWriter& OutputFiles::createGzip(const std::string& finalPath, Sha256* digest)
{
    std::string name;
    return setFor(finalPath, name).addGzip(name, digest);
}

std::uint64_t OutputFiles::storedBytes(const LineWriter& writer) const
{
    return m_set ? m_set->storedBytes(writer) : 0;
}

OutputSet& OutputFiles::setFor(const std::string& finalPath, std::string& name)
{
    std::size_t slash = finalPath.rfind('/');
    std::string folder = slash == std::string::npos ? "./" : finalPath.substr(0, slash + 1);
    name = finalPath.substr(slash == std::string::npos ? 0 : slash + 1);
    if (!m_set) {
        try {
            m_set.emplace(folder, m_fs, m_cancel);
        } catch (const DataFileError& e) {
            // Name the file the user asked for, not only its folder.
            throw DataFileError(finalPath, 0, 0, "cannot create file: " + e.detail());
        }
    } else if (m_set->folder() != folder)
        throw DataFileError(finalPath, 0, 0, "expected a file in " + m_set->folder());
    return *m_set;
}

void OutputFiles::commit()
{
    if (m_set)
        m_set->commit();
}

const std::vector<std::string>& OutputFiles::finalPaths() const
{
    return m_set ? m_set->finalPaths() : m_none;
}

#pragma once

#include <string>
#include <string_view>

/// A fresh folder under the system's temporary folder, removed with everything in
/// it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    /// path() + "/" + relative.
    std::string file(std::string_view relative) const;
    /// Writes `content` to `relative`, creating missing folders; returns the full path.
    std::string write(std::string_view relative, std::string_view content) const;

private:
    std::string m_path;
};

/// The whole content of a file; an empty string when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

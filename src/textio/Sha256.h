#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

/// A SHA-256 digest fed piece by piece, so a writer can hash its bytes as they go
/// out instead of reading the file back afterwards.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    /// From now on, update() copies the bytes to a thread of this digest's own and
    /// returns, so that hashing a large output takes the second core, not the
    /// writer's time. Call before the first update().
    void hashInBackground();

    void update(std::string_view bytes);
    /// The digest of everything fed so far, as 64 lowercase hex digits; the object
    /// starts afresh afterwards.
    std::string finishHex();

    /// The digest of `bytes` in one go.
    static std::string of(std::string_view bytes);

private:
    class Worker;

    evp_md_ctx_st* m_context;
    std::unique_ptr<Worker> m_worker; ///< only with hashInBackground()
};

/// The digest of a file's content, read in blocks. Throws DataFileError naming the
/// path when it cannot be read.
std::string sha256OfFile(const std::string& path);

#include "textio/Sha256.h"

#include "textio/DataFileError.h"

#include <openssl/evp.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

void check(int ok, const char* what)
{
    if (ok != 1)
        throw std::runtime_error(std::string("SHA-256: ") + what + " failed");
}

} // namespace

/// Takes copies of the pieces and feeds them to the digest on its own thread, in
/// order. At most kMaxPending pieces wait, so a writer faster than the hashing
/// waits instead of piling up memory.
class Sha256::Worker {
public:
    explicit Worker(Sha256& owner)
        : m_thread([this, &owner] { run(owner); })
    {
    }

    ~Worker()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    void push(std::string_view bytes)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_pending.size() < kMaxPending; });
        std::string piece;
        if (!m_spare.empty()) {
            piece = std::move(m_spare.back());
            m_spare.pop_back();
        }
        piece.assign(bytes);
        m_pending.push_back(std::move(piece));
        lock.unlock();
        m_changed.notify_all();
    }

    /// Waits until every piece pushed so far is in the digest.
    void drain()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_pending.empty() && !m_busy; });
        if (m_failed)
            throw std::runtime_error("SHA-256: update failed");
    }

private:
    static constexpr std::size_t kMaxPending = 4;

    void run(Sha256& owner)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
            if (m_pending.empty())
                return;
            std::string piece = std::move(m_pending.front());
            m_pending.pop_front();
            m_busy = true;
            lock.unlock();
            m_changed.notify_all();
            const bool ok = EVP_DigestUpdate(owner.m_context, piece.data(), piece.size()) == 1;
            lock.lock();
            m_failed = m_failed || !ok;
            m_busy = false;
            m_spare.push_back(std::move(piece));
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_pending;
    std::vector<std::string> m_spare;
    bool m_busy = false;
    bool m_failed = false;
    bool m_stopping = false;
    std::thread m_thread; // last, so that it starts after the members it uses
};

Sha256::Sha256()
    : m_context(EVP_MD_CTX_new())
{
    if (!m_context)
        throw std::bad_alloc();
    check(EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr), "initialisation");
}

Sha256::~Sha256()
{
    m_worker.reset();
    EVP_MD_CTX_free(m_context);
}

void Sha256::hashInBackground()
{
    if (!m_worker)
        m_worker = std::make_unique<Worker>(*this);
}

void Sha256::update(std::string_view bytes)
{
    if (m_worker)
        m_worker->push(bytes);
    else
        check(EVP_DigestUpdate(m_context, bytes.data(), bytes.size()), "update");
}

std::string Sha256::finishHex()
{
    if (m_worker)
        m_worker->drain();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    check(EVP_DigestFinal_ex(m_context, digest, &length), "finish");
    check(EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr), "initialisation");
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0xF];
    }
    return text;
}

std::string Sha256::of(std::string_view bytes)
{
    Sha256 digest;
    digest.update(bytes);
    return digest.finishHex();
}

std::string sha256OfFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw DataFileError::io(path, "cannot open file", errno);
    std::unique_ptr<int, void (*)(int*)> closer(&fd, [](int* f) { ::close(*f); });
    Sha256 digest;
    auto buffer = std::make_unique<char[]>(1 << 16);
    for (;;) {
        ssize_t got = ::read(fd, buffer.get(), 1 << 16);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw DataFileError::io(path, "cannot read file", errno);
        }
        if (got == 0)
            break;
        digest.update(std::string_view(buffer.get(), static_cast<std::size_t>(got)));
    }
    return digest.finishHex();
}

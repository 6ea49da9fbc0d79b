#include "textio/Sha256.h"

#include "textio/DataFileError.h"

#include <openssl/evp.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace {

void check(int ok, const char* what)
{
    if (ok != 1)
        throw std::runtime_error(std::string("SHA-256: ") + what + " failed");
}

} // namespace

Sha256::Sha256()
    : m_context(EVP_MD_CTX_new())
{
    if (!m_context)
        throw std::bad_alloc();
    check(EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr), "initialisation");
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context);
}

void Sha256::update(std::string_view bytes)
{
    check(EVP_DigestUpdate(m_context, bytes.data(), bytes.size()), "update");
}

std::string Sha256::finishHex()
{
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

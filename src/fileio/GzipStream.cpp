#include "fileio/GzipStream.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <new>

struct GzipStream::Block {
    std::vector<char> input;
    std::size_t used = 0;
    std::vector<char> output;
    std::size_t outputSize = 0;
    bool done = false; // guarded by m_mutex
};

namespace {

constexpr std::size_t kHeaderSize = 10;
constexpr std::size_t kTrailerSize = 8;

void putLittleEndian32(char* to, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        to[i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

} // namespace

GzipStream::GzipStream(Sink sink, unsigned workers, std::size_t blockSize, int level)
    : m_sink(std::move(sink))
    , m_blockSize(std::max<std::size_t>(blockSize, 1))
    , m_level(level)
{
    if (workers == 0)
        workers = std::max(1u, std::thread::hardware_concurrency());
    // Two blocks per worker keep every worker busy while the oldest is written.
    m_maxInFlight = 2 * static_cast<std::size_t>(workers);
    // Allocated here, so that a failure is thrown to the caller and not in a worker.
    for (unsigned i = 0; i < workers; ++i) {
        m_compressors.emplace_back(libdeflate_alloc_compressor(m_level));
        if (!m_compressors.back())
            throw std::bad_alloc();
    }
    for (std::size_t i = 0; i < workers; ++i)
        m_workers.emplace_back([this, i] { work(i); });
}

void GzipStream::CompressorDeleter::operator()(libdeflate_compressor* c) const
{
    libdeflate_free_compressor(c);
}

GzipStream::~GzipStream()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_workReady.notify_all();
    for (std::thread& t : m_workers)
        t.join();
}

void GzipStream::write(const char* data, std::size_t size)
{
    while (size > 0) {
        if (!m_current) {
            if (m_spare.empty()) {
                m_current = std::make_unique<Block>();
                m_current->input.resize(m_blockSize);
            } else {
                m_current = std::move(m_spare.back());
                m_spare.pop_back();
            }
            m_current->used = 0;
        }
        std::size_t n = std::min(size, m_blockSize - m_current->used);
        std::memcpy(m_current->input.data() + m_current->used, data, n);
        m_current->used += n;
        data += n;
        size -= n;
        if (m_current->used == m_blockSize)
            submit();
    }
}

void GzipStream::submit()
{
    m_anyBlock = true;
    {
        std::lock_guard lock(m_mutex);
        m_current->done = false;
        m_queue.push_back(m_current.get());
    }
    m_inFlight.push_back(std::move(m_current));
    m_workReady.notify_one();
    // Members that are ready go out at once; a full pipeline waits for its oldest.
    for (;;) {
        bool ready = false;
        {
            std::lock_guard lock(m_mutex);
            ready = !m_inFlight.empty() && m_inFlight.front()->done;
        }
        if (!ready && m_inFlight.size() < m_maxInFlight)
            break;
        sendFront();
    }
}

// Waits for the oldest block and gives its member to the sink.
void GzipStream::sendFront()
{
    Block& block = *m_inFlight.front();
    {
        std::unique_lock lock(m_mutex);
        m_blockDone.wait(lock, [&] { return block.done; });
    }
    m_sink(block.output.data(), block.outputSize);
    m_compressedBytes += block.outputSize;
    m_spare.push_back(std::move(m_inFlight.front()));
    m_inFlight.pop_front();
}

void GzipStream::finish()
{
    if (m_finished)
        return;
    if (m_current && m_current->used > 0)
        submit();
    else if (!m_anyBlock) {
        m_current = std::make_unique<Block>();
        submit();
    }
    while (!m_inFlight.empty())
        sendFront();
    m_finished = true;
}

void GzipStream::work(std::size_t worker)
{
    libdeflate_compressor* compressor = m_compressors[worker].get();
    for (;;) {
        Block* block = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_workReady.wait(lock, [&] { return m_stop || !m_queue.empty(); });
            if (m_stop)
                return;
            block = m_queue.front();
            m_queue.pop_front();
        }
        const std::size_t bound = libdeflate_deflate_compress_bound(compressor, block->used);
        if (block->output.size() < kHeaderSize + bound + kTrailerSize)
            block->output.resize(kHeaderSize + bound + kTrailerSize);
        char* out = block->output.data();
        // Magic, deflate, no flags, time 0, no extra flags, made on Unix.
        const unsigned char header[kHeaderSize] = { 0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3 };
        std::memcpy(out, header, kHeaderSize);
        const std::size_t size
            = libdeflate_deflate_compress(compressor, block->input.data(), block->used, out + kHeaderSize, bound);
        char* trailer = out + kHeaderSize + size;
        putLittleEndian32(trailer, libdeflate_crc32(0, block->input.data(), block->used));
        putLittleEndian32(trailer + 4, static_cast<std::uint32_t>(block->used));
        block->outputSize = kHeaderSize + size + kTrailerSize;
        {
            std::lock_guard lock(m_mutex);
            block->done = true;
        }
        m_blockDone.notify_all();
    }
}

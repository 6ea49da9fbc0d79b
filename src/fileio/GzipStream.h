#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct libdeflate_compressor;

/// Compresses a byte stream into gzip on every core. The stream is cut into blocks
/// of a fixed size; workers deflate each block on its own into a complete gzip
/// member, and the members reach the sink in order (every gzip reader takes a file
/// of several members as one stream). The headers carry no time and no name, so the
/// same bytes in give the same file out.
///
/// All sink calls are made on the thread that calls write() and finish(), so a
/// failure (a full disk, a cancellation) is thrown there, and the blocks in flight
/// are bounded: memory stays flat however much is written.
class GzipStream {
public:
    /// Writes all of a compressed member or throws.
    using Sink = std::function<void(const char* data, std::size_t size)>;

    /// 1 MiB blocks lose well under 1% of the ratio to the stream's restart of its
    /// window at each member, and keep the bytes in flight small.
    static constexpr std::size_t kBlockSize = 1 << 20;
    /// On extract text, level 5 of this deflate compresses about 1.6 times as fast
    /// as its level 6 and twice as fast as the common level-6 gzip tools, with files
    /// at most 1% larger than theirs (a county's person file: 4.77 MB against 4.72 MB;
    /// its household file comes out smaller).
    static constexpr int kLevel = 5;

    /// `workers` of 0 takes one per core.
    explicit GzipStream(Sink sink, unsigned workers = 0, std::size_t blockSize = kBlockSize, int level = kLevel);
    /// Stops the workers; what was not finished is dropped.
    ~GzipStream();
    GzipStream(const GzipStream&) = delete;
    GzipStream& operator=(const GzipStream&) = delete;

    void write(const char* data, std::size_t size);
    /// Compresses what is left and sends every member still due; an empty stream
    /// gives one empty member, so the file is always valid gzip. Idempotent.
    void finish();

    /// Bytes given to the sink so far.
    std::uint64_t compressedBytes() const { return m_compressedBytes; }

private:
    struct Block;
    void submit();
    void sendFront();
    void work(std::size_t worker);

    Sink m_sink;
    std::size_t m_blockSize;
    int m_level;
    std::size_t m_maxInFlight;
    std::unique_ptr<Block> m_current;
    std::deque<std::unique_ptr<Block>> m_inFlight; // in stream order
    std::vector<std::unique_ptr<Block>> m_spare;
    bool m_anyBlock = false;
    bool m_finished = false;
    std::uint64_t m_compressedBytes = 0;

    std::mutex m_mutex;
    std::condition_variable m_workReady;
    std::condition_variable m_blockDone;
    std::deque<Block*> m_queue; // waiting for a worker
    struct CompressorDeleter {
        void operator()(libdeflate_compressor* c) const;
    };
    std::vector<std::unique_ptr<libdeflate_compressor, CompressorDeleter>> m_compressors; // one per worker
    bool m_stop = false;
    std::vector<std::thread> m_workers; // last: they start once the members above exist
};

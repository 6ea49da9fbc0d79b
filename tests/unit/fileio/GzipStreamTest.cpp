#include "fileio/GzipStream.h"

#include "Gunzip.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

/// Text that compresses as output does: repeated records with some variety.
std::string sampleText(std::size_t size)
{
    std::string text;
    unsigned x = 12345;
    while (text.size() < size) {
        x = x * 1103515245u + 12345u;
        text += "E0" + std::to_string(x % 97) + "," + std::to_string((x >> 8) % 1000) + ",1,\r\n";
    }
    text.resize(size);
    return text;
}

std::string compress(const std::string& text, unsigned workers, std::size_t blockSize, std::size_t chunk)
{
    std::string out;
    GzipStream gzip([&](const char* data, std::size_t size) { out.append(data, size); }, workers, blockSize);
    for (std::size_t at = 0; at < text.size(); at += chunk)
        gzip.write(text.data() + at, std::min(chunk, text.size() - at));
    gzip.finish();
    EXPECT_EQ(gzip.compressedBytes(), out.size());
    return out;
}

} // namespace

// Sizes around the block edges, written in pieces that do and do not line up with
// the blocks, with one worker and with more than there are blocks in flight.
TEST(GzipStream, MembersDecompressInOrderToTheBytesWritten)
{
    struct Row {
        std::size_t size;
        std::size_t chunk;
        unsigned workers;
    };
    const std::size_t block = 1000;
    for (Row row : { Row { 0, 7, 2 }, Row { 1, 7, 1 }, Row { block - 1, 7, 2 }, Row { block, block, 2 },
             Row { block + 1, 333, 3 }, Row { 57 * block + 5, 4096, 4 }, Row { 20 * block, 1, 1 } }) {
        SCOPED_TRACE(std::to_string(row.size) + " bytes in pieces of " + std::to_string(row.chunk) + ", "
            + std::to_string(row.workers) + " workers");
        const std::string text = sampleText(row.size);
        const std::string packed = compress(text, row.workers, block, row.chunk);
        EXPECT_EQ(gunzip(packed), text);
        // No time, no flags (so no name): the same input gives the same bytes.
        ASSERT_GE(packed.size(), 18u);
        EXPECT_EQ(packed.substr(0, 8), std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00", 8));
        EXPECT_EQ(compress(text, row.workers == 1 ? 3 : 1, block, row.chunk + 1), packed);
    }
}

// A failing sink (a full disk) is reported to the writer's caller; the stream then
// shuts down without hanging, whatever is still in flight.
TEST(GzipStream, SinkFailureReachesTheCallerAndTheStreamStillStops)
{
    for (int failAt : { 1, 3 }) {
        int calls = 0;
        const std::string text = sampleText(40 * 1000);
        EXPECT_THROW(
            {
                GzipStream gzip(
                    [&](const char*, std::size_t) {
                        if (++calls == failAt)
                            throw std::runtime_error("disk full");
                    },
                    2, 1000);
                gzip.write(text.data(), text.size());
                gzip.finish();
            },
            std::runtime_error);
        EXPECT_EQ(calls, failAt);
    }
}

#pragma once

#include <cstdint>

/// The demo data's only source of chance: a fixed-seed splitmix64, so that every
/// platform and standard library writes the same bytes. The draws below use plain
/// arithmetic for the same reason (std distributions differ between libraries).
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed)
        : m_state(seed)
    {
    }

    /// A generator for one named part of the data set, independent of how much
    /// any other part has drawn.
    static SplitMix64 stream(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0)
    {
        SplitMix64 mixer(seed ^ (a * 0x9E3779B97F4A7C15ULL) ^ (b * 0xC2B2AE3D27D4EB4FULL));
        return SplitMix64(mixer.next());
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    /// A whole number in [low, high]; the modulo bias is far below anything the
    /// demo data could show.
    int between(int low, int high)
    {
        auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(next() % span);
    }

    /// A number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    /// True with the given probability.
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t m_state;
};

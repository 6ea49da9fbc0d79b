#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>

/// A bar of EDs done, redrawn in place on `out` at most every tenth of a second
/// and always at the end.
class ProgressBar {
public:
    explicit ProgressBar(std::ostream& out)
        : m_out(out)
    {
    }

    void update(std::uint64_t done, std::uint64_t total);
    /// Ends the bar's line, if one was drawn.
    void finish();

private:
    std::ostream& m_out;
    std::chrono::steady_clock::time_point m_last {};
    bool m_drawn = false;
};

#include "cli/ProgressBar.h"

#include <cstdio>
#include <ostream>
#include <string>

void ProgressBar::update(std::uint64_t done, std::uint64_t total)
{
    auto now = std::chrono::steady_clock::now();
    if (done != total && now - m_last < std::chrono::milliseconds(100))
        return;
    m_last = now;
    constexpr int kWidth = 40;
    int filled = total == 0 ? kWidth : static_cast<int>(kWidth * done / total);
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", total == 0 ? 100 : static_cast<int>(100 * done / total));
    m_out << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
          << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << percent << ' ' << done << '/'
          << total << " EDs" << std::flush;
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (m_drawn)
        m_out << "\n";
}

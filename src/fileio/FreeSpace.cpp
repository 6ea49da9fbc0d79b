#include "fileio/FreeSpace.h"

#include "textio/DataFileError.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <sys/statvfs.h>

std::uint64_t freeSpaceMargin(double estimatedBytes)
{
    // Block rounding, extent maps and the CR LF of short last lines stay well under
    // 1% on ext4, xfs and btrfs; the MiB covers the few blocks of small outputs and
    // header lines. More would refuse extractions that fit.
    return static_cast<std::uint64_t>(std::ceil(std::max(estimatedBytes, 0.0) * 0.01)) + (1u << 20);
}

std::string formatBytes(double bytes, bool roundUp)
{
    const double gib = 1024.0 * 1024 * 1024;
    const bool giga = bytes >= gib;
    double value = bytes / (giga ? gib : 1024.0 * 1024);
    // Needed space rounds up and free space down, so that a refusal never shows
    // two equal figures.
    value = (roundUp ? std::ceil(value * 10) : std::floor(value * 10)) / 10;
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %s", value, giga ? "GB" : "MB");
    return text;
}

FreeSpaceCheck checkFreeSpace(const std::string& folder, double estimatedBytes, FileSystem& fs)
{
    struct statvfs st { };
    if (fs.space(folder, st) != 0)
        throw DataFileError::io(folder, "cannot read the free space of", errno);
    FreeSpaceCheck check;
    check.neededBytes
        = static_cast<std::uint64_t>(std::ceil(std::max(estimatedBytes, 0.0))) + freeSpaceMargin(estimatedBytes);
    check.freeBytes = static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
    check.fits = check.neededBytes <= check.freeBytes;
    if (!check.fits) {
        std::string shown = folder;
        while (shown.size() > 1 && shown.back() == '/')
            shown.pop_back();
        check.message = "needs about " + formatBytes(static_cast<double>(check.neededBytes), true) + ", "
            + formatBytes(static_cast<double>(check.freeBytes), false) + " free on " + shown;
    }
    return check;
}

#pragma once

#include <array>
#include <optional>
#include <string_view>

/// The output formats an extraction can write; a new one is a row of kOutputFormats
/// and its writer.
enum class OutputFormat { Csv, Stata, Spss };

struct OutputFormatInfo {
    OutputFormat id;
    const char* requestName; ///< in request files
    const char* commandName; ///< the value of --format
    const char* name; ///< as users know it; the window lists it with its suffix
    const char* suffix; ///< of the data files
    const char* compressedSuffix; ///< of compressed data files; the same where the format has none
    bool statistics; ///< a statistics file with a header that counts its rows
};

/// In OutputFormat order.
inline constexpr std::array<OutputFormatInfo, 3> kOutputFormats = { {
    { OutputFormat::Csv, "csv", "csv", "CSV", ".txt", ".txt.gz", false },
    // Stata cannot read a compressed file.
    { OutputFormat::Stata, "stata", "dta", "Stata", ".dta", ".dta", true },
    { OutputFormat::Spss, "spss", "sav", "SPSS", ".sav", ".zsav", true },
} };

constexpr const OutputFormatInfo& formatInfo(OutputFormat format)
{
    return kOutputFormats[static_cast<std::size_t>(format)];
}

/// The format whose `name` (requestName or commandName, as `field` picks) is `name`.
template <typename Field> std::optional<OutputFormat> formatNamed(std::string_view name, Field field)
{
    for (const OutputFormatInfo& info : kOutputFormats)
        if (name == info.*field)
            return info.id;
    return std::nullopt;
}

#pragma once

#include <string_view>

// Blank trimming, for every field, name and typed value that may carry padding.

inline constexpr std::string_view kBlanks = " ";

/// `text` without the characters of `chars` at its end.
constexpr std::string_view trimEnd(std::string_view text, std::string_view chars = kBlanks)
{
    std::size_t end = text.find_last_not_of(chars);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

/// `text` without the characters of `chars` at either end.
constexpr std::string_view trim(std::string_view text, std::string_view chars = kBlanks)
{
    std::size_t first = text.find_first_not_of(chars);
    return first == std::string_view::npos ? std::string_view() : trimEnd(text.substr(first), chars);
}

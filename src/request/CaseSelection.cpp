#include "request/CaseSelection.h"

#include "textio/Text.h"

#include <charconv>

namespace {

/// A whole number, nothing around it; absent otherwise.
std::optional<std::int32_t> number(std::string_view text)
{
    text = trim(text);
    std::int32_t value = 0;
    if (text.empty() || text[0] == '+')
        return std::nullopt;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

ParsedCodes parseCodes(std::string_view text)
{
    ParsedCodes result;
    if (trim(text).empty()) {
        result.error = "no code given";
        return result;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        const std::string_view item
            = trim(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        start = comma == std::string_view::npos ? text.size() + 1 : comma + 1;
        if (item.empty()) {
            result.error = "an empty item between commas";
            return result;
        }
        // The dash of a range follows a digit or a blank; a leading one is a sign.
        std::size_t dash = item.find('-', 1);
        std::optional<std::int32_t> low = number(dash == std::string_view::npos ? item : item.substr(0, dash));
        std::optional<std::int32_t> high = dash == std::string_view::npos ? low : number(item.substr(dash + 1));
        if (!low || !high) {
            result.error = "\"" + std::string(item) + "\" is not a code or a range of codes such as 65-99";
            return result;
        }
        if (*low > *high) {
            result.error = "the range " + std::string(item) + " runs backwards";
            return result;
        }
        result.codes.push_back({ *low, *high });
    }
    return result;
}

ParsedCondition parseCondition(std::string_view text)
{
    ParsedCondition result;
    const std::size_t equals = text.find('=');
    const std::string_view name = trim(text.substr(0, equals));
    if (equals == std::string_view::npos || name.empty()) {
        result.error = "the condition \"" + std::string(text) + "\" is not VARIABLE=CODES, such as Age=65-99";
        return result;
    }
    ParsedCodes codes = parseCodes(text.substr(equals + 1));
    if (!codes.error.empty()) {
        result.error = "the condition \"" + std::string(text) + "\": " + codes.error;
        return result;
    }
    result.condition = { std::string(name), std::move(codes.codes) };
    return result;
}

std::string codesText(const std::vector<CodeInterval>& codes)
{
    std::string text;
    for (const CodeInterval& range : codes) {
        if (!text.empty())
            text += ", ";
        text += std::to_string(range.low);
        if (range.high != range.low)
            text += "-" + std::to_string(range.high);
    }
    return text;
}

std::string conditionText(const CaseCondition& condition)
{
    return condition.variable + " " + codesText(condition.codes);
}

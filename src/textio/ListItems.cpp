#include "textio/ListItems.h"

#include <stdexcept>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> splitListItems(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i <= n) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i < n && text[i] == '"') {
            std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos)
                throw std::invalid_argument("a quote is not closed: " + std::string(text.substr(i)));
            items.emplace_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
            while (i < n && isBlank(text[i]))
                ++i;
            if (i < n && text[i] != ',')
                throw std::invalid_argument("text after a closing quote: " + std::string(text.substr(i)));
        } else {
            std::size_t comma = text.find(',', i);
            std::size_t end = comma == std::string_view::npos ? n : comma;
            std::size_t last = end;
            while (last > i && isBlank(text[last - 1]))
                --last;
            if (last > i)
                items.emplace_back(text.substr(i, last - i));
            i = end;
        }
        ++i; // past the comma, or past the end
    }
    return items;
}

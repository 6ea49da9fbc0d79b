#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The items of a comma-separated list typed on a command line: blanks around an
/// item are dropped, and an item in double quotes is taken as written, commas and
/// blanks included ("\"Claywell, Upper and Lower\",Millbury" gives two items).
/// Empty unquoted items are skipped. Throws std::invalid_argument for a quote that
/// is not closed or text after a closing quote.
std::vector<std::string> splitListItems(std::string_view text);

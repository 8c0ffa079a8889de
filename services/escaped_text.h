// Text shown on one line of a printed report or written as a quoted argument.
#pragma once

#include <string>
#include <string_view>

namespace corvandel {

// Text as one line: \n, \t, \r, \\ and \" escaped, every other byte below
// 0x20, 0x7F and every byte from 0x80 up as \xHH (ANSI text has no one
// encoding a terminal would show alike).
std::string EscapeText(std::string_view text);
// The same in double quotes.
std::string QuoteText(std::string_view text);

}  // namespace corvandel

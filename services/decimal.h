// The C library's decimal conversion (atoi) without its undefined behaviour:
// leading blanks and one sign are accepted, parsing stops at the first
// non-digit, and no digits give 0. A number outside the int range gives
// nothing instead of an arbitrary value.
#pragma once

#include <optional>
#include <string_view>

namespace corvandel {

std::optional<int> ParseDecimal(std::string_view text);

}  // namespace corvandel

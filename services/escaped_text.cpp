#include "services/escaped_text.h"

namespace corvandel {

std::string EscapeText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\x";
          out.push_back(kHex[byte >> 4]);
          out.push_back(kHex[byte & 0xF]);
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

std::string QuoteText(std::string_view text) {
  std::string quoted = "\"";  // appended, not prepended: GCC 12 warns falsely on "x" + std::string&&
  quoted += EscapeText(text);
  return quoted += '"';
}

}  // namespace corvandel

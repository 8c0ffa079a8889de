#include "services/xml_text.h"

#include "services/ansi_text.h"

namespace corvandel {

std::optional<std::string> XmlAttributeValue(std::string_view ansi) {
  std::string escaped;
  for (const char c : ansi) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\t': escaped += "&#9;"; break;
      case '\n': escaped += "&#10;"; break;
      case '\r': escaped += "&#13;"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
        escaped += c;
    }
  }
  // The escapes are ASCII, which Windows-1252 and UTF-8 share.
  return Utf8FromAnsi(escaped);
}

std::optional<std::string> XmlStartTag(std::string_view name, const XmlAttributes& attributes, bool empty) {
  std::string tag = "<";
  tag.append(name);
  for (const auto& [attribute, value] : attributes) {
    const std::optional<std::string> text = XmlAttributeValue(value);
    if (!text) return std::nullopt;
    tag.append(" ").append(attribute).append("=\"").append(*text).append("\"");
  }
  return tag.append(empty ? "/>" : ">");
}

}  // namespace corvandel

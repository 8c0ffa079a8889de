// Writing XML for the files other programs read (the Group Policy
// preferences): one escaping step for both builds, as the Windows build has
// no XML library.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvandel {

inline constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

// An attribute's value in double quotes: the program's ANSI text in UTF-8,
// with &, <, >, " escaped and tab, line feed and carriage return as character
// references (so a reader gets them back rather than blanks). Nothing for a
// text holding another control character, which XML 1.0 cannot carry.
std::optional<std::string> XmlAttributeValue(std::string_view ansi);

// <name a="v" ...> (or <name .../> when empty), values as above; nothing
// when a value cannot be written.
using XmlAttributes = std::vector<std::pair<std::string, std::string>>;
std::optional<std::string> XmlStartTag(std::string_view name, const XmlAttributes& attributes, bool empty);

}  // namespace corvandel

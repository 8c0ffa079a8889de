#include "services/gpp_file.h"

#include <cstdio>

#include "services/ansi_text.h"
#include "services/xml_text.h"

namespace corvandel {
namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  char digits[3];
  for (std::uint8_t byte : bytes) {
    std::snprintf(digits, sizeof(digits), "%02X", byte);
    out += digits;
  }
  return out;
}

// The type and value attributes of a value set; nothing for a value the
// preferences cannot hold as it is.
std::optional<std::pair<std::string, std::string>> TypedValue(const RegChange& change) {
  const std::string text(change.data.begin(), change.data.end());
  switch (change.type) {
    case reg::kSz: return std::pair<std::string, std::string>{"REG_SZ", text.substr(0, text.find('\0'))};
    case reg::kExpandSz: return std::pair<std::string, std::string>{"REG_EXPAND_SZ", text.substr(0, text.find('\0'))};
    case reg::kBinary: return std::pair<std::string, std::string>{"REG_BINARY", Hex(change.data)};
    case reg::kDword:
      if (change.data.size() != 4) return std::nullopt;
      return std::pair<std::string, std::string>{"REG_DWORD", Hex({change.data.rbegin(), change.data.rend()})};
    default: return std::nullopt;
  }
}

std::string LastPart(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

}  // namespace

std::optional<std::string> GppRegistryXml(const std::vector<RegChange>& changes, const GppStamp& stamp,
                                          std::string* error) {
  std::string xml = std::string(kXmlDeclaration) + "\r\n" +
                    *XmlStartTag("RegistrySettings", {{"clsid", kRegistrySettingsClsid}}, false) + "\r\n";
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const RegChange& change = changes[i];
    const std::string keyName = RegistryKeyName(change.root, change.path);
    const bool onKey = change.kind == RegChange::kCreateKey || change.kind == RegChange::kDeleteKey;
    // A new key whose values follow is made by them.
    if (change.kind == RegChange::kCreateKey && i + 1 < changes.size() &&
        changes[i + 1].kind == RegChange::kSetValue && changes[i + 1].root == change.root &&
        EqualsIgnoringCase(changes[i + 1].path, change.path))
      continue;
    std::pair<std::string, std::string> typed{"REG_SZ", ""};
    if (change.kind == RegChange::kSetValue) {
      const auto value = TypedValue(change);
      if (!value) {
        *error = keyName + "\\" + change.name + ": a preferences Registry item holds REG_SZ, REG_EXPAND_SZ, "
                 "REG_BINARY and four-byte REG_DWORD values only";
        return std::nullopt;
      }
      typed = *value;
    }
    const bool remove = change.kind == RegChange::kDeleteKey || change.kind == RegChange::kDeleteValue;
    const std::string itemName = onKey ? LastPart(change.path) : change.name.empty() ? "(Default)" : change.name;
    const XmlAttributes item = {
        {"clsid", kRegistryItemClsid}, {"name", itemName}, {"changed", stamp.changed}, {"uid", stamp.uid()}};
    const XmlAttributes properties = {{"action", remove ? "D" : "U"},
                                      {"default", !onKey && change.name.empty() ? "1" : "0"},
                                      {"hive", RegistryKeyName(change.root, "")},
                                      {"key", change.path},
                                      {"name", onKey ? "" : change.name},
                                      {"type", typed.first},
                                      {"value", typed.second}};
    const auto itemTag = XmlStartTag("Registry", item, false);
    const auto propertiesTag = XmlStartTag("Properties", properties, true);
    if (!itemTag || !propertiesTag) {
      *error = keyName + ": a name or text holds a control character, which XML cannot carry";
      return std::nullopt;
    }
    xml += *itemTag + "\r\n" + *propertiesTag + "\r\n</Registry>\r\n";
  }
  return xml + "</RegistrySettings>\r\n";
}

}  // namespace corvandel

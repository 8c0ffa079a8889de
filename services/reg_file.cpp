#include "services/reg_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "services/ansi_text.h"
#include "services/file_text.h"

namespace corvandel {
namespace {

struct RootName {
  std::string_view full;
  std::string_view abbreviation;
  RegKey key;
};

constexpr std::array<RootName, 4> kRoots = {{
    {"HKEY_CLASSES_ROOT", "HKCR", reg::kClassesRoot},
    {"HKEY_CURRENT_USER", "HKCU", reg::kCurrentUser},
    {"HKEY_LOCAL_MACHINE", "HKLM", reg::kLocalMachine},
    {"HKEY_USERS", "HKU", reg::kUsers},
}};

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = Upper(c);
  return upper;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameNoCase(text.substr(0, prefix.size()), prefix);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// What may follow a complete entry: blanks, then nothing or a comment.
bool IsEndOfEntry(std::string_view rest) {
  rest = TrimLeft(rest);
  return rest.empty() || rest.front() == ';';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to maxDigits hexadecimal digits, nothing else.
std::optional<std::uint32_t> ParseHex(std::string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

// The file as ANSI text: UTF-16LE and UTF-8 files carry a byte-order mark.
std::string DecodeFile(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    return NarrowAnsi(units);
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return NarrowAnsi(DecodeUtf8(bytes.substr(3)));
  return std::string(bytes);
}

// UTF-16LE bytes to ANSI bytes; an odd last byte has no character.
std::vector<std::uint8_t> AnsiFromUtf16Bytes(const std::vector<std::uint8_t>& bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
  const std::string text = NarrowAnsi(units);
  return {text.begin(), text.end()};
}

bool IsText(std::uint32_t type) { return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz; }

// A file becomes a list of changes before any is made.
using Change = RegChange;

class Parser {
 public:
  Parser(std::string_view text, const std::string& fileName) : text_(text), fileName_(fileName) {}

  bool Parse(std::vector<Change>* changes, std::string* error) {
    changes_ = changes;
    bool ok = ParseAll();
    if (!ok && error) *error = fileName_ + ":" + std::to_string(lineNumber_) + ": " + problem_;
    return ok;
  }

 private:
  bool Fail(std::string what) {
    problem_ = std::move(what);
    return false;
  }

  // The next physical line without its line end (CR LF, LF or CR).
  bool NextLine(std::string_view* line) {
    if (position_ >= text_.size()) return false;
    std::size_t end = text_.find_first_of("\r\n", position_);
    if (end == std::string_view::npos) end = text_.size();
    *line = text_.substr(position_, end - position_);
    position_ = end;
    if (position_ < text_.size() && text_[position_] == '\r') ++position_;
    if (position_ < text_.size() && text_[position_] == '\n') ++position_;
    ++lineNumber_;
    return true;
  }

  bool ParseAll() {
    std::string_view line;
    if (!NextLine(&line)) {
      ++lineNumber_;
      return Fail("an empty file, not a registry file");
    }
    const std::string_view header = Trim(line);
    if (header == kRegedit5Header) {
      unicodeValues_ = true;
    } else if (header != kRegedit4Header) {
      return Fail("not a registry file: the first line must be \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\"");
    }
    while (NextLine(&line)) {
      line = TrimLeft(line);
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        if (!ParseSection(line)) return false;
      } else if (line.front() == '"' || line.front() == '@') {
        if (!ParseValue(line)) return false;
      } else {
        return Fail("cannot read this line: expected a [key], a \"name\"= or @= value, or a ; comment");
      }
    }
    return true;
  }

  bool ParseSection(std::string_view line) {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) return Fail("a key section without its closing ]");
    if (!IsEndOfEntry(line.substr(close + 1))) return Fail("text after the key section's closing ]");
    std::string_view name = line.substr(1, close - 1);
    const bool deletion = !name.empty() && name.front() == '-';
    if (deletion) name.remove_prefix(1);

    const std::size_t slash = name.find('\\');
    const std::string_view rootName = name.substr(0, slash);
    const RootName* root = nullptr;
    for (const RootName& candidate : kRoots)
      if (SameNoCase(rootName, candidate.full) || SameNoCase(rootName, candidate.abbreviation)) root = &candidate;
    if (!root) return Fail("unknown root key \"" + std::string(rootName) + "\"");
    std::string_view path = slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.find("\\\\") != std::string_view::npos || (!path.empty() && path.front() == '\\'))
      return Fail("an empty key name in the path");

    if (deletion && path.empty()) return Fail("a root key cannot be deleted");
    section_ = Section{root->key, std::string(path), deletion};
    changes_->push_back({deletion ? Change::kDeleteKey : Change::kCreateKey, root->key, std::string(path), {}, {}, {}});
    return true;
  }

  // A quoted text starting at rest[0] == '"': \\ and \" as the registry
  // editor escapes them, \r and \n as Wine's editor also writes line breaks.
  bool ParseQuoted(std::string_view* rest, std::string* text) {
    std::string_view s = rest->substr(1);
    text->clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '"') {
        *rest = s.substr(i + 1);
        return true;
      }
      if (s[i] != '\\') {
        text->push_back(s[i]);
        continue;
      }
      if (++i == s.size()) break;
      switch (s[i]) {
        case '\\': text->push_back('\\'); break;
        case '"': text->push_back('"'); break;
        case 'n': text->push_back('\n'); break;
        case 'r': text->push_back('\r'); break;
        default: return Fail(std::string("unknown escape \\") + s[i] + " in a quoted text (write \\\\ for a backslash)");
      }
    }
    return Fail("a quoted text without its closing \"");
  }

  bool ParseValue(std::string_view line) {
    if (!section_) return Fail("a value before the first [key] section");
    std::string_view rest = line;
    std::string name;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else if (!ParseQuoted(&rest, &name)) {
      return false;
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') return Fail("a value name without = after it");
    rest = TrimLeft(rest.substr(1));

    Change change{Change::kSetValue, section_->root, section_->path, std::move(name), reg::kNone, {}};
    if (!rest.empty() && rest.front() == '-') {
      if (!IsEndOfEntry(rest.substr(1))) return Fail("text after the - of a value deletion");
      change.kind = Change::kDeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      std::string text;
      if (!ParseQuoted(&rest, &text)) return false;
      if (!IsEndOfEntry(rest)) return Fail("text after the closing \" of a value");
      change.type = reg::kSz;
      change.data.assign(text.begin(), text.end());
      change.data.push_back(0);
    } else if (StartsWithNoCase(rest, "dword:")) {
      rest.remove_prefix(6);
      const std::size_t end = rest.find_first_of(" \t;");
      const auto number = ParseHex(rest.substr(0, end), 8);
      if (!number || (end != std::string_view::npos && !IsEndOfEntry(rest.substr(end))))
        return Fail("a dword: value needs 1 to 8 hexadecimal digits");
      change.type = reg::kDword;
      for (int shift = 0; shift < 32; shift += 8) change.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    } else if (StartsWithNoCase(rest, "hex")) {
      if (!ParseHexValue(rest.substr(3), &change)) return false;
    } else {
      return Fail("unknown kind of value: expected \"text\", dword:, hex:, hex(N): or -");
    }
    // Values under a deleted key are not imported.
    if (!section_->deleted) changes_->push_back(std::move(change));
    return true;
  }

  // After "hex": ":" or "(N):", then bytes separated by commas, continued
  // onto the next line by a backslash at the end of a line.
  bool ParseHexValue(std::string_view rest, Change* change) {
    change->type = reg::kBinary;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      const auto type = close == std::string_view::npos ? std::nullopt : ParseHex(rest.substr(1, close - 1), 8);
      if (!type) return Fail("hex(N): needs a type of 1 to 8 hexadecimal digits");
      change->type = *type;
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != ':') return Fail("unknown kind of value: expected hex: or hex(N):");
    rest.remove_prefix(1);
    for (;;) {
      rest = TrimRight(rest.substr(0, rest.find(';')));
      const bool continued = !rest.empty() && rest.back() == '\\';
      if (continued) rest.remove_suffix(1);
      if (!ParseHexBytes(rest, continued, &change->data)) return false;
      if (!continued) break;
      // Comment lines may stand between continued lines.
      do {
        if (!NextLine(&rest)) return Fail("the file ends inside a value continued with \\");
        rest = TrimLeft(rest);
      } while (!rest.empty() && rest.front() == ';');
    }
    if (unicodeValues_ && IsText(change->type)) change->data = AnsiFromUtf16Bytes(change->data);
    return true;
  }

  // One line's share of a hex list: "01,02,ff" with blanks allowed around the
  // bytes and a comma after the last (always, before a continuation).
  bool ParseHexBytes(std::string_view list, bool continued, std::vector<std::uint8_t>* data) {
    if (Trim(list).empty()) return true;
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = list.find(',', start);
      const std::string_view item = Trim(list.substr(start, comma == std::string_view::npos ? comma : comma - start));
      const bool last = comma == std::string_view::npos;
      if (item.empty() && last && start > 0) return true;  // after a trailing comma
      const auto byte = ParseHex(item, 2);
      if (!byte) return Fail("a hex list needs bytes of 1 or 2 hexadecimal digits separated by commas");
      data->push_back(static_cast<std::uint8_t>(*byte));
      if (last) return continued ? Fail("a continued hex list needs a comma before the \\") : true;
      start = comma + 1;
    }
  }

  struct Section {
    RegKey root;
    std::string path;
    bool deleted;
  };

  std::string_view text_;
  const std::string& fileName_;
  std::size_t position_ = 0;
  int lineNumber_ = 0;
  bool unicodeValues_ = false;
  std::optional<Section> section_;
  std::vector<Change>* changes_ = nullptr;
  std::string problem_;
};

void Apply(const Change& change, IRegistry& registry) {
  const char* path = change.path.c_str();
  switch (change.kind) {
    case Change::kCreateKey:
    case Change::kSetValue: {
      RegKey key = 0;
      if (registry.CreateKey(change.root, path, &key) != reg::kSuccess) return;
      if (change.kind == Change::kSetValue)
        registry.SetValueEx(key, change.name.c_str(), change.type, change.data.data(),
                            static_cast<std::uint32_t>(change.data.size()));
      registry.CloseKey(key);
      return;
    }
    case Change::kDeleteKey:  // a key that is not there is already deleted
      registry.DeleteTree(change.root, path);
      return;
    case Change::kDeleteValue:
      registry.DeleteValueByPath(change.root, path, change.name.c_str());
      return;
  }
}

// Writing.

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out.push_back(c);
    }
  }
  return out + "\"";
}

// Text the registry editor can show as "text": the bytes end in the one zero.
bool IsPlainText(const MemoryRegistry::Value& value) {
  if (value.type != reg::kSz || value.data.empty() || value.data.back() != 0) return false;
  const std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
  return text.find('\0') == std::string_view::npos && !HasLineBreak(text);
}

std::string HexNumber(std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0 || static_cast<int>(out.size()) < digits);
  return out;
}

// Bytes as the registry editor lists them: lines of at most 80 characters,
// each ended by a backslash when the list goes on, continued after two blanks.
void AppendHexList(std::string& out, std::string line, const std::vector<std::uint8_t>& bytes) {
  constexpr std::size_t kWidth = 80;
  bool lineHasBytes = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::string item = HexNumber(bytes[i], 2) + (i + 1 < bytes.size() ? "," : "");
    if (lineHasBytes && line.size() + item.size() + 1 > kWidth) {
      out += line + "\\\r\n";
      line = "  ";
    }
    line += item;
    lineHasBytes = true;
  }
  out += line + "\r\n";
}

std::string ValueName(const std::string& name) { return (name.empty() ? std::string("@") : Quoted(name)) + "="; }

void AppendValue(std::string& out, const MemoryRegistry::Value& value) {
  const std::string name = ValueName(value.name);
  if (IsPlainText(value)) {
    out += name + Quoted(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1)) +
           "\r\n";
  } else if (value.type == reg::kDword && value.data.size() == 4) {
    const std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                 static_cast<std::uint32_t>(value.data[3]) << 24;
    out += name + "dword:" + HexNumber(number, 8) + "\r\n";
  } else if (value.type == reg::kBinary) {
    AppendHexList(out, name + "hex:", value.data);
  } else {
    AppendHexList(out, name + "hex(" + HexNumber(value.type, 1) + "):", value.data);
  }
}

}  // namespace

void RegistryFileKeys::Add(RegKey root, std::string_view path) { keys_.emplace(root, UpperCase(path)); }

bool RegistryFileKeys::Contains(RegKey root, std::string_view path) const {
  return keys_.count({root, UpperCase(path)}) != 0;
}

bool ParseRegistryText(std::string_view bytes, const std::string& fileName, std::vector<RegChange>* changes,
                       std::string* error) {
  const std::string text = DecodeFile(bytes);
  return Parser(text, fileName).Parse(changes, error);
}

void ApplyRegistryChanges(const std::vector<RegChange>& changes, IRegistry& registry) {
  for (const Change& change : changes) Apply(change, registry);
}

bool ImportRegistryText(std::string_view bytes, const std::string& fileName, MemoryRegistry& registry,
                        std::string* error, RegistryFileKeys* named) {
  std::vector<Change> changes;
  if (!ParseRegistryText(bytes, fileName, &changes, error)) return false;
  ApplyRegistryChanges(changes, registry);
  if (named)
    for (const Change& change : changes)
      if (change.kind == Change::kCreateKey) named->Add(change.root, change.path);
  return true;
}
std::string RegistryKeyName(RegKey root, std::string_view path) {
  std::string name;
  for (const RootName& candidate : kRoots)
    if (candidate.key == root) name = candidate.full;
  if (!path.empty()) name += "\\" + std::string(path);
  return name;
}

std::string RegistryChangesText(const std::vector<RegChange>& changes, const std::vector<std::string>& comment) {
  std::string out = std::string(kRegedit4Header) + "\r\n";
  for (std::string line : comment) {
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');  // one line each
    out += "; " + line + "\r\n";
  }
  std::string section;  // the key the value lines now go to
  for (const Change& change : changes) {
    const std::string key = RegistryKeyName(change.root, change.path);
    if (change.kind == Change::kDeleteKey) {
      out += "\r\n[-" + key + "]\r\n";
      section.clear();
      continue;
    }
    if (change.kind == Change::kCreateKey || key != section) {
      out += "\r\n[" + key + "]\r\n";
      section = key;
    }
    if (change.kind == Change::kSetValue)
      AppendValue(out, {change.name, change.type, change.data});
    else if (change.kind == Change::kDeleteValue)
      out += ValueName(change.name) + "-\r\n";
  }
  return out;
}

bool ExportRegistryText(const MemoryRegistry& registry, std::string* text, std::string* error,
                        const RegistryFileKeys& kept) {
  const MemoryRegistry fresh;  // what exists before anything is stored
  std::string out = std::string(kRegedit4Header) + "\r\n\r\n";
  std::string badKey;
  for (const RootName& root : kRoots) {
    std::vector<std::pair<std::string, std::vector<MemoryRegistry::Value>>> keys;  // parents first
    registry.ForEachKey(root.key, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
      keys.emplace_back(path, values);
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const auto& [path, values] = keys[i];
      const bool hasSubkeys =
          i + 1 < keys.size() && (path.empty() || keys[i + 1].first.starts_with(path + "\\"));
      const bool implied = hasSubkeys || fresh.KeyExists(root.key, path);
      if (values.empty() && implied && !kept.Contains(root.key, path)) continue;
      const std::string section = std::string(root.full) + (path.empty() ? "" : "\\" + path);
      if (HasLineBreak(path)) {
        if (badKey.empty()) badKey = section;
        continue;
      }
      out += "[" + section + "]\r\n";
      for (const auto& value : values) AppendValue(out, value);
      out += "\r\n";
    }
  }
  if (!badKey.empty()) {
    if (error) *error = "the key " + Quoted(badKey) + " has a line break in its name, which a registry file cannot hold";
    return false;
  }
  *text = std::move(out);
  return true;
}

bool LoadRegistryFile(const std::string& path, MemoryRegistry& registry, std::string* error,
                      RegistryFileKeys* named) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    if (error) *error = path + ": cannot read the file";
    return false;
  }
  return ImportRegistryText(*bytes, path, registry, error, named);
}

bool SaveRegistryFile(const MemoryRegistry& registry, const std::string& path, std::string* error,
                      const RegistryFileKeys& kept) {
  std::string text;
  if (!ExportRegistryText(registry, &text, error, kept)) {
    if (error) *error = path + ": " + *error;
    return false;
  }
  if (!ReplaceFileContent(path, text)) {
    if (error) *error = path + ": cannot write the file";
    return false;
  }
  return true;
}

}  // namespace corvandel

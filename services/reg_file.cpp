#include "services/reg_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "services/ansi_text.h"
#include "services/file_text.h"

namespace corvandel {
namespace {

struct RootName {
  std::string_view full;
  std::string_view abbreviation;
  RegKey key;  // 0: a root no tweak uses, whose lines are kept as they stand
};

constexpr std::array<RootName, 7> kRoots = {{
    {"HKEY_CLASSES_ROOT", "HKCR", reg::kClassesRoot},
    {"HKEY_CURRENT_USER", "HKCU", reg::kCurrentUser},
    {"HKEY_LOCAL_MACHINE", "HKLM", reg::kLocalMachine},
    {"HKEY_USERS", "HKU", reg::kUsers},
    {"HKEY_CURRENT_CONFIG", "HKCC", 0},
    {"HKEY_DYN_DATA", "HKDD", 0},
    {"HKEY_PERFORMANCE_DATA", "", 0},
}};

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = Upper(c);
  return upper;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
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

using Encoding = RegistryFile::Encoding;

// A file's lines, found and decoded one at a time as the parser asks for
// them: where each lies in the file's bytes, and its text in the program's
// ANSI with the Unicode it lacks kept (NarrowKeepingUnicode). Lines split at
// CR LF, LF or CR, in the file's own encoding: UTF-16LE and UTF-8 files carry
// a byte-order mark, which stays part of the first line. The bytes are all
// given at once, or read from a source a window at a time, so that a large
// file is never held whole.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) { DetectEncoding(); }
  explicit LineReader(const RegistryFile::ByteSource& source) : source_(&source), more_(true) {
    Refill();
    DetectEncoding();
  }
  LineReader(const LineReader&) = delete;  // the window points into the buffer
  LineReader& operator=(const LineReader&) = delete;

  Encoding encoding() const { return encoding_; }
  bool lastLineEnded() const { return lastLineEnded_; }
  // Why the source could not be read; empty while it could.
  const std::string& failure() const { return failure_; }
  // After the last line: the file's size.
  std::size_t size() const { return base_ + bytes_.size(); }

  // The next line's text, without its line end, and where the line lies
  // (from the end of the one before, line end included).
  bool Next(std::string_view* text, RegistryFile::Line* where) {
    const std::size_t begin = base_ + at_;
    at_ = std::max(at_, start_);
    if (more_ && bytes_.size() - at_ < kWindow / 4) Refill();
    if (at_ >= bytes_.size()) return false;
    // A line that runs past the window is read again in a larger one.
    while (!(encoding_ == Encoding::kUtf16Le ? NextUtf16(text) : NextBytes(text))) Refill();
    *where = {begin, base_ + at_};
    return true;
  }

 private:
  static constexpr std::size_t kWindow = 1 << 20;

  void DetectEncoding() {
    if (bytes_.size() >= 2 && bytes_[0] == '\xFF' && bytes_[1] == '\xFE') {
      encoding_ = Encoding::kUtf16Le;
      start_ = 2;
    } else if (bytes_.substr(0, 3) == "\xEF\xBB\xBF") {
      encoding_ = Encoding::kUtf8;
      start_ = 3;
    }
  }

  // Keeps the window from the line being read on and fills it up, or makes
  // it a window larger where that line fills it already.
  void Refill() {
    buffer_.erase(0, at_);
    base_ += at_;
    start_ = start_ > at_ ? start_ - at_ : 0;
    at_ = 0;
    const std::size_t had = buffer_.size(), wanted = had < kWindow / 2 ? kWindow - had : kWindow;
    if ((*source_)(base_ + had, wanted, &buffer_, &failure_)) {
      more_ = buffer_.size() - had == wanted;
    } else {
      buffer_.resize(had);  // the lines read so far end the file; the parse fails
      more_ = false;
    }
    bytes_ = buffer_;
  }

  char16_t UnitAt(std::size_t i) const {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes_[i]) | static_cast<unsigned char>(bytes_[i + 1]) << 8);
  }

  // False, with nothing read, when the window ends before the line does.
  bool NextUtf16(std::string_view* text) {
    const auto* units = reinterpret_cast<const unsigned char*>(bytes_.data());
    std::size_t i = at_;
    bool ascii = true;  // most lines: the same characters in ANSI
    for (; i + 1 < bytes_.size(); i += 2) {
      if (units[i + 1] == 0 && (units[i] == '\r' || units[i] == '\n')) break;
      ascii = ascii && units[i + 1] == 0 && units[i] < 0x80;
    }
    if (more_ && (i + 1 >= bytes_.size() || (units[i] == '\r' && i + 3 >= bytes_.size()))) return false;
    if (ascii) {
      text_.resize((i - at_) / 2);
      char* out = text_.data();
      for (std::size_t at = at_; at < i; at += 2) *out++ = static_cast<char>(units[at]);
    } else {
      text_.clear();
      for (std::size_t at = at_; at < i; at += 2) {
        const char16_t unit = UnitAt(at);
        if (unit < 0x80)
          text_.push_back(static_cast<char>(unit));
        else
          AppendNarrowKeepingUnicode(std::u16string_view(&unit, 1), &text_);
      }
    }
    lastLineEnded_ = i + 1 < bytes_.size();
    if (lastLineEnded_) {
      const bool cr = UnitAt(i) == u'\r';
      i += 2;
      if (cr && i + 1 < bytes_.size() && UnitAt(i) == u'\n') i += 2;
    } else {
      i = bytes_.size();  // an odd last byte has no character
    }
    at_ = i;
    *text = text_;
    return true;
  }

  bool NextBytes(std::string_view* text) {
    const std::size_t start = at_;
    std::size_t end = bytes_.find_first_of("\r\n", start);
    if (more_ && (end == std::string_view::npos || (bytes_[end] == '\r' && end + 1 >= bytes_.size()))) return false;
    if (end == std::string_view::npos) end = bytes_.size();
    std::size_t i = end;
    lastLineEnded_ = i < bytes_.size();
    if (i < bytes_.size() && bytes_[i] == '\r') ++i;
    if (end < bytes_.size() && bytes_[end] == '\r' && i < bytes_.size() && bytes_[i] == '\n') ++i;
    else if (end < bytes_.size() && bytes_[end] == '\n') ++i;
    at_ = i;
    const std::string_view line = bytes_.substr(start, end - start);
    if (encoding_ == Encoding::kAnsi) {
      *text = line;
      return true;
    }
    text_.clear();
    AppendNarrowKeepingUnicode(DecodeUtf8(line), &text_);
    *text = text_;
    return true;
  }

  const RegistryFile::ByteSource* source_ = nullptr;
  bool more_ = false;      // the source holds bytes after the window
  std::string buffer_;     // the window, when read from the source
  std::string failure_;
  std::string_view bytes_;  // the window
  std::size_t base_ = 0;    // where the window lies in the file
  Encoding encoding_ = Encoding::kAnsi;
  std::size_t start_ = 0;  // after the byte-order mark
  std::size_t at_ = 0;     // the next line's first byte
  bool lastLineEnded_ = true;
  std::string text_;  // the last line read, decoded
};

// UTF-16LE bytes to the program's text, in place; an odd last byte has no
// character.
void NarrowUtf16Bytes(std::vector<std::uint8_t>* bytes) {
  const std::size_t units = bytes->size() / 2;
  std::size_t i = 0;
  for (; i < units && (*bytes)[2 * i + 1] == 0 && (*bytes)[2 * i] < 0x80; ++i) (*bytes)[i] = (*bytes)[2 * i];
  if (i == units) {  // the same characters in ANSI
    bytes->resize(units);
    return;
  }
  std::u16string rest;
  for (std::size_t at = 2 * i; at + 1 < bytes->size(); at += 2)
    rest.push_back(static_cast<char16_t>((*bytes)[at] | (*bytes)[at + 1] << 8));
  const std::string text = NarrowKeepingUnicode(rest);
  bytes->resize(i);
  bytes->insert(bytes->end(), text.begin(), text.end());
}

std::vector<std::uint8_t> Utf16BytesFromAnsi(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : WidenKeptUnicode(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()))) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// The program's text in a file's encoding.
void AppendEncoded(std::string& out, std::string_view text, Encoding encoding) {
  switch (encoding) {
    case Encoding::kAnsi:
      out += text;
      return;
    case Encoding::kUtf8:
      out += EncodeUtf8(WidenKeptUnicode(text));
      return;
    case Encoding::kUtf16Le:
      for (char16_t unit : WidenKeptUnicode(text)) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
      }
      return;
  }
}

bool IsText(std::uint32_t type) { return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz; }

// A file becomes a list of changes before any is made, and a list of
// blocks (its logical lines) to write it back by.
using Change = RegChange;
using Block = RegistryFile::Block;

std::size_t KeyDepth(std::string_view path) {
  return path.empty() ? 0 : static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) + 1;
}

// Where a parse's changes go as they are read: a key's section, then each of
// its values (with root and path left empty: the key's).
class ChangeSink {
 public:
  virtual void Key(const Change& key) = 0;
  virtual void Value(const Change& value) = 0;

 protected:
  ~ChangeSink() = default;
};

// The changes listed, each with its key.
class ChangeList final : public ChangeSink {
 public:
  explicit ChangeList(std::vector<Change>* changes) : changes_(changes) {}
  void Key(const Change& key) override {
    changes_->push_back(key);
    root_ = key.root;
    path_ = key.path;
  }
  void Value(const Change& value) override {
    changes_->push_back(value);
    changes_->back().root = root_;
    changes_->back().path = path_;
  }

 private:
  std::vector<Change>* changes_;
  RegKey root_ = 0;
  std::string path_;
};

void Apply(const Change& change, IRegistry& registry);

// The changes made as they are read, as ApplyRegistryChanges makes them;
// a key stays open for its section's values.
class ChangeWriter final : public ChangeSink {
 public:
  explicit ChangeWriter(IRegistry& registry) : registry_(registry) {}
  ~ChangeWriter() { Close(); }
  ChangeWriter(const ChangeWriter&) = delete;
  ChangeWriter& operator=(const ChangeWriter&) = delete;

  void Key(const Change& key) override {
    Close();
    root_ = key.root;
    path_ = key.path;
    if (key.kind == Change::kDeleteKey)
      Apply(key, registry_);
    else
      open_ = registry_.CreateKey(key.root, key.path.c_str(), &handle_) == reg::kSuccess;
  }
  void Value(const Change& value) override {
    if (!open_) {  // each value tries the key again, as a change of its own
      Change change = value;
      change.root = root_;
      change.path = path_;
      Apply(change, registry_);
    } else if (value.kind == Change::kSetValue) {
      registry_.SetValueEx(handle_, value.name.c_str(), value.type, value.data.data(),
                           static_cast<std::uint32_t>(value.data.size()));
    } else {
      registry_.DeleteValue(handle_, value.name.c_str());
    }
  }

 private:
  void Close() {
    if (open_) registry_.CloseKey(handle_);
    open_ = false;
  }

  IRegistry& registry_;
  RegKey root_ = 0;
  std::string path_;
  RegKey handle_ = 0;
  bool open_ = false;
};

class Parser {
 public:
  // blocks, when given, gets the file's blocks.
  Parser(LineReader& in, const std::string& fileName, std::vector<Block>* blocks = nullptr)
      : in_(in), fileName_(fileName), blocks_(blocks) {}

  // The changes go to sink, when given.
  bool Parse(ChangeSink* sink, std::string* error) {
    sink_ = sink;
    bool ok = ParseAll();
    if (!in_.failure().empty()) ok = Fail("cannot read: " + in_.failure());
    if (!ok && error) *error = fileName_ + ":" + std::to_string(next_) + ": " + problem_;
    return ok;
  }

  bool version5() const { return unicodeValues_; }

 private:
  bool Fail(std::string what) {
    problem_ = std::move(what);
    return false;
  }

  // The next physical line's text, without its line end.
  bool NextLine(std::string_view* line) {
    if (!in_.Next(line, &where_)) return false;
    ++next_;
    return true;
  }

  // The block from the line that began at begin to the last line read.
  void AddBlock(Block::Kind kind, std::size_t begin, bool deletion = false, std::string name = {}) {
    if (blocks_) blocks_->push_back({kind, deletion, begin, where_.end, sectionBlock_, std::move(name)});
  }

  bool ParseAll() {
    std::string_view line;
    if (!NextLine(&line)) {
      ++next_;
      return Fail("an empty file, not a registry file");
    }
    const std::string_view header = Trim(line);
    if (header == kRegedit5Header) {
      unicodeValues_ = true;
    } else if (header != kRegedit4Header) {
      return Fail("not a registry file: the first line must be \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\"");
    }
    AddBlock(Block::kHeader, 0);
    while (NextLine(&line)) {
      const std::size_t first = where_.begin;
      line = TrimLeft(line);
      if (line.empty()) {
        AddBlock(Block::kBlank, first);
      } else if (line.front() == ';') {
        AddBlock(Block::kComment, first);
      } else if (line.front() == '[') {
        if (!ParseSection(line)) return false;
        sectionBlock_ = blocks_ ? blocks_->size() : 0;
        AddBlock(Block::kSection, first, section_->deleted, section_->key);
      } else if (line.front() == '"' || line.front() == '@') {
        if (!ParseValue(line, &value_)) return false;
        AddBlock(Block::kValue, first, value_.kind == Change::kDeleteValue, value_.name);
        // Values under a deleted key, or a root no tweak uses, are not imported.
        if (!section_->deleted && section_->root != 0 && sink_) sink_->Value(value_);
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
      if (EqualsIgnoringCase(rootName, candidate.full) || (!candidate.abbreviation.empty() && EqualsIgnoringCase(rootName, candidate.abbreviation)))
        root = &candidate;
    if (!root) return Fail("unknown root key \"" + std::string(rootName) + "\"");
    std::string_view path = slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.find("\\\\") != std::string_view::npos || (!path.empty() && path.front() == '\\'))
      return Fail("an empty key name in the path");
    if (KeyDepth(path) > kMaxKeyDepth)
      return Fail("a key " + std::to_string(KeyDepth(path)) + " levels deep; the registry allows " +
                  std::to_string(kMaxKeyDepth));

    if (deletion && path.empty()) return Fail("a root key cannot be deleted");
    std::string key(root->full);
    if (!path.empty()) (key += '\\') += path;
    section_ = Section{root->key, std::string(path), deletion, std::move(key)};
    if (root->key != 0 && sink_)
      sink_->Key({deletion ? Change::kDeleteKey : Change::kCreateKey, root->key, std::string(path), {}, {}, {}});
    return true;
  }

  // A quoted text starting at rest[0] == '"': \\ and \" as the registry
  // editor escapes them, \r and \n as Wine's editor also writes line breaks.
  bool ParseQuoted(std::string_view* rest, std::string* text) {
    std::string_view s = rest->substr(1);
    text->clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
      std::size_t plain = i;
      while (plain < s.size() && s[plain] != '"' && s[plain] != '\\') ++plain;
      text->append(s, i, plain - i);
      if ((i = plain) == s.size()) break;
      if (s[i] == '"') {
        *rest = s.substr(i + 1);
        return true;
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

  // Into change, whose name and data keep their room from value to value.
  bool ParseValue(std::string_view line, Change* out) {
    if (!section_) return Fail("a value before the first [key] section");
    Change& change = *out;
    change.kind = Change::kSetValue;
    change.type = reg::kNone;
    change.name.clear();
    change.data.clear();
    std::string_view rest = line;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else if (!ParseQuoted(&rest, &change.name)) {
      return false;
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') return Fail("a value name without = after it");
    rest = TrimLeft(rest.substr(1));

    if (!rest.empty() && rest.front() == '-') {
      if (!IsEndOfEntry(rest.substr(1))) return Fail("text after the - of a value deletion");
      change.kind = Change::kDeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      if (!ParseQuoted(&rest, &text_)) return false;
      if (!IsEndOfEntry(rest)) return Fail("text after the closing \" of a value");
      change.type = reg::kSz;
      change.data.assign(text_.begin(), text_.end());
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
    if (unicodeValues_ && IsText(change->type)) NarrowUtf16Bytes(&change->data);
    return true;
  }

  // One line's share of a hex list: "01,02,ff" with blanks allowed around the
  // bytes and a comma after the last (always, before a continuation).
  bool ParseHexBytes(std::string_view list, bool continued, std::vector<std::uint8_t>* data) {
    if (Trim(list).empty()) return true;
    data->reserve(data->size() + list.size() / 3 + 1);
    std::size_t start = 0;
    for (;;) {
      std::size_t comma = start;
      while (comma < list.size() && list[comma] != ',') ++comma;
      const bool last = comma == list.size();
      const std::string_view item = Trim(list.substr(start, comma - start));
      if (item.empty() && last && start > 0) return true;  // after a trailing comma
      // Nearly every item is two digits: read without the general parse.
      const int high = item.size() == 2 ? HexDigit(item[0]) : -1, low = high >= 0 ? HexDigit(item[1]) : -1;
      const auto byte = low >= 0 ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(high << 4 | low)) : ParseHex(item, 2);
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
    std::string key;  // the root's full name and the path
  };

  LineReader& in_;
  const std::string& fileName_;
  std::vector<Block>* blocks_;
  RegistryFile::Line where_{0, 0};  // the last line read
  std::size_t next_ = 0;  // the next physical line; the number of the last one read
  bool unicodeValues_ = false;
  std::optional<Section> section_;
  std::size_t sectionBlock_ = 0;
  Change value_;      // the value line being read
  std::string text_;  // its quoted text
  ChangeSink* sink_ = nullptr;
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

std::string_view AsText(const std::vector<std::uint8_t>& data) {
  return {reinterpret_cast<const char*>(data.data()), data.size()};
}

// Text the registry editor can show as "text": the bytes end in the one zero.
bool IsPlainText(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (type != reg::kSz || data.empty() || data.back() != 0) return false;
  const std::string_view text = AsText(data).substr(0, data.size() - 1);
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

// How a file writes its values: version 5.00 files hold text types as
// UTF-16LE bytes; line ends as the file has them.
struct Form {
  bool version5 = false;
  std::string_view newline = "\r\n";
};

// Bytes as the registry editor lists them: lines of at most 80 characters,
// each ended by a backslash when the list goes on, continued after two blanks.
void AppendHexList(std::string& out, std::string line, const std::vector<std::uint8_t>& bytes, const Form& form) {
  constexpr std::size_t kWidth = 80;
  bool lineHasBytes = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::string item = HexNumber(bytes[i], 2) + (i + 1 < bytes.size() ? "," : "");
    if (lineHasBytes && line.size() + item.size() + 1 > kWidth) {
      ((out += line) += '\\') += form.newline;
      line = "  ";
    }
    line += item;
    lineHasBytes = true;
  }
  (out += line) += form.newline;
}

std::string ValueName(const std::string& name) { return (name.empty() ? std::string("@") : Quoted(name)) + "="; }

void AppendValue(std::string& out, const std::string& valueName, std::uint32_t type,
                 const std::vector<std::uint8_t>& data, const Form& form) {
  const std::string name = ValueName(valueName);
  if (IsPlainText(type, data)) {
    ((out += name) += Quoted(AsText(data).substr(0, data.size() - 1))) += form.newline;
  } else if (type == reg::kDword && data.size() == 4) {
    const std::uint32_t number = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    ((out += name) += "dword:" + HexNumber(number, 8)) += form.newline;
  } else if (type == reg::kBinary) {
    AppendHexList(out, name + "hex:", data, form);
  } else {
    AppendHexList(out, name + "hex(" + HexNumber(type, 1) + "):", form.version5 && IsText(type) ? Utf16BytesFromAnsi(data) : data,
                  form);
  }
}

// Text that only hex bytes could give exactly (stored without its zero, or
// with more than one), shown for people as a comment after them.
std::optional<std::string> TextShownBeside(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if ((type != reg::kSz && type != reg::kExpandSz) || IsPlainText(type, data)) return std::nullopt;
  std::string_view text = AsText(data);
  while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  if (text.find('\0') != std::string_view::npos || HasLineBreak(text)) return std::nullopt;
  return "; " + Quoted(text);
}

bool NeedsVersion5(const Change& change) {
  return HoldsKeptUnicode(change.path) || HoldsKeptUnicode(change.name) ||
         (IsText(change.type) && HoldsKeptUnicode(AsText(change.data)));
}

// Text in the program's code page with its header, as a file: REGEDIT4
// bytes, or version 5.00 in UTF-16LE with its byte-order mark.
std::string AsFile(std::string_view body, bool version5) {
  std::string out;
  if (!version5) return std::string(kRegedit4Header) + "\r\n" + std::string(body);
  out = "\xFF\xFE";
  AppendEncoded(out, std::string(kRegedit5Header) + "\r\n", Encoding::kUtf16Le);
  AppendEncoded(out, body, Encoding::kUtf16Le);
  return out;
}

}  // namespace

bool ParseRegistryText(std::string_view bytes, const std::string& fileName, std::vector<RegChange>* changes,
                       std::string* error) {
  LineReader lines(bytes);
  ChangeList list(changes);
  return Parser(lines, fileName).Parse(&list, error);
}

void ApplyRegistryChanges(const std::vector<RegChange>& changes, IRegistry& registry) {
  for (const Change& change : changes) Apply(change, registry);
}

std::string RegistryKeyName(RegKey root, std::string_view path) {
  std::string name;
  for (const RootName& candidate : kRoots)
    if (candidate.key == root && root != 0) name = candidate.full;
  if (!path.empty()) name += "\\" + std::string(path);
  return name;
}

std::string RegistryChangesText(const std::vector<RegChange>& changes, const std::vector<std::string>& comment) {
  const bool version5 = std::any_of(changes.begin(), changes.end(), [](const Change& c) { return NeedsVersion5(c); }) ||
                        std::any_of(comment.begin(), comment.end(), [](const std::string& c) { return HoldsKeptUnicode(c); });
  const Form form{version5};
  std::string out;
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
    if (change.kind == Change::kSetValue) {
      AppendValue(out, change.name, change.type, change.data, form);
      if (const auto shown = TextShownBeside(change.type, change.data)) out += *shown + "\r\n";
    } else if (change.kind == Change::kDeleteValue) {
      out += ValueName(change.name) + "-\r\n";
    }
  }
  return AsFile(out, version5);
}

bool ExportRegistryText(const MemoryRegistry& registry, std::string* text, std::string* error) {
  const MemoryRegistry fresh;  // what exists before anything is stored
  struct KeyText {
    std::string section;
    std::vector<MemoryRegistry::Value> values;
  };
  std::vector<KeyText> written;
  bool version5 = false;
  std::string badKey;
  for (const RootName& root : kRoots) {
    if (root.key == 0) continue;
    std::vector<std::pair<std::string, std::vector<MemoryRegistry::Value>>> keys;  // parents first
    registry.ForEachKey(root.key, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
      keys.emplace_back(path, values);
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
      auto& [path, values] = keys[i];
      const bool hasSubkeys =
          i + 1 < keys.size() && (path.empty() || keys[i + 1].first.starts_with(path + "\\"));
      if (values.empty() && (hasSubkeys || fresh.KeyExists(root.key, path))) continue;
      const std::string section = RegistryKeyName(root.key, path);
      if (HasLineBreak(path)) {
        if (badKey.empty()) badKey = section;
        continue;
      }
      version5 = version5 || HoldsKeptUnicode(path) || std::any_of(values.begin(), values.end(), [](const auto& v) {
                   return HoldsKeptUnicode(v.name) || (IsText(v.type) && HoldsKeptUnicode(AsText(v.data)));
                 });
      written.push_back({section, std::move(values)});
    }
  }
  if (!badKey.empty()) {
    if (error) *error = "the key " + Quoted(badKey) + " has a line break in its name, which a registry file cannot hold";
    return false;
  }
  const Form form{version5};
  std::string out = "\r\n";
  for (const KeyText& key : written) {
    out += "[" + key.section + "]\r\n";
    for (const auto& value : key.values) AppendValue(out, value.name, value.type, value.data, form);
    out += "\r\n";
  }
  *text = AsFile(out, version5);
  return true;
}

bool RegistryFile::Read(std::string bytes, const std::string& fileName, MemoryRegistry& registry, std::string* error) {
  *this = RegistryFile();
  bytes_ = std::move(bytes);
  return Import(fileName, registry, error);
}

bool RegistryFile::Read(std::unique_ptr<OpenFile> file, const std::string& fileName, MemoryRegistry& registry,
                        std::string* error) {
  *this = RegistryFile();
  file_ = std::move(file);
  return Import(fileName, registry, error);
}

RegistryFile::ByteSource RegistryFile::Source() const {
  if (file_)
    return [file = file_.get()](std::uint64_t offset, std::size_t size, std::string* into, std::string* reason) {
      return file->ReadAt(offset, size, into, reason);
    };
  return [bytes = std::string_view(bytes_)](std::uint64_t offset, std::size_t size, std::string* into, std::string*) {
    if (offset < bytes.size()) into->append(bytes.substr(offset, size));
    return true;
  };
}

bool RegistryFile::PutOriginal(std::size_t begin, std::size_t end, const PutBytes& put, std::string* error) const {
  if (!file_) return put(std::string_view(bytes_).substr(begin, end - begin));
  constexpr std::size_t kPiece = 1 << 20;
  std::string piece, reason;
  for (std::size_t at = begin; at < end; at += piece.size()) {
    piece.clear();
    if (!file_->ReadAt(at, std::min(kPiece, end - at), &piece, &reason) || piece.empty()) {
      if (error) *error = "cannot read the file again: " + (reason.empty() ? "it is shorter than it was" : reason);
      return false;
    }
    if (!put(piece)) return false;
  }
  return true;
}

bool RegistryFile::Import(const std::string& fileName, MemoryRegistry& registry, std::string* error) {
  const ByteSource source = Source();
  const auto reader = [&] { return file_ ? LineReader(source) : LineReader(bytes_); };
  // The changes are made as they are read, in one pass over the file: a
  // registry that holds nothing yet is made empty again on an error; any
  // other is left alone until a first pass has found the file sound.
  const bool pristine = registry.IsPristine();
  if (!pristine) {
    LineReader check = reader();
    if (!Parser(check, fileName).Parse(nullptr, error)) {
      *this = RegistryFile();
      return false;
    }
  }
  std::vector<Block> blocks;
  LineReader lines = reader();
  Parser parser(lines, fileName, &blocks);
  bool ok;
  {
    ChangeWriter writer(registry);
    ok = parser.Parse(&writer, error);
  }
  std::string header;
  if (ok && !PutOriginal(0, blocks.front().end, [&](std::string_view piece) { return header.append(piece), true; },
                         error))
    ok = false;
  if (!ok) {
    registry = MemoryRegistry();
    *this = RegistryFile();
    return false;
  }

  size_ = lines.size();
  encoding_ = lines.encoding();
  version5_ = parser.version5();
  blocks_ = std::move(blocks);
  lastLineEnded_ = lines.lastLineEnded();
  // New lines end as the header's line does.
  const std::string_view headerEnd = header;
  const std::size_t unit = encoding_ == Encoding::kUtf16Le ? 2 : 1;
  const bool cr = headerEnd.size() >= unit && headerEnd[headerEnd.size() - unit] == '\r';
  const bool lf = headerEnd.size() >= unit && headerEnd[headerEnd.size() - unit] == '\n';
  const bool crlf = lf && headerEnd.size() >= 2 * unit && headerEnd[headerEnd.size() - 2 * unit] == '\r';
  newline_ = crlf ? "\r\n" : lf ? "\n" : cr ? "\r" : "\r\n";
  sections_.clear();
  deletions_.clear();
  for (std::size_t i = 0; i < blocks_.size(); ++i)
    if (blocks_[i].kind == Block::kSection)
      (blocks_[i].deletion ? deletions_ : sections_)[UpperCase(blocks_[i].name)].push_back(i);
  return true;
}

// Works a run's changes into a registry file's blocks: what to leave out,
// what to write instead, and what to write after a block.
class RegistryFileRewriter {
 public:
  explicit RegistryFileRewriter(const RegistryFile& file)
      : file_(file), blocks_(file.blocks_), form_{file.version5_, file.newline_} {}

  bool Make(const std::vector<RegChange>& made, const RegistryFile::PutBytes& put, std::string* error) {
    for (const Change& change : made) {
      if (HasLineBreak(change.path)) {
        if (error) *error = "the key " + Quoted(RegistryKeyName(change.root, change.path)) +
                            " has a line break in its name, which a registry file cannot hold";
        return false;
      }
      const std::string key = UpperCase(RegistryKeyName(change.root, change.path));
      switch (change.kind) {
        case Change::kSetValue: SetValue(key, change); break;
        case Change::kDeleteValue: DeleteValue(key, change.name); break;
        case Change::kDeleteKey: DeleteKey(key, change); break;
        case Change::kCreateKey:
          if (!FindNew(key) && Effective(key).empty()) NewSectionFor(key, change);
          break;
      }
    }
    return Write(put, error);
  }

 private:
  struct NewSection {
    std::size_t anchor;  // written after this block
    std::string key;     // upper case
    std::string header;  // "[KEY]" or "[-KEY]"
    std::vector<std::pair<std::string, std::string>> values;  // name, lines
    bool gone = false;
  };

  // The first block from which a section of key counts: after the last
  // [-KEY] of it or of a key above it.
  std::size_t CountsFrom(const std::string& key) const {
    std::size_t from = 0;
    for (std::size_t at = key.find('\\'); ; at = key.find('\\', at + 1)) {
      const auto deleted = file_.deletions_.find(key.substr(0, at));
      if (deleted != file_.deletions_.end()) from = std::max(from, deleted->second.back() + 1);
      if (at == std::string::npos) return from;
    }
  }

  // The sections of the key that the import of the file keeps.
  std::vector<std::size_t> Effective(const std::string& key) const {
    std::vector<std::size_t> effective;
    const auto found = file_.sections_.find(key);
    if (found == file_.sections_.end()) return effective;
    const std::size_t from = CountsFrom(key);
    for (std::size_t s : found->second)
      if (s >= from && !dropped_.count(s)) effective.push_back(s);
    return effective;
  }

  std::size_t SectionEnd(std::size_t section) const {
    std::size_t end = section + 1;
    while (end < blocks_.size() && blocks_[end].kind != Block::kSection) ++end;
    return end;
  }

  // A section's last value line, or its header.
  std::size_t LastContent(std::size_t section) const {
    std::size_t last = section;
    for (std::size_t b = section + 1; b < SectionEnd(section); ++b)
      if (blocks_[b].kind == Block::kValue) last = b;
    return last;
  }

  NewSection* FindNew(const std::string& key) {
    for (NewSection& fresh : new_)
      if (!fresh.gone && fresh.key == key && fresh.header[1] != '-') return &fresh;
    return nullptr;
  }

  static bool Within(const std::string& key, const std::string& top) {
    return key.size() > top.size() && key.compare(0, top.size(), top) == 0 && key[top.size()] == '\\';
  }

  // A new key's section goes after the keys of its nearest ancestor that the
  // file names (or, failing that, after the file's last line of content),
  // and after any [-KEY] that would delete it again.
  std::size_t Anchor(const std::string& key) const {
    std::optional<std::size_t> anchor;
    for (std::size_t at = key.rfind('\\'); !anchor && at != std::string::npos;
         at = at == 0 ? std::string::npos : key.rfind('\\', at - 1)) {
      const std::string top = key.substr(0, at);
      for (auto it = file_.sections_.lower_bound(top); it != file_.sections_.end(); ++it) {
        if (it->first != top && !Within(it->first, top)) {
          if (it->first > top + "\\") break;
          continue;
        }
        for (std::size_t s : it->second)
          if (!dropped_.count(s) && (!anchor || s > *anchor)) anchor = s;
      }
    }
    const std::size_t from = CountsFrom(key);
    if (!anchor) {
      std::size_t last = blocks_.size() - 1;
      while (last > 0 && blocks_[last].kind != Block::kSection && blocks_[last].kind != Block::kValue &&
             blocks_[last].kind != Block::kHeader)
        --last;
      return std::max(last, from == 0 ? 0 : LastContent(from - 1));
    }
    if (from > 0 && *anchor < from - 1) anchor = from - 1;
    return LastContent(*anchor);
  }

  NewSection& NewSectionFor(const std::string& key, const Change& change, bool deletion = false) {
    new_.push_back({Anchor(key), key, std::string(deletion ? "[-" : "[") + RegistryKeyName(change.root, change.path) + "]", {}});
    return new_.back();
  }

  std::string ValueLines(const Change& change) const {
    std::string lines;
    AppendValue(lines, change.name, change.type, change.data, form_);
    return lines;
  }

  void SetValue(const std::string& key, const Change& change) {
    if (NewSection* fresh = FindNew(key)) {
      for (auto& [name, lines] : fresh->values)
        if (EqualsIgnoringCase(name, change.name)) {
          lines = ValueLines(change);
          return;
        }
      fresh->values.emplace_back(change.name, ValueLines(change));
      return;
    }
    const std::vector<std::size_t> effective = Effective(key);
    std::optional<std::size_t> last;  // the line that has the last word on the value
    for (std::size_t s : effective)
      for (std::size_t b = s + 1; b < SectionEnd(s); ++b)
        if (blocks_[b].kind == Block::kValue && !dropped_.count(b) && EqualsIgnoringCase(blocks_[b].name, change.name))
          last = b;
    if (last) {
      Change named = change;  // the name as the file spells it
      named.name = blocks_[*last].name;
      replaced_[*last] = ValueLines(named);
    }
    else if (!effective.empty())
      appended_[LastContent(effective.back())] += ValueLines(change);
    else
      NewSectionFor(key, change).values.emplace_back(change.name, ValueLines(change));
  }

  void DeleteValue(const std::string& key, const std::string& valueName) {
    if (NewSection* fresh = FindNew(key))
      std::erase_if(fresh->values, [&](const auto& value) { return EqualsIgnoringCase(value.first, valueName); });
    for (std::size_t s : Effective(key))
      for (std::size_t b = s + 1; b < SectionEnd(s); ++b)
        if (blocks_[b].kind == Block::kValue && EqualsIgnoringCase(blocks_[b].name, valueName)) {
          dropped_.insert(b);
          replaced_.erase(b);
        }
  }

  // Every section of the key and the keys below it goes, with its values and
  // the blank lines right after them; a comment after them stays, as it may
  // speak of what follows.
  void DeleteKey(const std::string& key, const Change& change) {
    std::size_t firstDropped = blocks_.size();
    for (auto it = file_.sections_.lower_bound(key); it != file_.sections_.end(); ++it) {
      if (it->first != key && !Within(it->first, key)) {
        if (it->first > key + "\\") break;
        continue;
      }
      for (std::size_t s : it->second) {
        firstDropped = std::min(firstDropped, s);
        const std::size_t last = LastContent(s), end = SectionEnd(s);
        for (std::size_t b = s; b <= last; ++b) dropped_.insert(b);
        for (std::size_t b = last + 1; b < end && blocks_[b].kind == Block::kBlank; ++b) dropped_.insert(b);
      }
    }
    for (NewSection& fresh : new_)
      if (fresh.key == key || Within(fresh.key, key)) fresh.gone = true;
    // A key every registry has comes back on import unless the file deletes it.
    if (MemoryRegistry().KeyExists(change.root, change.path)) NewSectionFor(key, change, /*deletion=*/true);
    // The parent stays: where the file made it only as the parent of what
    // is gone now, it gets a section of its own there.
    const std::size_t slash = key.rfind('\\');
    const std::string parent = key.substr(0, slash);
    if (parent.find('\\') == std::string::npos || FindNew(parent) || NamedAtOrBelow(parent)) return;
    Change made = change;
    made.path = change.path.substr(0, change.path.rfind('\\'));
    NewSectionFor(parent, made).anchor = firstDropped - 1;
  }

  // Whether the import of the file still makes the key, by a section of it
  // or of a key below it.
  bool NamedAtOrBelow(const std::string& key) const {
    for (auto it = file_.sections_.lower_bound(key); it != file_.sections_.end(); ++it) {
      if (it->first != key && !Within(it->first, key)) {
        if (it->first > key + "\\") break;
        continue;
      }
      const std::size_t from = CountsFrom(it->first);
      for (std::size_t s : it->second)
        if (s >= from && !dropped_.count(s)) return true;
    }
    return std::any_of(new_.begin(), new_.end(), [&](const NewSection& fresh) {
      return !fresh.gone && fresh.header[1] != '-' && (fresh.key == key || Within(fresh.key, key));
    });
  }

  // After a value line a blank line comes first; after a blank line, last.
  void AppendNew(std::string& text, const NewSection& fresh) const {
    const bool afterBlank = blocks_[fresh.anchor].kind == Block::kBlank;
    if (!afterBlank) text += form_.newline;
    (text += fresh.header) += form_.newline;
    for (const auto& value : fresh.values) text += value.second;
    if (afterBlank) text += form_.newline;
  }

  // Original bytes go out as they lie in the file, in runs as long as the
  // changes allow; new text in the file's encoding between them.
  bool Write(const RegistryFile::PutBytes& put, std::string* error) const {
    std::string text;  // new text not put yet, after the original bytes before it
    std::size_t copyFrom = 0, copyTo = 0;  // original bytes not yet put
    bool lineEnded = true, ok = true;
    const auto flush = [&] {
      if (!text.empty()) ok = ok && put(text);
      text.clear();
      if (copyTo > copyFrom) ok = ok && file_.PutOriginal(copyFrom, copyTo, put, error);
      copyFrom = copyTo;
    };
    const auto emit = [&](const std::string& lines) {
      flush();
      AppendEncoded(text, lineEnded ? lines : std::string(form_.newline) + lines, file_.encoding_);
      lineEnded = true;
    };
    std::multimap<std::size_t, const NewSection*> anchored;
    for (const NewSection& fresh : new_)
      if (!fresh.gone) anchored.emplace(fresh.anchor, &fresh);
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
      const Block& block = blocks_[b];
      const std::size_t begin = block.begin, end = block.end;
      const auto replaced = replaced_.find(b);
      if (dropped_.count(b) || replaced != replaced_.end()) {
        flush();
        copyFrom = copyTo = end;
        if (replaced != replaced_.end()) emit(replaced->second);
      } else {
        if (copyTo != begin) flush(), copyFrom = begin;
        copyTo = end;
        lineEnded = end != file_.size_ || file_.lastLineEnded_;
      }
      std::string after;
      if (const auto appended = appended_.find(b); appended != appended_.end()) after += appended->second;
      for (auto [at, end] = anchored.equal_range(b); at != end; ++at) AppendNew(after, *at->second);
      if (!after.empty()) emit(after);
    }
    flush();
    return ok;
  }

  const RegistryFile& file_;
  const std::vector<Block>& blocks_;
  Form form_;
  std::set<std::size_t> dropped_;
  std::map<std::size_t, std::string> replaced_;
  std::map<std::size_t, std::string> appended_;
  std::vector<NewSection> new_;
};

bool RegistryFile::Rewrite(const std::vector<RegChange>& made, const PutBytes& put, std::string* error) const {
  if (blocks_.empty()) {  // nothing was read: the registry's changes make the file
    MemoryRegistry registry;
    ApplyRegistryChanges(made, registry);
    std::string text;
    return ExportRegistryText(registry, &text, error) && put(text);
  }
  return RegistryFileRewriter(*this).Make(made, put, error);
}

bool RegistryFile::Rewrite(const std::vector<RegChange>& made, std::string* bytes, std::string* error) const {
  bytes->clear();
  return Rewrite(made, [bytes](std::string_view piece) { return bytes->append(piece), true; }, error);
}

bool LoadRegistryFile(const std::string& path, MemoryRegistry& registry, std::string* error, RegistryFile* file) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    if (error) *error = path + ": cannot read the file";
    return false;
  }
  RegistryFile read;
  if (!read.Read(std::move(*bytes), path, registry, error)) return false;
  if (file) *file = std::move(read);
  return true;
}

}  // namespace corvandel

#include "services/profile_ini.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "services/ansi_text.h"

namespace corvandel {
namespace {

using Text = std::u16string;
using TextView = std::u16string_view;

// The file's bytes, read whole (it is small, and a byte-order mark decides
// how all of it reads); false on a read error.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  char chunk[16 * 1024];
  while (in.read(chunk, sizeof(chunk)) || in.gcount() > 0) bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  return !in.bad();
}

// A byte-order mark selects UTF-8 or UTF-16; without one the bytes are ANSI.
Text DecodeFileText(std::string_view bytes) {
  auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (startsWith("\xEF\xBB\xBF")) return DecodeUtf8(bytes.substr(3));
  const bool little = startsWith("\xFF\xFE");
  if (!little && !startsWith("\xFE\xFF")) return WidenAnsi(bytes);
  Text text;
  text.reserve(bytes.size() / 2);
  // An odd last byte is half a character and is dropped. (Wine reads a byte
  // past the end of the file to complete it, so its result varies.)
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(little ? static_cast<char16_t>(first | second << 8) : static_cast<char16_t>(first << 8 | second));
  }
  return text;
}

// Ctrl+Z counts as a blank: old editors end a file with it.
bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A; }

TextView TrimLeft(TextView s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

TextView TrimRight(TextView s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

TextView Trim(TextView s) { return TrimRight(TrimLeft(s)); }

// Names and values are C strings once read: a NUL ends them.
TextView UpToNul(TextView s) { return s.substr(0, s.find(u'\0')); }

// Names compare without regard to the case of ASCII letters only: the index
// keeps them with those letters in upper case.
Text Folded(TextView name) {
  Text folded(name);
  for (char16_t& c : folded)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return folded;
}

// A value or default in matching quotes loses them. The closing quote goes
// as the last character kept whenever the buffer reaches the text's length
// counted from after the opening quote: so a buffer just big enough for the
// unquoted text loses its last character too. Wine does this; we follow it
// rather than guess what Windows does.
Text CopyEntry(TextView value, std::size_t bufferSize) {
  const bool quoted = value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  Text copy(value.substr(0, bufferSize - 1));
  if (quoted && bufferSize >= value.size() && !copy.empty()) copy.pop_back();
  return copy;
}

// Trailing spaces of the default go, but never its first character.
TextView StripDefault(TextView text) {
  while (text.size() > 1 && text.back() == u' ') text.remove_suffix(1);
  return text;
}

}  // namespace

// Where the lookups find their values: the first section of each name, and
// in it the first line of each key name. Lines before the first section
// header form a section with the empty name, so a later header with an empty
// name is never consulted; nor is any later section of a name already seen.
// A line may end with LF, CR or both. ';' has no meaning of its own: a
// commented line is a key whose name starts with ';'.
void IniProfile::CachedFile::SetText(Text newText) {
  std::unordered_map<Text, SectionKeys> index;
  const char16_t* const start = newText.data();
  SectionKeys* keys = &index[Text()];  // null while in a section already seen
  TextView rest = newText;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of(u"\r\n");
    const TextView line = Trim(rest.substr(0, end));
    rest.remove_prefix(end == TextView::npos ? rest.size() : end + 1);
    if (line.empty()) continue;
    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != TextView::npos) {  // a '[' line without ']' is read as a key line
        const auto [section, added] = index.try_emplace(Folded(UpToNul(Trim(line.substr(1, close - 1)))));
        keys = added ? &section->second : nullptr;
        continue;
      }
    }
    if (keys == nullptr) continue;
    const std::size_t equals = line.find(u'=');
    std::optional<ValueSpan> span;  // none without '=': the first line of a name wins even so
    if (equals != TextView::npos) {
      const TextView value = UpToNul(TrimLeft(line.substr(equals + 1)));
      span = ValueSpan{static_cast<std::size_t>(value.data() - start), value.size()};
    }
    keys->try_emplace(Folded(UpToNul(TrimRight(line.substr(0, equals)))), span);
  }
  sections = std::move(index);
  text = std::move(newText);
}

std::optional<std::u16string_view> IniProfile::CachedFile::Find(std::u16string_view section,
                                                                 std::u16string_view key) const {
  const auto keys = sections.find(Folded(section));
  if (keys == sections.end()) return std::nullopt;
  const auto line = keys->second.find(Folded(key));
  if (line == keys->second.end() || !line->second) return std::nullopt;
  return TextView(text).substr(line->second->offset, line->second->length);
}

const IniProfile::CachedFile* IniProfile::ReadFile(const std::string& file) {
  namespace fs = std::filesystem;
  static const CachedFile kEmpty;
  std::error_code error;
  const fs::path path = PathFromAnsi(file);
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found)  // read as empty when its folder exists
    return fs::is_directory(path.parent_path(), error) ? &kEmpty : nullptr;
  if (status.type() != fs::file_type::regular) return nullptr;  // a directory or a device
  const fs::file_time_type lastWrite = fs::last_write_time(path, error);
  const std::uintmax_t size = error ? 0 : fs::file_size(path, error);
  if (error) return nullptr;
  if (cached_ && cache_.path == file && cache_.lastWrite == lastWrite && cache_.size == size) return &cache_;
  cached_ = false;
  const fs::file_time_type readAt = fs::file_time_type::clock::now();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return nullptr;
  Text text = DecodeFileText(bytes);
  // A file read again with the same text keeps its index.
  if (text != cache_.text) cache_.SetText(std::move(text));
  cache_.path = file;
  cache_.lastWrite = lastWrite;
  cache_.size = size;
  // A file system keeps times of last change coarsely (to two seconds, on
  // some): a file changed shortly before it was read could change again
  // without a new time. Such a file is read again at every lookup.
  cached_ = lastWrite + std::chrono::seconds(2) < readAt;
  return &cache_;
}

std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultText, std::size_t bufferSize,
                                  const std::string& file) {
  if (bufferSize == 0) return {};
  // The texts are handed on as C strings: anything after a NUL is not seen.
  const Text sectionText = WidenAnsi(section.c_str());
  const Text keyText = WidenAnsi(key.c_str());
  const Text fallback = WidenAnsi(defaultText.c_str());
  const TextView defaultView = StripDefault(fallback);
  try {
    if (const CachedFile* cached = ReadFile(file.c_str())) {
      const std::optional<TextView> value = cached->Find(Trim(sectionText), Trim(keyText));
      return NarrowAnsi(CopyEntry(value.value_or(defaultView), bufferSize));
    }
  } catch (const std::bad_alloc&) {  // a file too big to hold is as good as unreadable
    cached_ = false;
  }
  return UnreadableFileResult(defaultText, bufferSize);
}

std::string UnreadableFileResult(const std::string& defaultText, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  // Only here is the default's quoting left alone.
  const Text fallback = WidenAnsi(defaultText.c_str());
  return NarrowAnsi(StripDefault(fallback).substr(0, bufferSize - 1));
}

bool InMissingFolder(const std::string& file) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path path = PathFromAnsi(file.c_str());
  return fs::status(path, error).type() == fs::file_type::not_found && !fs::is_directory(path.parent_path(), error);
}

}  // namespace corvandel

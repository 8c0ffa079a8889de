// Language files: any file content, read through the string table, the
// titles table and a dialog's texts. Every ID keeps a text, the table keeps
// its rows, and a dialog keeps its children. Then every section and key name
// the file holds is looked up, as written and in other cases and blanks, and
// each answer from the reader's index must be the one a walk through the
// lines from the top gives.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "nav/tweak_table.h"
#include "services/language.h"
#include "services/profile_ini.h"

using namespace corvandel;

namespace {

class Dialog : public IDialogTexts {
 public:
  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& text) override { caption = text; }
  int ChildCount() const override { return static_cast<int>(children.size()); }
  int ChildControlId(int index) const override { return 1006 + index; }
  std::string ChildText(int index) const override { return children[static_cast<std::size_t>(index)]; }
  void SetChildText(int index, const std::string& text) override { children[static_cast<std::size_t>(index)] = text; }

  std::string caption = "Corvandel";
  std::vector<std::string> children = {"Apply Changes", "", "Note"};
};

// An ANSI file's lines, taken the slow and plain way: each line is cut at
// CR and LF, trimmed, cut at a NUL; a line in brackets (the last ']') is a
// section header, any other line a key whose value follows the first '='.
struct Line {
  bool header = false;
  std::string name;
  std::optional<std::string> value;
};

constexpr std::string_view kBlanks = " \t\n\v\f\r\x1A";

std::string_view TrimLeft(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
  return text;
}

std::string_view TrimRight(std::string_view text) {
  text.remove_suffix(text.size() - (text.find_last_not_of(kBlanks) + 1));  // npos + 1 is 0
  return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::string CString(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::vector<Line> LinesOf(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    const std::string_view line = Trim(bytes.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    const std::size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string_view::npos) {
      lines.push_back({true, CString(Trim(line.substr(1, close - 1))), std::nullopt});
      continue;
    }
    const std::size_t equals = line.find('=');
    Line key{false, CString(TrimRight(line.substr(0, equals))), std::nullopt};
    if (equals != std::string_view::npos) key.value = CString(TrimLeft(line.substr(equals + 1)));
    lines.push_back(std::move(key));
  }
  return lines;
}

bool SameName(std::string_view a, std::string_view b) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return upper(x) == upper(y); });
}

// What a lookup gives: the first line named key in the first section named
// section (the lines before any header form the section with the empty
// name), its value without matching quotes; otherwise the default.
std::string SlowLookup(const std::vector<Line>& lines, const std::string& section, const std::string& key,
                       const std::string& defaultText) {
  const std::string_view wantedSection = Trim(section);
  const std::string_view wantedKey = Trim(key);
  bool inSection = wantedSection.empty();
  for (const Line& line : lines) {
    if (line.header) {
      if (inSection) break;
      inSection = SameName(line.name, wantedSection);
    } else if (inSection && SameName(line.name, wantedKey)) {
      if (!line.value) break;
      const std::string& value = *line.value;
      const bool quoted = value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
      return quoted ? value.substr(1, value.size() - 2) : value;
    }
  }
  return defaultText;
}

// The name with the case of its letters swapped: of ASCII letters only, or
// of the accented ones as well (whose case names do not ignore).
std::string Swapped(std::string name, bool accented) {
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (((byte | 32) >= 'a' && (byte | 32) <= 'z') || (accented && byte >= 0xC0)) c = static_cast<char>(byte ^ 32);
  }
  return name;
}

void CheckLookups(IniProfile& profile, const std::string& file, std::string_view bytes) {
  // A byte-order mark makes the text other than these bytes.
  for (std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
    if (bytes.substr(0, mark.size()) == mark) return;
  // A time long past: the file is read once more, and kept from then on.
  std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  const std::vector<Line> lines = LinesOf(bytes);
  std::vector<std::string> sections = {"", "absent"}, keys = {"", "absent"};
  for (const Line& line : lines) {
    std::vector<std::string>& names = line.header ? sections : keys;
    if (names.size() < 8 && std::find(names.begin(), names.end(), line.name) == names.end())
      names.push_back(line.name);
  }
  const std::string defaultText = "(none)";
  for (const std::string& section : sections) {
    for (const std::string& key : keys) {
      const std::string expected = SlowLookup(lines, section, key, defaultText);
      FUZZ_CHECK(profile.GetString(section, key, defaultText, SIZE_MAX, file) == expected);
      const std::string other = " " + Swapped(section, false), otherKey = Swapped(key, false) + "\t";
      FUZZ_CHECK(profile.GetString(other, otherKey, defaultText, SIZE_MAX, file) == expected);
      const std::string accented = Swapped(section, true), accentedKey = Swapped(key, true);
      FUZZ_CHECK(profile.GetString(accented, accentedKey, defaultText, SIZE_MAX, file) ==
                 SlowLookup(lines, accented, accentedKey, defaultText));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string file = fuzz::WriteScratchFile("Language/English.ini", bytes);
  IniProfile profile;
  const Language language(profile, fuzz::ScratchFolder());

  for (int id : {101, 2001, 2011, 2022, 0, -1, 99999}) language.GetLangString(id);
  // The first rows are enough to reach every rule; the file is read once per lookup.
  TweakTable table = BuildTweakTable();
  table.resize(40);
  const std::size_t rows = table.size();
  language.TranslateTweakTable(table);
  FUZZ_CHECK(table.size() == rows);

  Dialog dialog;
  language.TranslateDialog(dialog, 102);
  FUZZ_CHECK(dialog.children.size() == 3);

  CheckLookups(profile, file, bytes);
  return 0;
}

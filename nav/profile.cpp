#include "nav/profile.h"

#include <algorithm>
#include <charconv>

#include "nav/tree_model.h"
#include "nav/tweak_table.h"
#include "pages/page_templates.h"
#include "services/ansi_text.h"
#include "services/escaped_text.h"

namespace corvandel {
namespace {

std::string Assignment(int controlId, std::string_view value) {
  return std::to_string(controlId) + "=" + std::string(value);
}

// "#N" (appended, not prepended: GCC 12 warns falsely on "#" + std::string&&).
std::string ItemNumber(int index) {
  std::string text = "#";
  return text += std::to_string(index);
}

// A combo box's item by its text when the text finds that item (the first
// with it) and cannot be read as #N; otherwise by number. Typed text of a
// combo box with an edit field goes as it stands, "#" doubled at its start.
std::string ComboSetting(const IPageHost& pages, int pageId, const ControlTemplate& control) {
  const int selected = pages.ComboGetCurSel(pageId, control.id);
  const auto byText = [&](const std::string& text) {
    return !text.empty() && text.front() != '#';
  };
  if (selected < 0) {
    std::string typed = pages.GetText(pageId, control.id);
    if (!(control.styles & style::kDropDown) || typed.empty()) return Assignment(control.id, "#-1");
    return Assignment(control.id, typed.front() == '#' ? typed.insert(0, 1, '#') : typed);
  }
  const std::string text = pages.ComboItemText(pageId, control.id, selected);
  int first = 0;
  while (first < selected && pages.ComboItemText(pageId, control.id, first) != text) ++first;
  return Assignment(control.id, first == selected && byText(text) ? text : ItemNumber(selected));
}

bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return true;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '"' || c == '\\') return true;
  }
  return false;
}

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

// The arguments of a line; nothing, with *error, for a bad quote or escape.
std::optional<std::vector<std::string>> SplitArguments(std::string_view line, std::string* error) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  const auto blank = [&] { return line[at] == ' ' || line[at] == '\t'; };
  while (true) {
    while (at < line.size() && blank()) ++at;
    if (at == line.size()) return arguments;
    std::string argument;
    if (line[at] != '"') {
      while (at < line.size() && !blank()) argument.push_back(line[at++]);
      arguments.push_back(std::move(argument));
      continue;
    }
    for (++at;; ++at) {
      if (at == line.size()) {
        *error = "a quoted argument has no closing quote";
        return std::nullopt;
      }
      if (line[at] == '"') break;
      if (line[at] != '\\') {
        argument.push_back(line[at]);
        continue;
      }
      const char escape = ++at < line.size() ? line[at] : '\0';
      switch (escape) {
        case 'n': argument.push_back('\n'); break;
        case 't': argument.push_back('\t'); break;
        case 'r': argument.push_back('\r'); break;
        case '\\': argument.push_back('\\'); break;
        case '"': argument.push_back('"'); break;
        case 'x': {
          const auto high = at + 1 < line.size() ? HexDigit(line[at + 1]) : std::nullopt;
          const auto low = at + 2 < line.size() ? HexDigit(line[at + 2]) : std::nullopt;
          if (!high || !low) {
            *error = "\\x needs two hexadecimal digits";
            return std::nullopt;
          }
          argument.push_back(static_cast<char>(*high * 16 + *low));
          at += 2;
          break;
        }
        default:
          *error = "unknown escape in a quoted argument";
          return std::nullopt;
      }
    }
    ++at;
    if (at < line.size() && !blank()) {
      *error = "a blank must follow a closing quote";
      return std::nullopt;
    }
    arguments.push_back(std::move(argument));
  }
}

// One line's apply, or nothing with *error saying why not.
std::optional<ProfileLine> ParseLine(std::string_view text, const TweakDispatch& dispatch, std::string* error) {
  const auto arguments = SplitArguments(text, error);
  if (!arguments) return std::nullopt;
  ProfileLine line;
  const std::string& id = arguments->front();
  const auto [end, fault] = std::from_chars(id.data(), id.data() + id.size(), line.tweakId);
  if (fault != std::errc() || end != id.data() + id.size() || !dispatch.HasApplyRoutine(line.tweakId)) {
    *error = QuoteText(id) + " is not the TweakId of a tweak with an \"Apply Changes\" button";
    return std::nullopt;
  }
  for (std::size_t i = 1; i < arguments->size(); ++i) {
    auto setting = ParseSetting((*arguments)[i]);
    if (!setting) {
      *error = std::string("bad setting ") + QuoteText((*arguments)[i]) +
               ": expected ID=VALUE, ID[ROW]=0|1 or click:ID";
      return std::nullopt;
    }
    line.settings.push_back(std::move(*setting));
  }
  return line;
}

// The profile's text in the ANSI code page, read as Notepad saves it:
// UTF-16 (either order) or UTF-8 after a byte-order mark, UTF-8 without one
// when the bytes are well-formed UTF-8 (ASCII is both), and ANSI otherwise.
// Nothing, with *error, for a character the code page lacks: a setting
// would silently change.
std::optional<std::string> AnsiText(std::string_view bytes, const std::string& fileName, std::string* error) {
  std::u16string wide;
  const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    const bool little = bytes[0] == '\xFF';
    if (bytes.size() % 2) {
      *error = fileName + ": a UTF-16 file with an odd number of bytes";
      return std::nullopt;
    }
    for (std::size_t at = 2; at < bytes.size(); at += 2) {
      const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
      wide.push_back(static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
    }
  } else if (starts("\xEF\xBB\xBF")) {
    wide = DecodeUtf8(bytes.substr(3));
  } else {
    wide = DecodeUtf8(bytes);
    const bool utf8 = wide.find(u'\xFFFD') == std::u16string::npos || bytes.find("\xEF\xBF\xBD") != std::string_view::npos;
    if (!utf8) return std::string(bytes);
  }
  std::string text = NarrowAnsi(wide);
  const std::u16string back = WidenAnsi(text);
  const auto [lost, unused] = std::mismatch(wide.begin(), wide.end(), back.begin(), back.end());
  if (lost == wide.end()) return text;
  // The line it is on: line ends counted as ParseProfile splits them.
  int line = 1;
  for (std::size_t at = 0; at < static_cast<std::size_t>(lost - wide.begin()); ++at)
    if (text[at] == '\n' || (text[at] == '\r' && text.compare(at, 2, "\r\n") != 0)) ++line;
  *error = fileName + ":" + std::to_string(line) + ": a character that the ANSI code page (Windows-1252) lacks";
  return std::nullopt;
}

}  // namespace

std::vector<std::string> PageSettings(const IPageHost& pages, int pageId) {
  std::vector<std::string> settings;
  const PageTemplate* page = FindTemplate(pageId);
  if (!page) return settings;
  for (const ControlTemplate& control : page->controls) {
    const int id = control.id;
    if (!pages.IsControlVisible(pageId, id) || !pages.IsControlEnabled(pageId, id)) continue;
    switch (control.kind) {
      case ControlKind::kCheckBox: settings.push_back(Assignment(id, pages.GetCheck(pageId, id) ? "1" : "0")); break;
      case ControlKind::kEdit: settings.push_back(Assignment(id, pages.GetText(pageId, id))); break;
      case ControlKind::kComboBox: settings.push_back(ComboSetting(pages, pageId, control)); break;
      case ControlKind::kListView:
        if (!ListHasCheckBoxes(pageId, id)) {
          settings.push_back(Assignment(id, ItemNumber(pages.ListSelectedRow(pageId, id))));
          break;
        }
        for (int row = 0; row < pages.ListItemCount(pageId, id); ++row)
          settings.push_back(std::to_string(id) + "[" + std::to_string(row) +
                             "]=" + (pages.ListGetCheck(pageId, id, row) ? "1" : "0"));
        break;
      case ControlKind::kStatic:
      case ControlKind::kPushButton:
        break;
    }
  }
  return settings;
}

std::string ProfileArgument(std::string_view text) {
  return NeedsQuotes(text) ? QuoteText(text) : std::string(text);
}

std::optional<std::vector<ProfileLine>> ParseProfile(std::string_view bytes, const std::string& fileName,
                                                     const TweakDispatch& dispatch, std::string* error) {
  const std::optional<std::string> ansi = AnsiText(bytes, fileName, error);
  if (!ansi) return std::nullopt;
  std::string_view text = *ansi;
  std::vector<ProfileLine> lines;
  int number = 0;
  while (!text.empty()) {
    // A line ends at CR LF, LF or CR alone.
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    const std::size_t next = end == std::string_view::npos ? text.size()
                             : text.compare(end, 2, "\r\n") == 0 ? end + 2
                                                                   : end + 1;
    text.remove_prefix(next);
    ++number;
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    std::string why;
    auto parsed = ParseLine(line, dispatch, &why);
    if (!parsed) {
      *error = fileName + ":" + std::to_string(number) + ": " + why;
      return std::nullopt;
    }
    parsed->lineNumber = number;
    lines.push_back(std::move(*parsed));
  }
  return lines;
}

std::optional<std::vector<ProfileLine>> ReadProfile(IFileStore& files, const std::string& path,
                                                    const TweakDispatch& dispatch, std::string* error) {
  std::string message;
  const std::optional<std::string> text = files.Read(path, &message);
  if (!text) {
    *error = message.empty() ? path + ": no such file" : message;
    return std::nullopt;
  }
  return ParseProfile(*text, path, dispatch, error);
}

std::vector<int> AppliableTweaks(const TweakDispatch& dispatch) {
  std::vector<int> ids;
  for (const TreeRow& row : TreeRows())
    if (dispatch.HasApplyRoutine(row.tweakId)) ids.push_back(row.tweakId);
  return ids;
}

std::optional<int> VisiblePage(const IPageHost& pages) {
  for (const PageTemplate& page : PageTemplates())
    if (pages.IsPageVisible(page.id)) return page.id;
  return std::nullopt;
}

namespace {
bool ApplyShown(const IPageHost& pages) { return pages.IsControlVisible(page::kMainWindow, page::kApplyButton); }
}  // namespace

std::optional<std::string> SetAndApply(const PageDriver& driver, int tweakId, const std::vector<Setting>& settings,
                                       ChangeOutcome* outcome) {
  driver.navigator.Select(tweakId);
  const auto pageId = VisiblePage(driver.pages);
  if (!pageId || !ApplyShown(driver.pages))
    return "TweakId " + std::to_string(tweakId) + " has no \"Apply Changes\" button: nothing to apply";
  const SettingTarget target{driver.pages, driver.navigator.Platform(), driver.navigator.CurrentPage(), *pageId};
  for (const Setting& setting : settings) {
    std::string error;
    if (!ApplySetting(setting, target, &error)) return error;
  }
  *outcome = driver.navigator.Apply();
  return std::nullopt;
}

std::string ProfileText(const PageDriver& driver, const std::vector<int>& tweakIds) {
  std::string text;
  for (int id : tweakIds) {
    driver.navigator.Select(id);
    const TweakEntry* entry = FindRow(driver.navigator.Table(), id);
    ((text += "# ") += EscapeText(entry ? entry->title : std::string())) += "\r\n";
    const auto pageId = VisiblePage(driver.pages);
    if (!pageId || !ApplyShown(driver.pages)) {
      ((text += "# (") += std::to_string(id)) += " shows no \"Apply Changes\" button here)\r\n";
      continue;
    }
    std::string line = std::to_string(id);
    for (const std::string& setting : PageSettings(driver.pages, *pageId)) (line += ' ') += ProfileArgument(setting);
    text += line + "\r\n";
  }
  return text;
}

ProfileLineResult ApplyProfileLine(const PageDriver& driver, const ProfileLine& line) {
  const std::size_t alertsBefore = driver.navigator.Platform().MessagesShown();
  ProfileLineResult result;
  if (auto failure = SetAndApply(driver, line.tweakId, line.settings, &result.outcome)) {
    result.kind = ProfileLineResult::kFailed;
    result.failure = std::move(*failure);
  } else if (driver.navigator.Platform().MessagesShown() > alertsBefore || !result.outcome.refusedKeys.empty()) {
    result.kind = ProfileLineResult::kRefused;
  }
  return result;
}

}  // namespace corvandel

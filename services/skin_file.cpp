#include "services/skin_file.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstddef>

#include "services/ansi_text.h"

namespace corvandel {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// Digits only: no sign, no blanks, no trailing text.
std::optional<int> ParseNumber(std::string_view text, int lowest, int highest) {
  int value = 0;
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
    return std::nullopt;
  return value;
}

// "red, green, blue", each 0 to 255.
std::optional<ColorRef> ParseColour(std::string_view text) {
  std::array<int, 3> parts{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::size_t comma = text.find(',');
    const bool last = i + 1 == parts.size();
    if (last != (comma == std::string_view::npos)) return std::nullopt;
    const auto part = ParseNumber(Trim(text.substr(0, comma)), 0, 255);
    if (!part) return std::nullopt;
    parts[i] = *part;
    if (!last) text.remove_prefix(comma + 1);
  }
  return Rgb(parts[0], parts[1], parts[2]);
}

// before + name + after, built by appending: GCC 12 at -O2 warns falsely
// (-Wrestrict) about a literal added in front of a std::string.
std::string Message(std::string_view before, std::string_view name, std::string_view after) {
  std::string text;
  text.append(before).append(name).append(after);
  return text;
}

template <class T>
struct Field {
  const char* key;
  bool required;
  bool (*set)(std::string_view value, T& out);
};

template <ColorRef SkinColours::*Member>
bool SetSkinColour(std::string_view value, Skin& skin) {
  const auto colour = ParseColour(value);
  if (colour) skin.colours.*Member = *colour;
  return colour.has_value();
}

const Field<Skin> kSkinFields[] = {
    {"CaptionHeight",  true, [](std::string_view v, Skin& s) {
       const auto height = ParseNumber(v, 12, 48);
       if (height) s.captionHeight = *height;
       return height.has_value();
     }},
    {"Panel",          true, SetSkinColour<&SkinColours::panel>},
    {"PanelText",      true, SetSkinColour<&SkinColours::panelText>},
    {"Background",     true, SetSkinColour<&SkinColours::background>},
    {"Foreground",     true, SetSkinColour<&SkinColours::foreground>},
    {"ButtonFace",     true, SetSkinColour<&SkinColours::buttonFace>},
    {"ButtonHover",    true, SetSkinColour<&SkinColours::buttonHover>},
    {"ButtonPressed",  true, SetSkinColour<&SkinColours::buttonPressed>},
    {"ButtonBorder",   true, SetSkinColour<&SkinColours::buttonBorder>},
    {"ButtonText",     true, SetSkinColour<&SkinColours::buttonText>},
    {"CheckBoxText",   true, SetSkinColour<&SkinColours::checkBoxText>},
    {"LabelText",      true, SetSkinColour<&SkinColours::labelText>},
    {"Splitter",       true, SetSkinColour<&SkinColours::splitter>},
    {"Caption",        true, SetSkinColour<&SkinColours::caption>},
    {"CaptionText",    true, SetSkinColour<&SkinColours::captionText>},
    {"HelpButton",     true, SetSkinColour<&SkinColours::helpButton>},
    {"HelpButtonText", true, SetSkinColour<&SkinColours::helpButtonText>},
};

const Field<SplashSettings> kSplashFields[] = {
    {"Picture",       true,  [](std::string_view v, SplashSettings& s) {
       // A plain file name: the picture lies beside the splash file.
       if (v.empty() || v.find_first_of("\\/:") != std::string_view::npos) return false;
       s.picture = v;
       return true;
     }},
    {"Caption",       false, [](std::string_view v, SplashSettings& s) {
       s.caption = v;
       return true;
     }},
    {"CaptionColour", false, [](std::string_view v, SplashSettings& s) {
       const auto colour = ParseColour(v);
       if (colour) s.captionColour = *colour;
       return colour.has_value();
     }},
    {"Duration",      true,  [](std::string_view v, SplashSettings& s) {
       const auto duration = ParseNumber(v, 100, 10000);
       if (duration) s.durationMs = *duration;
       return duration.has_value();
     }},
};

// Splits the text into lines (LF or CRLF), counting from 1.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (rest_.substr(0, kUtf8Bom.size()) == kUtf8Bom) rest_.remove_prefix(kUtf8Bom.size());
  }

  bool Next(std::string_view& line) {
    if (done_) return false;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (end == std::string_view::npos) done_ = true;
    else rest_.remove_prefix(end + 1);
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view rest_;
  int number_ = 0;
  bool done_ = false;
};

template <class T, std::size_t N>
ParsedFile<T> ParseFields(std::string_view text, std::string_view signature, const Field<T> (&fields)[N]) {
  ParsedFile<T> result;
  auto fail = [&result](int line, std::string error) {
    result.errorLine = line;
    result.error = std::move(error);
    return result;
  };

  LineReader lines(text);
  std::string_view line;
  if (!lines.Next(line) || Trim(line) != signature)
    return fail(1, Message("the first line is not \"", signature, "\""));

  T value{};
  std::array<bool, N> seen{};
  while (lines.Next(line)) {
    const std::string_view content = Trim(line);
    if (content.empty() || content.front() == ';' || content.front() == '#') continue;
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return fail(lines.number(), "no \"=\" in the line");
    const std::string_view key = Trim(content.substr(0, equals));
    std::size_t index = 0;
    while (index < N && !EqualsIgnoringCase(key, fields[index].key)) ++index;
    if (index == N) return fail(lines.number(), Message("unknown key \"", key, "\""));
    if (seen[index]) return fail(lines.number(), Message("\"", fields[index].key, "\" is given twice"));
    if (!fields[index].set(Trim(content.substr(equals + 1)), value))
      return fail(lines.number(), Message("bad value for \"", fields[index].key, "\""));
    seen[index] = true;
  }
  for (std::size_t i = 0; i < N; ++i)
    if (fields[i].required && !seen[i]) return fail(0, Message("\"", fields[i].key, "\" is missing"));
  result.value = std::move(value);
  return result;
}

}  // namespace

ParsedFile<Skin> ParseSkinFile(std::string_view text) { return ParseFields(text, kSkinSignature, kSkinFields); }

ParsedFile<SplashSettings> ParseSplashFile(std::string_view text) {
  return ParseFields(text, kSplashSignature, kSplashFields);
}

}  // namespace corvandel

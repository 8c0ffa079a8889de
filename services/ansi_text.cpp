#include "services/ansi_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvandel {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t WidenByte(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

char NarrowUnit(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  return '?';
}

void AppendCodePoint(std::u16string& out, std::uint32_t code) {
  if (code < 0x10000) {
    out.push_back(static_cast<char16_t>(code));
  } else {
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  }
}

}  // namespace

std::u16string WidenAnsi(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out.push_back(WidenByte(static_cast<unsigned char>(c)));
  return out;
}

std::string NarrowAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) out.push_back(NarrowUnit(unit));
  return out;
}

std::u16string DecodeUtf8(std::string_view text) {
  constexpr char16_t kReplacement = 0xFFFD;
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  auto continuation = [&](std::size_t at) -> int {
    unsigned char byte = static_cast<unsigned char>(text[at]);
    return (byte & 0xC0) == 0x80 ? byte & 0x3F : -1;
  };
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
      out.push_back(lead);
      continue;
    }
    std::size_t trail = lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xF0 && lead < 0xF5 ? 3 : 0;
    if (trail == 0) {  // a stray continuation byte or a lead that never starts a character
      out.push_back(kReplacement);
      continue;
    }
    if (i + trail > text.size()) {  // cut off by the end of the text
      out.push_back(kReplacement);
      break;
    }
    // The bytes are checked one by one, and where a check fails decides how
    // many bytes the one U+FFFD stands for: a byte that cannot continue the
    // sequence is not taken; a value beyond U+10FFFF shows at the last byte
    // but one, which is not taken; an overlong form or a surrogate shows at
    // the byte just taken. (left counts the continuation bytes still due.)
    std::uint32_t code = lead & (0x3Fu >> trail);
    bool good = true;
    for (std::size_t left = trail; left > 0 && good; --left) {
      int bits = continuation(i);
      if (bits < 0) { good = false; break; }
      code = (code << 6) | static_cast<std::uint32_t>(bits);
      if (left == 2 && code >= (0x110000u >> 6)) { good = false; break; }
      ++i;
      if (left == 3 && code < (0x10000u >> 12)) good = false;
      if (left == 2 && (code < (0x800u >> 6) || (code >= (0xD800u >> 6) && code <= (0xDFFFu >> 6)))) good = false;
    }
    if (good) AppendCodePoint(out, code); else out.push_back(kReplacement);
  }
  return out;
}

std::filesystem::path PathFromAnsi(const std::string& path) {
#ifdef _WIN32
  const std::u16string wide = WidenAnsi(path);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
  // The program builds its paths the Windows way ("<folder>\DFile.kvd");
  // the native build opens them with forward slashes.
  std::string native = path;
  for (char& c : native)
    if (c == '\\') c = '/';
  return std::filesystem::path(native);
#endif
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return fold(x) == fold(y); });
}

std::string AnsiFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& wide = path.native();
  return NarrowAnsi(std::u16string(wide.begin(), wide.end()));
#else
  return path.native();
#endif
}

std::string Utf8FromAnsi(std::string_view text) {
  std::string utf8;
  for (char16_t unit : WidenAnsi(text)) {
    // Windows-1252 has no character outside the Basic Multilingual Plane.
    if (unit < 0x80) {
      utf8.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return utf8;
}

}  // namespace corvandel

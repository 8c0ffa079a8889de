#include "services/ansi_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

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

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string NarrowKeepingUnicode(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendNarrowKeepingUnicode(text, &out);
  return out;
}

void AppendNarrowKeepingUnicode(std::u16string_view text, std::string* appended) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string& out = *appended;
  for (char16_t unit : text) {
    const char narrow = NarrowUnit(unit);
    if ((narrow != '?' || unit == u'?') && narrow != kKeptUnicodeMark) {
      out.push_back(narrow);
      continue;
    }
    out.push_back(kKeptUnicodeMark);
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(unit >> shift) & 0xF]);
  }
}

namespace {

// The unit a kept form at text[at] stands for: only the forms
// NarrowKeepingUnicode writes, so that any other bytes widen as they are.
std::optional<char16_t> KeptUnit(std::string_view text, std::size_t at) {
  if (text[at] != kKeptUnicodeMark || at + 4 >= text.size()) return std::nullopt;
  int unit = 0;
  for (std::size_t k = 1; k <= 4; ++k) {
    const int digit = HexValue(text[at + k]);
    if (digit < 0) return std::nullopt;
    unit = unit << 4 | digit;
  }
  const char narrow = NarrowUnit(static_cast<char16_t>(unit));
  if (narrow != kKeptUnicodeMark && (narrow != '?' || unit == u'?')) return std::nullopt;
  return static_cast<char16_t>(unit);
}

}  // namespace

std::u16string WidenKeptUnicode(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (const std::optional<char16_t> unit = KeptUnit(text, i)) {
      out.push_back(*unit);
      i += 4;
    } else {
      out.push_back(WidenByte(static_cast<unsigned char>(text[i])));
    }
  }
  return out;
}

bool HoldsKeptUnicode(std::string_view text) {
  for (std::size_t at = text.find(kKeptUnicodeMark); at != std::string_view::npos; at = text.find(kKeptUnicodeMark, at + 1))
    if (KeptUnit(text, at)) return true;
  return false;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDFFF) {
      const bool paired = code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      code = paired ? 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

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

std::string Utf8FromAnsi(std::string_view text) { return EncodeUtf8(WidenKeptUnicode(text)); }

}  // namespace corvandel

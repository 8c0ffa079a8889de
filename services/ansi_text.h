// Conversions between the program's 8-bit ANSI text and UTF-16, for files that
// carry a Unicode byte-order mark. The ANSI code page is Windows-1252, the
// Western code page of the machines the program is written for.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvandel {

// Windows-1252 to UTF-16; every byte has a character (the five unassigned
// bytes keep their own value, as Windows maps them).
std::u16string WidenAnsi(std::string_view text);

// UTF-16 to Windows-1252, one byte per UTF-16 unit; a unit the code page
// lacks becomes '?'. Windows would pick a look-alike for some of them
// ("best fit", A for A-macron); this conversion does not.
std::string NarrowAnsi(std::u16string_view text);

// Text from Unicode files keeps every UTF-16 unit: a unit the code page lacks
// (and U+0081, whose byte introduces the form) is written as the unassigned
// byte 0x81 and four upper-case hexadecimal digits, so that two names that
// differ only outside the code page stay two names, and the file can be
// written back as it was.
inline constexpr char kKeptUnicodeMark = '\x81';
std::string NarrowKeepingUnicode(std::u16string_view text);
void AppendNarrowKeepingUnicode(std::u16string_view text, std::string* out);
// The way back; every other byte as WidenAnsi widens it.
std::u16string WidenKeptUnicode(std::string_view text);
bool HoldsKeptUnicode(std::string_view text);

// UTF-16 to UTF-8; a surrogate without its partner becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// The program's text (Windows-1252, with the Unicode a registry file kept)
// in UTF-8, for files and documents that other programs read as Unicode
// (JSON, XML).
std::string Utf8FromAnsi(std::string_view text);

// UTF-8 to UTF-16 the way Windows' converter does it: each malformed
// sequence becomes one U+FFFD, where a sequence ends at the first byte that
// cannot continue it; a sequence cut off by the end of the text is one U+FFFD.
std::u16string DecodeUtf8(std::string_view text);

// Paths in ANSI text and as the standard library's paths. On Windows the
// standard library would read a narrow name as Latin-1 and give it back as
// UTF-8; the program's names are ANSI. Elsewhere a path is its bytes.
std::filesystem::path PathFromAnsi(const std::string& path);
std::string AnsiFromPath(const std::filesystem::path& path);

// Equal but for the case of ASCII letters, as registry, file and section
// names are matched.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvandel

// The named colours of the colour picker and the two forms in which a chosen
// colour is stored: RGB text ("%d %d %d") and the 4-byte binary COLORREF.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvandel {

using ColorRef = std::uint32_t;  // COLORREF: 0x00BBGGRR, red in the low byte

// The RGB macro: each component is cut to its low byte.
constexpr ColorRef Rgb(int red, int green, int blue) {
  return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct ColorEntry {
  ColorRef color;
  const char* name;
};

inline constexpr std::size_t kColorCount = 140;

// The 140 CSS named colours in alphabetical order. Aqua/Cyan and
// Fuchsia/Magenta share a colour; the first of each pair is the one a colour
// selects.
std::span<const ColorEntry, kColorCount> ColorTable();

// "%d %d %d" of red, green and blue.
std::string ColorToRgbText(ColorRef color);
// Reads "red green blue": each of the first two parts is the decimal number
// before the next blank (0, with nothing consumed, when no blank follows); the
// third is the rest. Components are cut to their low byte.
ColorRef ColorFromRgbText(std::string_view text);

// Red, green, blue and a 0 byte.
std::array<std::uint8_t, 4> ColorToBinary(ColorRef color);
// The first four bytes as a little-endian COLORREF; nothing for fewer.
std::optional<ColorRef> ColorFromBinary(std::span<const std::uint8_t> bytes);

}  // namespace corvandel

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "pages/color_combo.h"
#include "pages/page_model.h"

namespace corvandel {
namespace {

constexpr int kPage = page::kComboCheck;
constexpr int kCombo = 1055;

const ColorEntry* Find(const std::string& name) {
  for (const auto& entry : ColorTable())
    if (name == entry.name) return &entry;
  return nullptr;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(ColorTable, SampleColorsHaveTheirCssValues) {
  const struct {
    const char* name;
    int red, green, blue;
  } samples[] = {
      {"AliceBlue", 240, 248, 255},  {"Gray", 128, 128, 128},       {"Green", 0, 128, 0},
      {"LightGrey", 211, 211, 211},  {"Maroon", 128, 0, 0},         {"Purple", 128, 0, 128},
      {"DarkGoldenrod", 184, 134, 11}, {"Crimson", 220, 20, 60},    {"Indigo", 75, 0, 130},
      {"Orange", 255, 165, 0},       {"Chartreuse", 127, 255, 0},   {"Tan", 210, 180, 140},
      {"Navy", 0, 0, 128},           {"Teal", 0, 128, 128},         {"Lime", 0, 255, 0},
      {"Blue", 0, 0, 255},           {"Black", 0, 0, 0},            {"White", 255, 255, 255},
      {"YellowGreen", 154, 205, 50}, {"PapayaWhip", 255, 239, 213}, {"MediumVioletRed", 199, 21, 133},
  };
  for (const auto& s : samples) {
    const ColorEntry* entry = Find(s.name);
    ASSERT_NE(nullptr, entry) << s.name;
    // COLORREF: red in the low byte.
    EXPECT_EQ(static_cast<ColorRef>(s.red | (s.green << 8) | (s.blue << 16)), entry->color) << s.name;
  }
}

TEST(ColorTable, HoldsUniqueNamesInTheOrderASortedComboKeeps) {
  auto table = ColorTable();
  EXPECT_EQ(140u, table.size());
  EXPECT_STREQ("AliceBlue", table.front().name);
  EXPECT_STREQ("YellowGreen", table.back().name);
  for (std::size_t i = 1; i < table.size(); ++i)
    EXPECT_LT(Lower(table[i - 1].name), Lower(table[i].name)) << "entry " << i;
  for (const auto& entry : table) EXPECT_LT(std::string(entry.name).size(), 32u) << entry.name;
}

TEST(ColorTable, OnlyLightGreyIsSpelledWithE) {
  std::vector<std::string> greys;
  for (const auto& entry : ColorTable())
    if (std::string(entry.name).find("Grey") != std::string::npos) greys.push_back(entry.name);
  EXPECT_EQ(std::vector<std::string>{"LightGrey"}, greys);
}

TEST(ColorTable, OnlyAquaCyanAndFuchsiaMagentaShareAColor) {
  std::map<ColorRef, std::vector<std::string>> byColor;
  for (const auto& entry : ColorTable()) byColor[entry.color].push_back(entry.name);
  std::set<std::vector<std::string>> shared;
  for (const auto& [color, names] : byColor)
    if (names.size() > 1) shared.insert(names);
  EXPECT_EQ((std::set<std::vector<std::string>>{{"Aqua", "Cyan"}, {"Fuchsia", "Magenta"}}), shared);
  EXPECT_EQ(Rgb(0, 255, 255), Find("Aqua")->color);
  EXPECT_EQ(Rgb(255, 0, 255), Find("Fuchsia")->color);
}

TEST(RgbText, IsRedGreenBlueInDecimal) {
  EXPECT_EQ("0 0 255", ColorToRgbText(Find("Blue")->color));
  EXPECT_EQ("240 248 255", ColorToRgbText(Find("AliceBlue")->color));
  EXPECT_EQ("1 2 3", ColorToRgbText(0xFF030201u));  // the high byte is not a component
}

TEST(RgbText, EveryTableColorSurvivesTheRoundTrip) {
  for (const auto& entry : ColorTable()) EXPECT_EQ(entry.color, ColorFromRgbText(ColorToRgbText(entry.color))) << entry.name;
}

TEST(RgbText, ReadsEachPartUpToTheNextBlank) {
  const struct {
    const char* text;
    ColorRef color;
  } cases[] = {
      {"12 34 56", Rgb(12, 34, 56)},
      {"12 34", Rgb(12, 0, 34)},      // no second blank: green 0, blue from the rest
      {"255", Rgb(0, 0, 255)},        // no blank at all: only blue
      {"", Rgb(0, 0, 0)},
      {"1  2 3", Rgb(1, 0, 2)},       // two blanks end the green part at once
      {"x y z", Rgb(0, 0, 0)},
      {"300 -1 256", Rgb(44, 255, 0)},  // cut to the low byte as RGB() does
      {"99999999999 1 2", Rgb(0, 1, 2)},  // out of the int range reads as 0
      {"10 20 30 40", Rgb(10, 20, 30)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.color, ColorFromRgbText(c.text)) << '"' << c.text << '"';
}

TEST(BinaryColor, IsRedGreenBlueThenZero) {
  EXPECT_EQ((std::array<std::uint8_t, 4>{0, 255, 255, 0}), ColorToBinary(Find("Cyan")->color));
  EXPECT_EQ((std::array<std::uint8_t, 4>{0xDC, 0x14, 0x3C, 0}), ColorToBinary(Find("Crimson")->color));
  const std::uint8_t stored[] = {0xF0, 0xF8, 0xFF, 0x00};
  EXPECT_EQ(Find("AliceBlue")->color, ColorFromBinary(stored));
  const std::uint8_t highByte[] = {0, 0, 0, 1, 9};
  EXPECT_EQ(std::optional<ColorRef>(0x01000000u), ColorFromBinary(highByte));
  const std::uint8_t tooShort[] = {1, 2, 3};
  EXPECT_EQ(std::nullopt, ColorFromBinary(tooShort));
}

class ColorComboTest : public testing::Test {
 protected:
  PageModel pages;
  std::string SelectedName() const {
    return pages.ComboItemText(kPage, kCombo, pages.ComboGetCurSel(kPage, kCombo));
  }
};

TEST_F(ColorComboTest, FillShowsEveryNameWithItsColorAndNoSelection) {
  pages.ComboAddString(kPage, kCombo, "left over");
  pages.ComboSetCurSel(kPage, kCombo, 0);
  FillColors(pages, kPage, kCombo);
  ASSERT_EQ(140, pages.ComboCount(kPage, kCombo));
  EXPECT_EQ(-1, pages.ComboGetCurSel(kPage, kCombo));
  for (int i = 0; i < 140; ++i) {
    const ColorEntry* entry = Find(pages.ComboItemText(kPage, kCombo, i));
    ASSERT_NE(nullptr, entry) << i;
    EXPECT_EQ(entry->color, pages.ComboGetItemData(kPage, kCombo, i)) << entry->name;
  }
}

// Filled again, a combo that holds the colours keeps them and loses its
// selection; one with as many other items is filled anew.
TEST_F(ColorComboTest, FillingAgainLeavesWhatAFreshFillLeaves) {
  FillColors(pages, kPage, kCombo);
  pages.ComboSetCurSel(kPage, kCombo, 7);
  FillColors(pages, kPage, kCombo);
  EXPECT_EQ(140, pages.ComboCount(kPage, kCombo));
  EXPECT_EQ(-1, pages.ComboGetCurSel(kPage, kCombo));

  pages.ComboReset(kPage, kCombo);
  for (int i = 0; i < 140; ++i) pages.ComboAddString(kPage, kCombo, i == 0 ? std::string("Aqua") : std::to_string(i));
  FillColors(pages, kPage, kCombo);
  EXPECT_EQ(140, pages.ComboCount(kPage, kCombo));
  for (int i = 0; i < 140; ++i) EXPECT_NE(nullptr, Find(pages.ComboItemText(kPage, kCombo, i))) << i;
}

TEST_F(ColorComboTest, SharedColorsSelectTheFirstName) {
  FillColors(pages, kPage, kCombo);
  SelectColor(pages, kPage, kCombo, Rgb(0, 255, 255));
  EXPECT_EQ("Aqua", SelectedName());
  SelectColor(pages, kPage, kCombo, Rgb(255, 0, 255));
  EXPECT_EQ("Fuchsia", SelectedName());
  EXPECT_EQ(Rgb(255, 0, 255), GetSelectedColor(pages, kPage, kCombo));
}

TEST_F(ColorComboTest, AnUnknownColorLeavesTheSelectionAlone) {
  FillColors(pages, kPage, kCombo);
  SelectColor(pages, kPage, kCombo, Rgb(1, 2, 3));
  EXPECT_EQ(-1, pages.ComboGetCurSel(kPage, kCombo));
  EXPECT_EQ(0u, GetSelectedColor(pages, kPage, kCombo));  // applying then writes black

  SelectColor(pages, kPage, kCombo, Rgb(255, 0, 0));
  SelectColor(pages, kPage, kCombo, Rgb(1, 2, 3));
  EXPECT_EQ("Red", SelectedName());
}

}  // namespace
}  // namespace corvandel

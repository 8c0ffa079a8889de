#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "source_tree.h"
#include "services/skin_file.h"

namespace corvandel {
namespace {

std::string ReadSourceFile(const std::string& relative) {
  std::ifstream file(SourceTreePath(relative), std::ios::binary);
  EXPECT_TRUE(file.is_open()) << relative;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Join(const std::vector<std::string>& lines, const char* lineEnd = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

// A complete skin in which every colour differs from every other.
std::vector<std::string> ValidSkinLines() {
  return {"CorvandelSkin 1",          "CaptionHeight = 20",      "Panel = 1,0,0",           "PanelText = 2,0,0",
          "Background = 3,0,0",       "Foreground = 4,0,0",      "ButtonFace = 5,0,0",      "ButtonHover = 6,0,0",
          "ButtonPressed = 7,0,0",    "ButtonBorder = 8,0,0",    "ButtonText = 9,0,0",      "CheckBoxText = 10,0,0",
          "LabelText = 11,0,0",       "Splitter = 12,0,0",       "Caption = 13,0,0",        "CaptionText = 14,0,0",
          "HelpButton = 15,0,0",      "HelpButtonText = 16,0,0"};
}
constexpr int kPanelLine = 3;  // 1-based line of "Panel" above

TEST(SkinFile, TheShippedSkinHasThePanelColoursOfTheMainWindow) {
  const ParsedFile<Skin> parsed = ParseSkinFile(ReadSourceFile("data/Skin/skin.skn"));
  ASSERT_TRUE(parsed.value) << parsed.errorLine << ": " << parsed.error;
  const SkinColours& colours = parsed.value->colours;
  EXPECT_EQ(Rgb(216, 233, 236), colours.panel);
  EXPECT_EQ(Rgb(0, 0, 0), colours.panelText);
  EXPECT_EQ(Rgb(255, 255, 255), colours.background);
  EXPECT_EQ(Rgb(0, 0, 0), colours.foreground);
}

TEST(SkinFile, EachKeyFillsItsOwnColour) {
  const ParsedFile<Skin> parsed = ParseSkinFile(Join(ValidSkinLines()));
  ASSERT_TRUE(parsed.value) << parsed.errorLine << ": " << parsed.error;
  const struct {
    ColorRef SkinColours::*member;
    int red;
  } expected[] = {
      {&SkinColours::panel, 1},         {&SkinColours::panelText, 2},      {&SkinColours::background, 3},
      {&SkinColours::foreground, 4},    {&SkinColours::buttonFace, 5},     {&SkinColours::buttonHover, 6},
      {&SkinColours::buttonPressed, 7}, {&SkinColours::buttonBorder, 8},   {&SkinColours::buttonText, 9},
      {&SkinColours::checkBoxText, 10}, {&SkinColours::labelText, 11},     {&SkinColours::splitter, 12},
      {&SkinColours::caption, 13},      {&SkinColours::captionText, 14},   {&SkinColours::helpButton, 15},
      {&SkinColours::helpButtonText, 16},
  };
  for (const auto& e : expected) EXPECT_EQ(Rgb(e.red, 0, 0), parsed.value->colours.*e.member) << e.red;
  EXPECT_EQ(20, parsed.value->captionHeight);
}

TEST(SkinFile, AcceptsLayoutVariants) {
  std::vector<std::string> lines = ValidSkinLines();
  lines[kPanelLine - 1] = "  pAnEl\t=  216 ,233,  236  ";
  lines.insert(lines.begin() + 1, {"", "; a comment", "   # another"});
  for (const std::string& text : {Join(lines), Join(lines, "\r\n"), "\xEF\xBB\xBF" + Join(lines)}) {
    const ParsedFile<Skin> parsed = ParseSkinFile(text);
    ASSERT_TRUE(parsed.value) << parsed.errorLine << ": " << parsed.error;
    EXPECT_EQ(Rgb(216, 233, 236), parsed.value->colours.panel);
  }
}

TEST(SkinFile, RejectsFaultsAtTheirLine) {
  const int last = static_cast<int>(ValidSkinLines().size());
  const struct {
    int line;  // replaced (1-based); last + 1 appends
    const char* text;
    int errorLine;
  } cases[] = {
      {1, "CorvandelSkin 2", 1},          {1, "", 1},                            {1, "Panel = 1,2,3", 1},
      {kPanelLine, "Panel 1,2,3", kPanelLine},          {kPanelLine, "Panel = 256,0,0", kPanelLine},
      {kPanelLine, "Panel = 1,2", kPanelLine},          {kPanelLine, "Panel = 1,2,3,4", kPanelLine},
      {kPanelLine, "Panel = -1,2,3", kPanelLine},       {kPanelLine, "Panel = 1,,3", kPanelLine},
      {kPanelLine, "Panel = a,b,c", kPanelLine},        {kPanelLine, "Panel =", kPanelLine},
      {kPanelLine, "Panel = 1 2 3", kPanelLine},        {kPanelLine, "Panle = 1,2,3", kPanelLine},
      {kPanelLine, "= 1,2,3", kPanelLine},              {2, "CaptionHeight = 11", 2},
      {2, "CaptionHeight = 49", 2},                     {2, "CaptionHeight = 20px", 2},
      {2, "CaptionHeight = +20", 2},                    {last + 1, "panel = 1,2,3", last + 1},
      {kPanelLine, "; Panel left out", 0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = ValidSkinLines();
    if (c.line > last) lines.push_back(c.text);
    else lines[c.line - 1] = c.text;
    const ParsedFile<Skin> parsed = ParseSkinFile(Join(lines));
    EXPECT_FALSE(parsed.value) << c.text;
    EXPECT_EQ(c.errorLine, parsed.errorLine) << c.text << ": " << parsed.error;
    EXPECT_FALSE(parsed.error.empty()) << c.text;
  }
  EXPECT_FALSE(ParseSkinFile("").value);
}

TEST(SplashFile, TheShippedSplashNamesAPictureBesideIt) {
  const ParsedFile<SplashSettings> parsed = ParseSplashFile(ReadSourceFile("data/Skin/Splash.spl"));
  ASSERT_TRUE(parsed.value) << parsed.errorLine << ": " << parsed.error;
  EXPECT_TRUE(std::ifstream(SourceTreePath("data/Skin/" + parsed.value->picture)).is_open())
      << parsed.value->picture;
  EXPECT_GE(parsed.value->durationMs, 500);  // long enough to be seen, short enough not to be in the way
  EXPECT_LE(parsed.value->durationMs, 3000);
}

TEST(SplashFile, CaptionAndItsColourAreOptional) {
  const ParsedFile<SplashSettings> parsed = ParseSplashFile("CorvandelSplash 1\nPicture = a.bmp\nDuration = 100\n");
  ASSERT_TRUE(parsed.value) << parsed.error;
  EXPECT_EQ("a.bmp", parsed.value->picture);
  EXPECT_EQ("", parsed.value->caption);
  EXPECT_EQ(Rgb(0, 0, 0), parsed.value->captionColour);
  EXPECT_EQ(100, parsed.value->durationMs);

  const ParsedFile<SplashSettings> full =
      ParseSplashFile("CorvandelSplash 1\nPicture=b.bmp\nCaption = Two  words \nCaptionColour=1,2,3\nDuration=10000");
  ASSERT_TRUE(full.value) << full.error;
  EXPECT_EQ("Two  words", full.value->caption);
  EXPECT_EQ(Rgb(1, 2, 3), full.value->captionColour);
  EXPECT_EQ(10000, full.value->durationMs);
}

TEST(SplashFile, RejectsFaultsAtTheirLine) {
  const struct {
    const char* text;
    int errorLine;
  } cases[] = {
      {"CorvandelSkin 1\nPicture = a.bmp\nDuration = 100\n", 1},
      {"CorvandelSplash 1\nPicture = ..\\a.bmp\nDuration = 100\n", 2},
      {"CorvandelSplash 1\nPicture = C:a.bmp\nDuration = 100\n", 2},
      {"CorvandelSplash 1\nPicture = pics/a.bmp\nDuration = 100\n", 2},
      {"CorvandelSplash 1\nPicture =\nDuration = 100\n", 2},
      {"CorvandelSplash 1\nPicture = a.bmp\nDuration = 99\n", 3},
      {"CorvandelSplash 1\nPicture = a.bmp\nDuration = 10001\n", 3},
      {"CorvandelSplash 1\nPicture = a.bmp\nDuration = 100\nCaptionColour = 0,0\n", 4},
      {"CorvandelSplash 1\nPicture = a.bmp\nDuration = 100\nSound = a.wav\n", 4},
      {"CorvandelSplash 1\nPicture = a.bmp\n", 0},
      {"CorvandelSplash 1\nDuration = 100\n", 0},
  };
  for (const auto& c : cases) {
    const ParsedFile<SplashSettings> parsed = ParseSplashFile(c.text);
    EXPECT_FALSE(parsed.value) << c.text;
    EXPECT_EQ(c.errorLine, parsed.errorLine) << c.text << ": " << parsed.error;
  }
}

}  // namespace
}  // namespace corvandel

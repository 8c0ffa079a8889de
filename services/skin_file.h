// The two text files of the "Skin" folder: "skin.skn" (the skin engine's
// colours) and "Splash.spl" (what the splash shows). Both are a signature
// line followed by "Key = value" lines; docs/SKIN_FORMAT.md describes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "services/colors.h"

namespace corvandel {

inline constexpr char kSkinSignature[] = "CorvandelSkin 1";
inline constexpr char kSplashSignature[] = "CorvandelSplash 1";

// Every colour of a skin; all of them are required in the file.
struct SkinColours {
  ColorRef panel;           // background of the main window, pages and About box
  ColorRef panelText;       // text drawn straight on the panel
  ColorRef background;      // edit fields and lists inside a skinned window
  ColorRef foreground;      // their text
  ColorRef buttonFace;      // push button at rest
  ColorRef buttonHover;     // push button under the mouse (also the help button)
  ColorRef buttonPressed;   // push button held down (also the help button)
  ColorRef buttonBorder;    // push button outline
  ColorRef buttonText;      // push button caption; grey is used when disabled
  ColorRef checkBoxText;    // caption of a check box
  ColorRef labelText;       // static text
  ColorRef splitter;        // the splitter placeholder
  ColorRef caption;         // the caption strip across the top of the main window
  ColorRef captionText;     // the window title in that strip
  ColorRef helpButton;      // the "?" button at rest
  ColorRef helpButtonText;  // the "?"
};

struct Skin {
  int captionHeight = 0;  // pixels, 12 to 48
  SkinColours colours{};
};

struct SplashSettings {
  std::string picture;  // file name of a BMP beside the splash file
  std::string caption;  // optional line drawn along the picture's foot
  ColorRef captionColour = 0;
  int durationMs = 0;  // 100 to 10000
};

// The outcome of reading one file: the value, or the 1-based line at fault
// (0 when the fault is a key missing from the whole file) and a reason.
template <class T>
struct ParsedFile {
  std::optional<T> value;
  int errorLine = 0;
  std::string error;
};

ParsedFile<Skin> ParseSkinFile(std::string_view text);
ParsedFile<SplashSettings> ParseSplashFile(std::string_view text);

}  // namespace corvandel

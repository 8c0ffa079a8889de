// The skin engine: gives the main window, the pages and the About box their
// look from "Skin\skin.skn". Operations answer 0 on success and a negative
// code on failure, as callers test only the sign.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace corvandel {

// What every caller shows, with no caption, when a skin operation fails.
inline constexpr char kSkinFailureText[] = "Could load or apply the skin.";

class SkinEngine {
 public:
  // Failure codes.
  static constexpr int kFileMissing = -1;
  static constexpr int kBadFormat = -2;
  static constexpr int kNoSkin = -3;
  static constexpr int kBadWindow = -4;
  static constexpr int kUnknownElement = -5;

  SkinEngine();
  ~SkinEngine();
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  // Reads and checks the skin file; 0 or a failure code.
  int LoadSkin(const std::string& path);
  // Skins the main window (its background, caption strip and help button).
  int SkinMainWindow(HWND window);
  // Draws one window in the style of a named element: "SubMain", "AboutDlg",
  // "Button", "CheckBox", "Label", "Splitter".
  int SkinElement(HWND window, const wchar_t* elementName);

  // Event 20: the skin's own buttons report their object's name ("Help").
  void OnEvent20(std::function<void(const std::string& objectName)> handler);

  struct Impl;
 private:
  Impl* impl_;
};

}  // namespace corvandel

// HTML Help, loaded on first use from the registered HTML Help control or
// "hhctrl.ocx" (entry point: ordinal 14, HtmlHelpA). A failed load is not
// tried again.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace corvandel {

// HtmlHelpA(NULL, path, HH_DISPLAY_TOPIC, 0); 0 when HTML Help is missing.
void* OpenHelpFile(const std::string& path);

// The loading rule behind OpenHelpFile, one instance per process there; tests
// make their own with a library name of their choosing.
class HtmlHelpLoader {
 public:
  using HtmlHelpAFunction = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

  static constexpr char kControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

  explicit HtmlHelpLoader(std::string fallbackLibrary = "hhctrl.ocx") : fallbackLibrary_(std::move(fallbackLibrary)) {}
  HtmlHelpLoader(const HtmlHelpLoader&) = delete;
  HtmlHelpLoader& operator=(const HtmlHelpLoader&) = delete;

  // The library named by HKEY_CLASSES_ROOT\<kControlKey> (default value),
  // else the fallback library; nullptr, now and on every later call, when
  // neither loads or lacks ordinal 14. The library stays loaded for the
  // life of the process.
  HtmlHelpAFunction Entry();

 private:
  std::string fallbackLibrary_;
  bool tried_ = false;
  HtmlHelpAFunction entry_ = nullptr;
};

}  // namespace corvandel

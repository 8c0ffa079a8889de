#include "help/html_help_win32.h"

namespace corvandel {
namespace {

constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

HMODULE LoadRegisteredControl() {
  char path[260] = {};
  LONG size = sizeof(path);
  if (RegQueryValueA(HKEY_CLASSES_ROOT, HtmlHelpLoader::kControlKey, path, &size) != ERROR_SUCCESS) return nullptr;
  path[sizeof(path) - 1] = '\0';
  return LoadLibraryA(path);
}

}  // namespace

HtmlHelpLoader::HtmlHelpAFunction HtmlHelpLoader::Entry() {
  if (tried_) return entry_;
  tried_ = true;
  HMODULE library = LoadRegisteredControl();
  if (!library) library = LoadLibraryA(fallbackLibrary_.c_str());
  if (!library) return nullptr;
  entry_ = reinterpret_cast<HtmlHelpAFunction>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(14))));
  if (!entry_) FreeLibrary(library);
  return entry_;
}

void* OpenHelpFile(const std::string& path) {
  static HtmlHelpLoader loader;
  const HtmlHelpLoader::HtmlHelpAFunction htmlHelp = loader.Entry();
  return htmlHelp ? htmlHelp(nullptr, path.c_str(), kDisplayTopic, 0) : nullptr;
}

}  // namespace corvandel

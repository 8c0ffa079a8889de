// The HTML Help loader under Wine, where hhctrl.ocx is in the prefix: where
// it looks, that a failure sticks, and that a help file opens its window.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "help/html_help_win32.h"
#include "native/source_tree.h"
#include "wine/window_support.h"

namespace corvandel {
namespace {

constexpr char kScratch[] = "Software\\CorvandelTests\\HtmlHelp";
constexpr char kMissingLibrary[] = "corvandel-no-such-library.ocx";
constexpr UINT kCloseAll = 0x12;  // HH_CLOSE_ALL

std::string SystemLibrary(const char* name) {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

// HKEY_CLASSES_ROOT redirected to an empty scratch key for the test's life;
// Register() gives the HTML Help control a library of the test's choosing.
class ScratchClassesRoot {
 public:
  ScratchClassesRoot() {
    HKEY scratch = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kScratch, &scratch));
    EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CLASSES_ROOT, scratch));
    RegCloseKey(scratch);
  }
  ~ScratchClassesRoot() {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvandelTests");
  }
  ScratchClassesRoot(const ScratchClassesRoot&) = delete;
  ScratchClassesRoot& operator=(const ScratchClassesRoot&) = delete;

  void Register(const std::string& library) {
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, HtmlHelpLoader::kControlKey, REG_SZ, library.c_str(),
                                          static_cast<DWORD>(library.size())));
  }
};

TEST(HtmlHelpLoader, LooksInTheRegistryThenByName) {
  const std::string nowhere = "C:\\corvandel\\nowhere\\hhctrl.ocx";
  const struct {
    std::string registered;  // "": not registered
    const char* fallback;
    bool found;
  } cases[] = {
      {"", "hhctrl.ocx", true},
      {SystemLibrary("hhctrl.ocx"), kMissingLibrary, true},
      {nowhere, "hhctrl.ocx", true},
      {nowhere, kMissingLibrary, false},
      {"", kMissingLibrary, false},
  };
  for (const auto& c : cases) {
    ScratchClassesRoot root;
    if (!c.registered.empty()) root.Register(c.registered);
    HtmlHelpLoader loader(c.fallback);
    EXPECT_EQ(c.found, loader.Entry() != nullptr) << c.registered << ", " << c.fallback;
  }
}

TEST(HtmlHelpLoader, AFailureIsNotTriedAgainNorASuccess) {
  ScratchClassesRoot root;
  HtmlHelpLoader failing(kMissingLibrary);
  ASSERT_EQ(nullptr, failing.Entry());
  root.Register("hhctrl.ocx");  // would load now
  EXPECT_EQ(nullptr, failing.Entry());

  HtmlHelpLoader working(kMissingLibrary);
  const auto entry = working.Entry();
  ASSERT_NE(nullptr, entry);
  root.Register("C:\\corvandel\\nowhere\\hhctrl.ocx");
  EXPECT_EQ(entry, working.Entry());
}

TEST(OpenHelpFile, OpensTheHelpFilesWindow) {
  ASSERT_EQ(nullptr, FindWindowA("HH Parent", nullptr));
  void* opened = OpenHelpFile(SourceTreePath("tests/wine/data/help_test/help_test.chm"));
  PumpMessages();
  HWND window = FindWindowA("HH Parent", nullptr);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(window, opened);
  char title[128] = {};
  GetWindowTextA(window, title, sizeof(title));
  EXPECT_STREQ("Corvandel Help Test", title);

  HtmlHelpLoader loader;
  ASSERT_NE(nullptr, loader.Entry());
  loader.Entry()(nullptr, nullptr, kCloseAll, 0);
  EXPECT_TRUE(PumpUntil([] { return FindWindowA("HH Parent", nullptr) == nullptr; }, std::chrono::seconds(5)));
}

}  // namespace
}  // namespace corvandel

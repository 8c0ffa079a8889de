// The splash control: its pop-up shows the shipped picture centred on the
// screen without taking the focus, and goes by itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "native/scratch_folder.h"
#include "native/source_tree.h"
#include "widgets/splash_win32.h"
#include "wine/window_support.h"

namespace corvandel {
namespace {

using std::chrono::milliseconds;

constexpr int kSplashControl = 1062;

HWND FindPopup() {
  HWND popup = FindWindowA(CSplash::kPopupClass, nullptr);
  return popup && IsWindowVisible(popup) ? popup : nullptr;
}

RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

class SplashTest : public testing::Test {
 protected:
  SplashTest() : owner_(200, 100, {}) {
    const RECT rect{10, 10, 40, 40};
    EXPECT_TRUE(splash_.Create(owner_.window(), rect, kSplashControl));
  }
  ~SplashTest() override { EXPECT_EQ(nullptr, FindWindowA(CSplash::kPopupClass, nullptr)); }

  TestDialog owner_;
  CSplash splash_;
};

TEST_F(SplashTest, TheControlIsAHiddenChildOfItsOwner) {
  ASSERT_NE(nullptr, splash_.window());
  EXPECT_EQ(owner_.window(), GetParent(splash_.window()));
  EXPECT_EQ(kSplashControl, GetDlgCtrlID(splash_.window()));
  EXPECT_FALSE(IsWindowVisible(splash_.window()));
}

TEST_F(SplashTest, ShowsTheShippedPictureCentredWithoutTakingTheFocus) {
  ASSERT_EQ(owner_.window(), GetActiveWindow());
  splash_.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
  HWND popup = FindPopup();
  ASSERT_NE(nullptr, popup);
  PumpMessages();
  EXPECT_EQ(owner_.window(), GetActiveWindow());
  EXPECT_EQ(owner_.window(), GetWindow(popup, GW_OWNER));
  EXPECT_EQ(0, GetWindowLongPtrA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);

  BITMAP picture{};
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, SourceTreePath("data/Skin/Splash.bmp").c_str(),
                                                   IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(nullptr, bitmap);
  GetObjectA(bitmap, sizeof(picture), &picture);
  DeleteObject(bitmap);
  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  const RECT shown = WindowRectOf(popup);
  EXPECT_EQ(picture.bmWidth, shown.right - shown.left);
  EXPECT_EQ(picture.bmHeight, shown.bottom - shown.top);
  EXPECT_LE(std::abs((shown.left + shown.right) - (workArea.left + workArea.right)), 1);
  EXPECT_LE(std::abs((shown.top + shown.bottom) - (workArea.top + workArea.bottom)), 1);

  // Its close timer needs only the owner's message loop.
  EXPECT_TRUE(PumpUntil([] { return FindPopup() == nullptr; }, milliseconds(5000)));
}

TEST_F(SplashTest, TopMostLiftsThePopupShownOrToCome) {
  splash_.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
  ASSERT_NE(nullptr, FindPopup());
  splash_.SetTopMost(true);
  EXPECT_NE(0, GetWindowLongPtrA(FindPopup(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  splash_.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));  // a new pop-up, topmost from the start
  ASSERT_NE(nullptr, FindPopup());
  EXPECT_NE(0, GetWindowLongPtrA(FindPopup(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  splash_.SetDelay(50);
  EXPECT_TRUE(PumpUntil([] { return FindPopup() == nullptr; }, milliseconds(5000)));
}

TEST_F(SplashTest, DelayKeepsThePopupUpForItsTime) {
  splash_.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
  HWND popup = FindPopup();
  ASSERT_NE(nullptr, popup);
  splash_.SetDelay(0);  // keeps the file's duration
  PumpMessages();
  EXPECT_EQ(popup, FindPopup());
  splash_.SetDelay(50);
  EXPECT_TRUE(PumpUntil([] { return FindPopup() == nullptr; }, milliseconds(5000)));
}

TEST_F(SplashTest, AClickSendsThePopupAway) {
  splash_.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
  HWND popup = FindPopup();
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(MA_NOACTIVATE, SendMessageA(popup, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(popup),
                                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
  SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(SplashTest, AMissingOrBadFileShowsNothing) {
  ScratchFolder folder;
  folder.Write("bad.spl", "CorvandelSplash 1\nPicture = Splash.bmp\n");  // no duration
  for (const std::string& path : {folder.Ansi() + "\\none.spl", folder.Ansi() + "\\bad.spl"}) {
    splash_.SetSplashFile(path);
    EXPECT_EQ(nullptr, FindPopup()) << path;
  }
}

TEST_F(SplashTest, WithoutItsPictureThePopupShowsTheCaptionAlone) {
  ScratchFolder folder;
  folder.Write("Splash.spl", "CorvandelSplash 1\nPicture = Absent.bmp\nCaption = Starting\nDuration = 100\n");
  splash_.SetSplashFile(folder.Ansi() + "\\Splash.spl");
  HWND popup = FindPopup();
  ASSERT_NE(nullptr, popup);
  const RECT shown = WindowRectOf(popup);
  EXPECT_GT(shown.right - shown.left, 0);
  EXPECT_GT(shown.bottom - shown.top, 0);
  EXPECT_TRUE(PumpUntil([] { return FindPopup() == nullptr; }, milliseconds(5000)));
}

TEST_F(SplashTest, ThePopupGoesWithTheControlsWindow) {
  splash_.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
  ASSERT_NE(nullptr, FindPopup());
  DestroyWindow(owner_.window());
  EXPECT_EQ(nullptr, FindWindowA(CSplash::kPopupClass, nullptr));
  EXPECT_EQ(nullptr, splash_.window());
}

int CountPopups() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counter) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpA(name, CSplash::kPopupClass) == 0) ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(Splash, ANewFileReplacesThePopupStillUpAndTheControlTakesItAlong) {
  {
    CSplash splash;  // no control window: the pop-up has no owner
    splash.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
    splash.SetSplashFile(SourceTreePath("data/Skin/Splash.spl"));
    EXPECT_EQ(1, CountPopups());
    ASSERT_NE(nullptr, FindPopup());
    EXPECT_EQ(nullptr, GetWindow(FindPopup(), GW_OWNER));
  }
  EXPECT_EQ(0, CountPopups());
}

}  // namespace
}  // namespace corvandel

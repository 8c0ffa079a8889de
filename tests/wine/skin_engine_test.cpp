// The skin engine on real windows: loading, the failure codes, and that
// skinned windows are drawn in the skin's colours yet behave as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "native/scratch_folder.h"
#include "native/source_tree.h"
#include "services/skin_file.h"
#include "services/window_text_win32.h"
#include "widgets/skin_engine_win32.h"
#include "wine/window_support.h"

namespace corvandel {
namespace {

constexpr int kApply = 1016;
constexpr int kOther = 1017;
constexpr int kCheck = 1018;
constexpr int kLabel = 1019;
constexpr int kSplitter = 1053;

std::string ShippedSkinPath() { return SourceTreePath("data/Skin/skin.skn"); }

Skin ShippedSkin() {
  std::ifstream file(ShippedSkinPath(), std::ios::binary);
  const ParsedFile<Skin> parsed =
      ParseSkinFile(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
  EXPECT_TRUE(parsed.value) << parsed.error;
  return parsed.value.value_or(Skin{});
}

RECT ClientRectOf(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return rect;
}

LONG_PTR ButtonType(HWND button) { return GetWindowLongPtrA(button, GWL_STYLE) & 0x0F; }

class SkinEngineTest : public testing::Test {
 protected:
  // Controls start below the main window's caption strip.
  SkinEngineTest()
      : dialog_(280, 120, {
                              {L"BUTTON", L"Apply Changes", BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 40, 72, 16, kApply},
                              {L"BUTTON", L"Other", BS_PUSHBUTTON | WS_TABSTOP, 90, 40, 60, 16, kOther},
                              {L"BUTTON", L"Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 64, 80, 10, kCheck},
                              {L"STATIC", L"L", SS_LEFT, 10, 80, 80, 8, kLabel},
                              {L"STATIC", L"", SS_BLACKFRAME, 200, 40, 6, 60, kSplitter},
                          }) {}

  void LoadShippedSkin() { ASSERT_EQ(0, engine_->LoadSkin(ShippedSkinPath())); }

  void SkinAll() {
    LoadShippedSkin();
    ASSERT_EQ(0, engine_->SkinElement(dialog_.window(), L"SubMain"));
    ASSERT_EQ(0, engine_->SkinElement(dialog_.Item(kApply), L"Button"));
    ASSERT_EQ(0, engine_->SkinElement(dialog_.Item(kOther), L"Button"));
    ASSERT_EQ(0, engine_->SkinElement(dialog_.Item(kCheck), L"CheckBox"));
    ASSERT_EQ(0, engine_->SkinElement(dialog_.Item(kLabel), L"Label"));
    ASSERT_EQ(0, engine_->SkinElement(dialog_.Item(kSplitter), L"Splitter"));
  }

  // A point of a button's face clear of its border, focus mark and text.
  COLORREF ButtonFace(int id) {
    const RECT rect = ClientRectOf(dialog_.Item(id));
    return PixelAt(dialog_.Item(id), 2, rect.bottom / 2);
  }

  const Skin skin_ = ShippedSkin();
  TestDialog dialog_;
  std::unique_ptr<SkinEngine> engine_ = std::make_unique<SkinEngine>();
};

TEST_F(SkinEngineTest, LoadSkinTellsMissingFromBadFiles) {
  ScratchFolder folder;
  const std::string shipped = [] {
    std::ifstream file(ShippedSkinPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }();
  folder.Write("signature.skn", "CorvandelSkin 9\n" + shipped.substr(shipped.find('\n') + 1));
  folder.Write("colour.skn", shipped + "\nPanel = 300, 0, 0\n");
  folder.Write("empty.skn", "");
  folder.Write("huge.skn", shipped + std::string(70 * 1024, ';'));
  const struct {
    std::string path;
    int result;
  } cases[] = {
      {ShippedSkinPath(), 0},
      {folder.Ansi() + "\\none.skn", SkinEngine::kFileMissing},
      {folder.Ansi() + "\\Skin\\skin.skn", SkinEngine::kFileMissing},
      {folder.Ansi() + "\\signature.skn", SkinEngine::kBadFormat},
      {folder.Ansi() + "\\colour.skn", SkinEngine::kBadFormat},
      {folder.Ansi() + "\\empty.skn", SkinEngine::kBadFormat},
      {folder.Ansi() + "\\huge.skn", SkinEngine::kBadFormat},
      {folder.Ansi(), SkinEngine::kBadFormat},  // a folder cannot be read as a file
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, SkinEngine().LoadSkin(c.path)) << c.path;

  // A failed load keeps the skin loaded before.
  LoadShippedSkin();
  EXPECT_EQ(SkinEngine::kBadFormat, engine_->LoadSkin(folder.Ansi() + "\\colour.skn"));
  EXPECT_EQ(0, engine_->SkinElement(dialog_.window(), L"SubMain"));
  EXPECT_EQ(skin_.colours.panel, PixelAt(dialog_.window(), 1, 1));
}

TEST_F(SkinEngineTest, NothingIsSkinnedBeforeASkinIsLoaded) {
  EXPECT_EQ(SkinEngine::kNoSkin, engine_->SkinMainWindow(dialog_.window()));
  EXPECT_EQ(SkinEngine::kNoSkin, engine_->SkinElement(dialog_.Item(kApply), L"Button"));
  EXPECT_EQ(SkinEngine::kNoSkin, engine_->SkinElement(nullptr, L"Nothing"));
  EXPECT_EQ(BS_DEFPUSHBUTTON, ButtonType(dialog_.Item(kApply)));
}

TEST_F(SkinEngineTest, SkinElementAnswersEachFault) {
  LoadShippedSkin();
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, dialog_.window(), nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const struct {
    HWND window;
    const wchar_t* name;
    int result;
  } cases[] = {
      {dialog_.Item(kApply), L"Frame", SkinEngine::kUnknownElement},
      {dialog_.Item(kApply), L"button", SkinEngine::kUnknownElement},
      {dialog_.Item(kApply), L"", SkinEngine::kUnknownElement},
      {dialog_.Item(kApply), nullptr, SkinEngine::kUnknownElement},
      {nullptr, L"Button", SkinEngine::kBadWindow},
      {gone, L"Label", SkinEngine::kBadWindow},
      {dialog_.Item(kLabel), L"Button", SkinEngine::kBadWindow},   // not a push button
      {dialog_.Item(kCheck), L"Button", SkinEngine::kBadWindow},   // nor is a check box
      {dialog_.window(), L"Label", SkinEngine::kBadWindow},        // a label lives in a window
      {dialog_.window(), L"SubMain", 0},
      {dialog_.window(), L"AboutDlg", 0},
      {dialog_.Item(kApply), L"Button", 0},
      {dialog_.Item(kApply), L"Button", 0},  // again
      {dialog_.Item(kCheck), L"CheckBox", 0},
      {dialog_.Item(kLabel), L"Label", 0},
      {dialog_.Item(kSplitter), L"Splitter", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.result, engine_->SkinElement(c.window, c.name)) << (c.name ? c.name : L"(null)") << ' ' << c.window;
  EXPECT_EQ(SkinEngine::kBadWindow, engine_->SkinMainWindow(nullptr));
  EXPECT_EQ(SkinEngine::kBadWindow, engine_->SkinMainWindow(gone));
}

TEST_F(SkinEngineTest, SkinnedButtonsStillClickByMessageAndKeyboard) {
  SkinAll();
  EXPECT_EQ(BS_OWNERDRAW, ButtonType(dialog_.Item(kApply)));

  SendMessageA(dialog_.Item(kApply), BM_CLICK, 0, 0);
  SendMessageA(dialog_.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog_.Item(kOther)), TRUE);
  dialog_.PressKey(VK_SPACE);
  EXPECT_EQ((std::vector<CommandRecord>{{kApply, BN_CLICKED}, {kOther, BN_CLICKED}}), dialog_.commands());
}

TEST_F(SkinEngineTest, EnterPressesTheDefaultButtonAsTheFocusMoves) {
  SkinAll();
  HWND apply = dialog_.Item(kApply);
  HWND other = dialog_.Item(kOther);

  SendMessageA(dialog_.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog_.Item(kCheck)), TRUE);
  EXPECT_TRUE(SendMessageA(apply, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
  dialog_.PressKey(VK_RETURN);

  // A push button with the focus is the default while it has it.
  SendMessageA(dialog_.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(other), TRUE);
  EXPECT_TRUE(SendMessageA(other, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
  EXPECT_TRUE(SendMessageA(apply, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
  dialog_.PressKey(VK_RETURN);

  EXPECT_EQ((std::vector<CommandRecord>{{kApply, BN_CLICKED}, {kOther, BN_CLICKED}}), dialog_.commands());
  EXPECT_EQ(BS_OWNERDRAW, ButtonType(apply));
  EXPECT_EQ(BS_OWNERDRAW, ButtonType(other));
}

TEST_F(SkinEngineTest, ElementsAreDrawnInTheSkinsColours) {
  SkinAll();
  const SkinColours& colours = skin_.colours;
  EXPECT_EQ(colours.panel, PixelAt(dialog_.window(), 1, 1));
  EXPECT_EQ(colours.splitter, PixelAt(dialog_.Item(kSplitter), 2, 10));
  const RECT label = ClientRectOf(dialog_.Item(kLabel));
  EXPECT_EQ(colours.panel, PixelAt(dialog_.Item(kLabel), label.right - 2, label.bottom / 2));
  const RECT check = ClientRectOf(dialog_.Item(kCheck));
  EXPECT_EQ(colours.panel, PixelAt(dialog_.Item(kCheck), check.right - 2, check.bottom / 2));

  EXPECT_EQ(colours.buttonFace, ButtonFace(kOther));
  SendMessageA(dialog_.Item(kOther), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(colours.buttonHover, ButtonFace(kOther));
  SendMessageA(dialog_.Item(kOther), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(colours.buttonFace, ButtonFace(kOther));
  SendMessageA(dialog_.Item(kOther), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(colours.buttonPressed, ButtonFace(kOther));
  SendMessageA(dialog_.Item(kOther), BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(colours.buttonBorder, PixelAt(dialog_.Item(kOther), 0, 5));
}

TEST_F(SkinEngineTest, TheEngineFreesItsBrushesAndGivesTheWindowsBack) {
  SkinAll();
  auto labelBrush = [this] {
    HDC dc = GetDC(dialog_.Item(kLabel));
    const LRESULT brush = SendMessageA(dialog_.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(dialog_.Item(kLabel)));
    ReleaseDC(dialog_.Item(kLabel), dc);
    return reinterpret_cast<HBRUSH>(brush);
  };
  HBRUSH brush = labelBrush();
  EXPECT_EQ(brush, labelBrush());  // made once, not per message
  LOGBRUSH info{};
  ASSERT_EQ(static_cast<int>(sizeof(info)), GetObjectA(brush, sizeof(info), &info));
  EXPECT_EQ(skin_.colours.panel, info.lbColor);

  engine_.reset();
  EXPECT_EQ(0u, GetObjectType(brush));
  EXPECT_NE(brush, labelBrush());
  EXPECT_EQ(BS_DEFPUSHBUTTON, ButtonType(dialog_.Item(kApply)));
  EXPECT_EQ(BS_PUSHBUTTON, ButtonType(dialog_.Item(kOther)));
  SendMessageA(dialog_.Item(kApply), BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<CommandRecord>{{kApply, BN_CLICKED}}), dialog_.commands());
}

TEST_F(SkinEngineTest, WindowsMayGoBeforeTheEngine) {
  SkinAll();
  ASSERT_EQ(0, engine_->SkinMainWindow(dialog_.window()));
  HWND apply = dialog_.Item(kApply);
  DestroyWindow(dialog_.window());
  EXPECT_EQ(SkinEngine::kBadWindow, engine_->SkinElement(apply, L"Button"));
  engine_.reset();  // forgets the windows it skinned, touching none of them
}

// A skinned window keeps its character set; a procedure put in front of the
// engine's after it skinned the window keeps its place when the engine goes,
// and messages still reach the window's own procedure through both.
WNDPROC g_behind = nullptr;
int g_seen = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_seen;
  return CallWindowProcW(g_behind, window, message, wParam, lParam);
}

TEST_F(SkinEngineTest, AProcedurePutInFrontOfTheEnginesKeepsItsPlace) {
  HWND label = dialog_.Item(kLabel);
  const BOOL unicode = IsWindowUnicode(label);
  SkinAll();
  EXPECT_EQ(unicode, IsWindowUnicode(label));
  g_behind = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
  engine_.reset();
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(CountingProc), GetWindowLongPtrW(label, GWLP_WNDPROC));
  g_seen = 0;
  SetWindowTextW(label, L"still the label's own");
  EXPECT_EQ("still the label's own", WindowText(label));
  EXPECT_LT(0, g_seen);
  DestroyWindow(dialog_.window());  // the last message goes through both to the static's own procedure
}

class MainWindowSkinTest : public SkinEngineTest {
 protected:
  void SetUp() override {
    LoadShippedSkin();
    ASSERT_EQ(0, engine_->SkinMainWindow(dialog_.window()));
    engine_->OnEvent20([this](const std::string& name) { events_.push_back(name); });
  }

  POINT HelpButtonCentre() {
    const RECT client = ClientRectOf(dialog_.window());
    return {client.right - skin_.captionHeight / 2, skin_.captionHeight / 2};
  }
  void Mouse(UINT message, POINT at) {
    SendMessageA(dialog_.window(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
  }
  void Click(POINT at) {
    Mouse(WM_LBUTTONDOWN, at);
    Mouse(WM_LBUTTONUP, at);
  }

  std::vector<std::string> events_;
};

TEST_F(MainWindowSkinTest, TheHelpButtonFiresEvent20WithHelp) {
  Click(HelpButtonCentre());
  EXPECT_EQ(std::vector<std::string>{"Help"}, events_);
  Click(HelpButtonCentre());
  EXPECT_EQ((std::vector<std::string>{"Help", "Help"}), events_);
}

TEST_F(MainWindowSkinTest, OtherClicksFireNothing) {
  const POINT stripLeft{5, skin_.captionHeight / 2};
  Click(stripLeft);
  Click({HelpButtonCentre().x, skin_.captionHeight + 5});  // below the strip

  Mouse(WM_LBUTTONDOWN, HelpButtonCentre());  // pressed on the button, released beside it
  Mouse(WM_LBUTTONUP, stripLeft);
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(nullptr, GetCapture());

  engine_->OnEvent20(nullptr);
  Click(HelpButtonCentre());
  EXPECT_TRUE(events_.empty());
}

TEST_F(MainWindowSkinTest, DrawsThePanelTheCaptionStripAndTheHelpButton) {
  const SkinColours& colours = skin_.colours;
  const RECT client = ClientRectOf(dialog_.window());
  const int helpLeft = client.right - skin_.captionHeight + 2;
  EXPECT_EQ(colours.caption, PixelAt(dialog_.window(), 1, 1));
  EXPECT_EQ(colours.panel, PixelAt(dialog_.window(), 1, skin_.captionHeight + 2));
  EXPECT_EQ(colours.buttonBorder, PixelAt(dialog_.window(), helpLeft, skin_.captionHeight / 2));
  EXPECT_EQ(colours.helpButton, PixelAt(dialog_.window(), helpLeft + 1, 3));
  Mouse(WM_MOUSEMOVE, HelpButtonCentre());
  EXPECT_EQ(colours.buttonHover, PixelAt(dialog_.window(), helpLeft + 1, 3));
  Mouse(WM_LBUTTONDOWN, HelpButtonCentre());
  EXPECT_EQ(colours.buttonPressed, PixelAt(dialog_.window(), helpLeft + 1, 3));
  Mouse(WM_LBUTTONUP, HelpButtonCentre());
}

}  // namespace
}  // namespace corvandel

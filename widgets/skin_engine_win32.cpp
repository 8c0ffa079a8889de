#include "widgets/skin_engine_win32.h"

#include <cwchar>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "widgets/small_file_win32.h"
#include "services/skin_file.h"

namespace corvandel {
namespace {

constexpr std::size_t kSkinFileLimit = 64 * 1024;
constexpr LONG_PTR kButtonTypeMask = 0x0F;  // BS_TYPEMASK

// What a skinned window is drawn as. kHost: a window the engine does not draw
// itself but whose children it does (their WM_CTLCOLOR* and WM_DRAWITEM
// arrive at the parent).
enum class Kind { kMainWindow, kPanel, kButton, kCheckBox, kLabel, kSplitter, kHost };

struct Element {
  const wchar_t* name;
  Kind kind;
};

constexpr Element kElements[] = {
    {L"SubMain",  Kind::kPanel},
    {L"AboutDlg", Kind::kPanel},
    {L"Button",   Kind::kButton},
    {L"CheckBox", Kind::kCheckBox},
    {L"Label",    Kind::kLabel},
    {L"Splitter", Kind::kSplitter},
};

bool IsChildKind(Kind kind) { return kind == Kind::kButton || kind == Kind::kCheckBox || kind == Kind::kLabel; }

struct SkinnedWindow {
  Kind kind = Kind::kHost;
  bool isDefault = false;  // buttons: the dialog's default push button
  bool hover = false;      // buttons and the main window's help button
  bool pressed = false;    // the main window's help button
};

// One brush per colour, created on first use and kept until the skin
// changes or the engine goes.
class BrushCache {
 public:
  BrushCache() = default;
  BrushCache(const BrushCache&) = delete;
  BrushCache& operator=(const BrushCache&) = delete;
  ~BrushCache() { Clear(); }

  HBRUSH Get(ColorRef colour) {
    HBRUSH& brush = brushes_[colour];
    if (!brush) brush = CreateSolidBrush(colour);
    return brush;
  }
  void Clear() {
    for (auto& entry : brushes_) DeleteObject(entry.second);
    brushes_.clear();
  }

 private:
  std::map<ColorRef, HBRUSH> brushes_;
};

// Selects the window's own font into a DC for the life of the object.
class WindowFontScope {
 public:
  WindowFontScope(HWND window, HDC dc) : dc_(dc) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    old_ = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  }
  ~WindowFontScope() { SelectObject(dc_, old_); }
  WindowFontScope(const WindowFontScope&) = delete;
  WindowFontScope& operator=(const WindowFontScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

bool IsPushButton(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & kButtonTypeMask;
  return lstrcmpiA(className, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// A skinned window's procedure is replaced rather than subclassed through
// the common controls: their subclass chain looks its data up in a window
// property at every message, which under Wine is a call to the server (a
// message to a skinned label took about 80 times as long as to a plain one).
// The hooks are kept here, by window, for the one user-interface thread.
struct WindowHook {
  void* engine = nullptr;  // the SkinEngine::Impl drawing it; none once it let go
  WNDPROC original = nullptr;
  bool unicode = false;
};

std::unordered_map<HWND, WindowHook>& Hooks() {
  static std::unordered_map<HWND, WindowHook> hooks;
  return hooks;
}

LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto it = Hooks().find(window);
  if (it == Hooks().end()) return DefWindowProcA(window, message, wParam, lParam);
  const WindowHook& hook = it->second;
  return hook.unicode ? CallWindowProcW(hook.original, window, message, wParam, lParam)
                      : CallWindowProcA(hook.original, window, message, wParam, lParam);
}

}  // namespace

struct SkinEngine::Impl {
  std::optional<Skin> skin;
  BrushCache brushes;
  std::map<HWND, SkinnedWindow> windows;
  std::function<void(const std::string&)> onEvent20;

  ~Impl() {
    std::vector<HWND> skinned;
    for (const auto& entry : windows) skinned.push_back(entry.first);
    for (HWND window : skinned) {
      Detach(window);
      InvalidateRect(window, nullptr, TRUE);
    }
  }

  const SkinColours& colours() const { return skin->colours; }
  bool IsSkinnedAs(HWND window, Kind kind) const {
    const auto it = windows.find(window);
    return it != windows.end() && it->second.kind == kind;
  }
  HBRUSH Brush(ColorRef colour) { return brushes.Get(colour); }

  void Attach(HWND window, Kind kind) {
    Detach(window);
    SkinnedWindow state;
    state.kind = kind;
    if (kind == Kind::kButton) {
      // Owner-drawn from now on; the dialog manager keeps treating it as a
      // push button through WM_GETDLGCODE and BM_SETSTYLE below.
      const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
      state.isDefault = (style & kButtonTypeMask) == BS_DEFPUSHBUTTON;
      SetWindowLongPtrA(window, GWL_STYLE, (style & ~kButtonTypeMask) | BS_OWNERDRAW);
    }
    windows[window] = state;
    HookWindow(window);
    if (IsChildKind(kind) && !windows.count(GetParent(window))) Attach(GetParent(window), Kind::kHost);
    InvalidateRect(window, nullptr, TRUE);
  }

  void Detach(HWND window) {
    const auto it = windows.find(window);
    if (it == windows.end()) return;
    if (it->second.kind == Kind::kButton) {
      const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE) & ~kButtonTypeMask;
      SetWindowLongPtrA(window, GWL_STYLE, style | (it->second.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
    }
    windows.erase(it);
    UnhookWindow(window);
  }

  // Puts Proc in the window's place; a window still hooked keeps its hook.
  void HookWindow(HWND window) {
    auto& hook = Hooks()[window];
    hook.engine = this;
    if (hook.original != nullptr) return;
    // The procedure is set in the window's own character set: setting it in
    // the other one would change the window's.
    hook.unicode = IsWindowUnicode(window) != FALSE;
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&Impl::Proc);
    hook.original = reinterpret_cast<WNDPROC>(hook.unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                           : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
  }

  // Gives the window its own procedure back; when another has been put in
  // Proc's place since, Proc stays in the chain and only passes messages on.
  static void UnhookWindow(HWND window) {
    const auto it = Hooks().find(window);
    if (it == Hooks().end()) return;
    WindowHook& hook = it->second;
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&Impl::Proc);
    const LONG_PTR current =
        hook.unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
    if (current != proc) {
      hook.engine = nullptr;
      return;
    }
    const LONG_PTR original = reinterpret_cast<LONG_PTR>(hook.original);
    if (hook.unicode) SetWindowLongPtrW(window, GWLP_WNDPROC, original);
    else SetWindowLongPtrA(window, GWLP_WNDPROC, original);
    Hooks().erase(it);
  }

  void Reskin() {
    brushes.Clear();
    for (const auto& entry : windows) InvalidateRect(entry.first, nullptr, TRUE);
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto hook = Hooks().find(window);
    auto* engine = hook == Hooks().end() ? nullptr : static_cast<Impl*>(hook->second.engine);
    if (message == WM_NCDESTROY) {
      // The last message: the window's own procedure is put back, and gets it.
      const WindowHook last = hook == Hooks().end() ? WindowHook{} : hook->second;
      if (engine != nullptr) engine->Detach(window);
      Hooks().erase(window);
      if (last.original == nullptr) return DefWindowProcA(window, message, wParam, lParam);
      return last.unicode ? CallWindowProcW(last.original, window, message, wParam, lParam)
                          : CallWindowProcA(last.original, window, message, wParam, lParam);
    }
    if (engine == nullptr) return CallOriginal(window, message, wParam, lParam);
    return engine->Handle(window, message, wParam, lParam);
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto it = windows.find(window);
    if (it == windows.end()) return CallOriginal(window, message, wParam, lParam);
    if (auto result = HandleChildMessage(message, wParam, lParam)) return *result;
    switch (it->second.kind) {
      case Kind::kMainWindow:
        if (auto result = HandleMainWindow(window, it->second, message, wParam, lParam)) return *result;
        [[fallthrough]];
      case Kind::kPanel:
        if (auto result = HandlePanel(window, message, wParam)) return *result;
        break;
      case Kind::kButton:
        if (auto result = HandleButton(window, it->second, message, wParam, lParam)) return *result;
        break;
      case Kind::kSplitter:
        if (auto result = HandleSplitter(window, message)) return *result;
        break;
      case Kind::kCheckBox:
      case Kind::kLabel:
      case Kind::kHost:
        break;
    }
    return CallOriginal(window, message, wParam, lParam);
  }

  // Messages a parent receives about its skinned children.
  std::optional<LRESULT> HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN: {
        const auto child = windows.find(reinterpret_cast<HWND>(lParam));
        if (child == windows.end()) return std::nullopt;
        const Kind kind = child->second.kind;
        if (kind != Kind::kCheckBox && kind != Kind::kLabel) return std::nullopt;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kind == Kind::kCheckBox ? colours().checkBoxText : colours().labelText);
        SetBkColor(dc, colours().panel);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(Brush(colours().panel));
      }
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto child = windows.find(item->hwndItem);
        if (child == windows.end() || child->second.kind != Kind::kButton) return std::nullopt;
        DrawButton(*item, child->second);
        return TRUE;
      }
    }
    return std::nullopt;
  }

  std::optional<LRESULT> HandlePanel(HWND window, UINT message, WPARAM wParam) {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(colours().panel));
        return 1;
      }
      case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(Brush(colours().panel));
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), colours().foreground);
        SetBkColor(reinterpret_cast<HDC>(wParam), colours().background);
        return reinterpret_cast<LRESULT>(Brush(colours().background));
    }
    return std::nullopt;
  }

  // The caption strip across the top of the client area, with the help
  // button square in its right-hand corner.
  RECT CaptionStrip(HWND window) const {
    RECT strip;
    GetClientRect(window, &strip);
    strip.bottom = strip.top + skin->captionHeight;
    return strip;
  }
  RECT HelpButton(HWND window) const {
    RECT button = CaptionStrip(window);
    button.left = button.right - skin->captionHeight + 2;
    button.right -= 2;
    button.top += 2;
    button.bottom -= 2;
    return button;
  }
  bool OverHelpButton(HWND window, LPARAM lParam) const {
    const RECT button = HelpButton(window);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&button, at);
  }
  void RedrawHelpButton(HWND window) {
    const RECT button = HelpButton(window);
    InvalidateRect(window, &button, TRUE);
  }

  void DrawCaptionStrip(HWND window, HDC dc, const SkinnedWindow& state) {
    RECT strip = CaptionStrip(window);
    FillRect(dc, &strip, Brush(colours().caption));
    const RECT button = HelpButton(window);

    WindowFontScope font(window, dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours().captionText);
    std::string title = WindowText(window);
    RECT titleArea = strip;
    titleArea.left += 6;
    titleArea.right = button.left - 4;
    DrawTextA(dc, title.c_str(), -1, &titleArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

    const ColorRef face = state.pressed ? colours().buttonPressed
                          : state.hover ? colours().buttonHover
                                        : colours().helpButton;
    FillRect(dc, &button, Brush(face));
    FrameRect(dc, &button, Brush(colours().buttonBorder));
    SetTextColor(dc, colours().helpButtonText);
    RECT mark = button;
    DrawTextA(dc, "?", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

  std::optional<LRESULT> HandleMainWindow(HWND window, SkinnedWindow& state, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    switch (message) {
      case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, Brush(colours().panel));
        DrawCaptionStrip(window, dc, state);
        return 1;
      }
      case WM_SETTEXT:
      case WM_SIZE: {
        const LRESULT result = CallOriginal(window, message, wParam, lParam);
        const RECT strip = CaptionStrip(window);
        InvalidateRect(window, &strip, TRUE);
        return result;
      }
      case WM_MOUSEMOVE: {
        const bool over = OverHelpButton(window, lParam);
        if (over != state.hover) {
          state.hover = over;
          RedrawHelpButton(window);
          if (over) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
          }
        }
        return std::nullopt;
      }
      case WM_MOUSELEAVE:
        if (state.hover) {
          state.hover = false;
          RedrawHelpButton(window);
        }
        return std::nullopt;
      case WM_LBUTTONDOWN:
        if (!OverHelpButton(window, lParam)) return std::nullopt;
        state.pressed = true;
        SetCapture(window);
        RedrawHelpButton(window);
        return 0;
      case WM_LBUTTONUP: {
        if (!state.pressed) return std::nullopt;
        state.pressed = false;
        ReleaseCapture();
        RedrawHelpButton(window);
        // The handler may do anything, the window's end included: nothing of
        // the window's state is touched after it.
        if (OverHelpButton(window, lParam) && onEvent20) {
          const auto handler = onEvent20;
          handler("Help");
        }
        return 0;
      }
      case WM_CAPTURECHANGED:
        if (state.pressed && reinterpret_cast<HWND>(lParam) != window) {
          state.pressed = false;
          RedrawHelpButton(window);
        }
        return std::nullopt;
    }
    return std::nullopt;
  }

  std::optional<LRESULT> HandleButton(HWND window, SkinnedWindow& state, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_BUTTON | (state.isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      case BM_SETSTYLE:
        // The dialog manager moves the default mark between push buttons;
        // keep the mark here and the button owner-drawn.
        state.isDefault = (wParam & kButtonTypeMask) == BS_DEFPUSHBUTTON;
        InvalidateRect(window, nullptr, TRUE);
        return CallOriginal(window, message, (wParam & ~kButtonTypeMask) | BS_OWNERDRAW, lParam);
      case WM_MOUSEMOVE:
        if (!state.hover) {
          state.hover = true;
          InvalidateRect(window, nullptr, TRUE);
          TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
          TrackMouseEvent(&track);
        }
        return std::nullopt;
      case WM_MOUSELEAVE:
        state.hover = false;
        InvalidateRect(window, nullptr, TRUE);
        return std::nullopt;
      case WM_ERASEBKGND:
        return 1;  // DrawButton fills the whole face
    }
    return std::nullopt;
  }

  void DrawButton(const DRAWITEMSTRUCT& item, const SkinnedWindow& state) {
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    RECT face = item.rcItem;
    const ColorRef fill = pressed ? colours().buttonPressed
                          : state.hover && !disabled ? colours().buttonHover
                                                     : colours().buttonFace;
    FillRect(item.hDC, &face, Brush(fill));
    HBRUSH border = Brush(colours().buttonBorder);
    FrameRect(item.hDC, &face, border);
    if (state.isDefault) {
      InflateRect(&face, -1, -1);
      FrameRect(item.hDC, &face, border);
    }

    WindowFontScope font(item.hwndItem, item.hDC);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : colours().buttonText);
    RECT text = item.rcItem;
    if (pressed) OffsetRect(&text, 1, 1);
    const std::string caption = WindowText(item.hwndItem);
    DrawTextA(item.hDC, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
      RECT focus = item.rcItem;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(item.hDC, &focus);
    }
  }

  std::optional<LRESULT> HandleSplitter(HWND window, UINT message) {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, Brush(colours().splitter));
        EndPaint(window, &paint);
        return 0;
      }
    }
    return std::nullopt;
  }
};

SkinEngine::SkinEngine() : impl_(new Impl) {}

SkinEngine::~SkinEngine() { delete impl_; }

int SkinEngine::LoadSkin(const std::string& path) {
  std::string text;
  switch (ReadSmallFile(path, kSkinFileLimit, text)) {
    case SmallFileRead::kMissing:
      return kFileMissing;
    case SmallFileRead::kUnreadable:
      return kBadFormat;
    case SmallFileRead::kRead:
      break;
  }
  ParsedFile<Skin> parsed = ParseSkinFile(text);
  if (!parsed.value) return kBadFormat;
  impl_->skin = std::move(parsed.value);
  impl_->Reskin();
  return 0;
}

int SkinEngine::SkinMainWindow(HWND window) {
  if (!impl_->skin) return kNoSkin;
  if (!IsWindow(window)) return kBadWindow;
  impl_->Attach(window, Kind::kMainWindow);
  return 0;
}

int SkinEngine::SkinElement(HWND window, const wchar_t* elementName) {
  if (!impl_->skin) return kNoSkin;
  const Element* element = nullptr;
  for (const Element& candidate : kElements)
    if (elementName && std::wcscmp(candidate.name, elementName) == 0) element = &candidate;
  if (!element) return kUnknownElement;
  if (!IsWindow(window)) return kBadWindow;
  if (IsChildKind(element->kind) && (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) || !GetParent(window)))
    return kBadWindow;
  if (element->kind == Kind::kButton && !IsPushButton(window) && !impl_->IsSkinnedAs(window, Kind::kButton))
    return kBadWindow;
  impl_->Attach(window, element->kind);
  return 0;
}

void SkinEngine::OnEvent20(std::function<void(const std::string& objectName)> handler) {
  impl_->onEvent20 = std::move(handler);
}

}  // namespace corvandel

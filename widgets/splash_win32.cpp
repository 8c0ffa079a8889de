#include "widgets/splash_win32.h"

#include "services/skin_file.h"
#include "services/window_place_win32.h"
#include "widgets/small_file_win32.h"

namespace corvandel {
namespace {

constexpr char kControlClass[] = "CorvandelSplashControl";
constexpr UINT_PTR kCloseTimer = 1;
constexpr std::size_t kSplashFileLimit = 16 * 1024;
constexpr SIZE kSizeWithoutPicture{320, 120};

void RegisterClassOnce(const char* name, WNDPROC proc, HCURSOR cursor) {
  WNDCLASSA windowClass{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoA(instance, name, &windowClass)) return;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = cursor;
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

CSplash* SplashOf(HWND window) { return reinterpret_cast<CSplash*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// The folder part of a path, with its trailing separator ("" for none).
std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

CSplash::~CSplash() {
  Close();
  if (window_) DestroyWindow(window_);
}

bool CSplash::Create(HWND parent, const RECT& rect, int controlId) {
  RegisterClassOnce(kControlClass, &CSplash::ControlProc, nullptr);
  window_ = CreateWindowExA(0, kControlClass, "", WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) return false;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

void CSplash::SetSplashFile(const std::string& path) {
  Close();
  std::string text;
  if (ReadSmallFile(path, kSplashFileLimit, text) != SmallFileRead::kRead) return;
  const ParsedFile<SplashSettings> parsed = ParseSplashFile(text);
  if (!parsed.value) return;
  const SplashSettings& settings = *parsed.value;

  // A picture that does not load leaves the caption on a plain face.
  picture_ = static_cast<HBITMAP>(LoadImageA(nullptr, (FolderOf(path) + settings.picture).c_str(), IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  caption_ = settings.caption;
  captionColour_ = settings.captionColour;
  SIZE size = kSizeWithoutPicture;
  BITMAP info{};
  // The picture is made for 96 DPI: it is enlarged with the screen.
  if (picture_ && GetObjectA(picture_, sizeof(info), &info)) size = {Scaled(info.bmWidth), Scaled(info.bmHeight)};

  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  RegisterClassOnce(kPopupClass, &CSplash::PopupProc, LoadCursorA(nullptr, IDC_ARROW));
  HWND owner = window_ ? GetAncestor(window_, GA_ROOT) : nullptr;
  popup_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (topMost_ ? WS_EX_TOPMOST : 0), kPopupClass, "",
                           WS_POPUP, (workArea.left + workArea.right - size.cx) / 2,
                           (workArea.top + workArea.bottom - size.cy) / 2, size.cx, size.cy, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!popup_) {
    if (picture_) DeleteObject(picture_);
    picture_ = nullptr;
    return;
  }
  SetWindowLongPtrA(popup_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetTimer(popup_, kCloseTimer, static_cast<UINT>(settings.durationMs), nullptr);
  ShowWindow(popup_, SW_SHOWNOACTIVATE);
  UpdateWindow(popup_);  // start-up goes on at once; the picture is up meanwhile
}

void CSplash::SetDelay(long value) {
  if (popup_ && value > 0) SetTimer(popup_, kCloseTimer, static_cast<UINT>(value), nullptr);
}

void CSplash::SetTopMost(bool value) {
  topMost_ = value;
  if (popup_)
    SetWindowPos(popup_, value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CSplash::Close() {
  if (popup_) DestroyWindow(popup_);  // WM_NCDESTROY clears popup_ and the picture
}

void CSplash::Paint(HDC dc) const {
  RECT client;
  GetClientRect(popup_, &client);
  if (picture_) {
    BITMAP info{};
    GetObjectA(picture_, sizeof(info), &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture_);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  } else {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  if (caption_.empty()) return;
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, captionColour_);
  RECT line = client;
  line.bottom -= 8;
  DrawTextA(dc, caption_.c_str(), -1, &line, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK CSplash::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CSplash* splash = SplashOf(window);
  if (splash) {
    switch (message) {
      case WM_DESTROY:
        splash->Close();
        break;
      case WM_NCDESTROY:
        splash->window_ = nullptr;
        break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CSplash::PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CSplash* splash = SplashOf(window);
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_TIMER:
      if (wParam == kCloseTimer) DestroyWindow(window);
      return 0;
    case WM_LBUTTONDOWN:  // a click sends it away early
      DestroyWindow(window);
      return 0;
    case WM_PAINT:
      if (splash) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        splash->Paint(dc);
        EndPaint(window, &paint);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (splash) {
        splash->popup_ = nullptr;
        if (splash->picture_) DeleteObject(splash->picture_);
        splash->picture_ = nullptr;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace corvandel

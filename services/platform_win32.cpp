#include "services/platform_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace corvandel {

OsVersionRecord Win32Platform::Version() {
  // Zeroed first: should the query fail, no predicate sees a stray version.
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&info);
#pragma GCC diagnostic pop
  return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

std::string Win32Platform::WindowsDirectory() {
  char buffer[100] = {};
  UINT length = GetWindowsDirectoryA(buffer, sizeof(buffer));
  return length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

std::string Win32Platform::AppDataFolder() {
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_APPDATA, FALSE)) return {};
  return buffer;
}

std::string Win32Platform::ProfileFolder() {
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_PROFILE, FALSE)) return {};
  return buffer;
}

std::vector<std::string> Win32Platform::LogicalDrives() {
  std::vector<char> buffer(GetLogicalDriveStringsA(0, nullptr) + 1, '\0');
  DWORD length = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
  std::vector<std::string> roots;
  for (const char* p = buffer.data(); p < buffer.data() + length && *p; p += std::strlen(p) + 1) roots.emplace_back(p);
  return roots;
}

unsigned Win32Platform::DriveType(const std::string& root) { return GetDriveTypeA(root.c_str()); }

int Win32Platform::ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

namespace {
// The filter comes in the "Name|pattern||" form; the dialogs want NULs.
std::string DialogFilter(const std::string& filter) {
  std::string filterZ = filter;
  for (char& c : filterZ) if (c == '|') c = '\0';
  filterZ.push_back('\0');
  return filterZ;
}
}  // namespace

std::optional<std::string> Win32Platform::BrowseForFile(const std::string& filter) {
  const std::string filterZ = DialogFilter(filter);
  char path[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = filterZ.c_str();
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof(path);
  // The program's flags, less a hook and template we do not have, and less
  // multiple selection: the edit takes one path, and a multiple choice would
  // hand back only the folder.
  ofn.Flags = 0x28BF1C & ~static_cast<DWORD>(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ALLOWMULTISELECT);
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(path);
}

std::optional<std::string> Win32Platform::SaveFileAs(const std::string& filter, const std::string& name) {
  const std::string filterZ = DialogFilter(filter);
  char path[MAX_PATH] = {};
  name.copy(path, sizeof(path) - 1);
  const std::size_t dot = name.find_last_of('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = filterZ.c_str();
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof(path);
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&ofn)) return std::nullopt;
  return std::string(path);
}

namespace {
// Selects the start folder once the dialog is up (a path that is no folder
// leaves the dialog at its root).
int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}
}  // namespace

std::optional<std::string> Win32Platform::BrowseForFolder(const std::string& start, const std::string& prompt) {
  // The dialog needs COM on this thread; the program starts OLE once its
  // window is first idle, and a click can come before.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  BROWSEINFOA info{};
  info.hwndOwner = GetActiveWindow();
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = SelectStartFolder;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  std::optional<std::string> chosen;
  if (LPITEMIDLIST list = SHBrowseForFolderA(&info)) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(list, path)) chosen = path;
    CoTaskMemFree(list);
  }
  if (com) CoUninitialize();
  return chosen;
}

CalendarDate Win32Platform::TodayUtc() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

std::string Win32Platform::ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder(path, length);
  auto slash = folder.find_last_of('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace corvandel

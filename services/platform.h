// The platform seam: what the program asks of Windows besides the registry,
// the controls and INI files. The Win32 side makes the real calls; the
// settable side answers what a test or the headless front end sets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvandel {

// The fields of OSVERSIONINFOA the program consults.
struct OsVersionRecord {
  std::uint32_t platformId = 0;
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
};

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

// MessageBoxA styles and results the program uses.
namespace mb {
inline constexpr unsigned kOk = 0x00000000u;
inline constexpr unsigned kOkCancel = 0x00000001u;
inline constexpr unsigned kYesNoCancel = 0x00000003u;
inline constexpr unsigned kIconError = 0x00000010u;
inline constexpr unsigned kIconQuestion = 0x00000020u;
inline constexpr unsigned kIconWarning = 0x00000030u;
inline constexpr unsigned kIconInformation = 0x00000040u;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

// GetDriveTypeA results.
namespace drive {
inline constexpr unsigned kUnknown = 0;
inline constexpr unsigned kNoRootDir = 1;
inline constexpr unsigned kRemovable = 2;
inline constexpr unsigned kFixed = 3;
inline constexpr unsigned kRemote = 4;
inline constexpr unsigned kCdRom = 5;
inline constexpr unsigned kRamDisk = 6;
}  // namespace drive

class IPlatform {
 public:
  virtual ~IPlatform() = default;

  // GetVersionExA with dwOSVersionInfoSize set to the record's size.
  virtual OsVersionRecord Version() = 0;
  // GetWindowsDirectoryA into a 100-character buffer.
  virtual std::string WindowsDirectory() = 0;
  // SHGetSpecialFolderPathA(CSIDL_APPDATA).
  virtual std::string AppDataFolder() = 0;
  // SHGetSpecialFolderPathA(CSIDL_PROFILE): the user's profile folder; empty
  // where the shell reports none (before Windows 2000).
  virtual std::string ProfileFolder() = 0;
  // GetLogicalDriveStringsA, one root per entry ("C:\").
  virtual std::vector<std::string> LogicalDrives() = 0;
  // GetDriveTypeA for a root such as "C:\".
  virtual unsigned DriveType(const std::string& root) = 0;
  // MessageBoxA with no owner window; returns the button pressed.
  virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned style) = 0;
  // The system open-file dialog with an MFC-style filter ("All Files(*.*)|*.*||");
  // the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> BrowseForFile(const std::string& filter) = 0;
  // The system save-file dialog with the same filter, proposing name (its
  // extension added when the user types none); the chosen path, an existing
  // file's replacement confirmed, or nothing when cancelled.
  virtual std::optional<std::string> SaveFileAs(const std::string& filter, const std::string& name) = 0;
  // SHBrowseForFolderA for file-system folders, opened at start (where it is
  // a folder) with the prompt above its tree; the chosen path or nothing.
  virtual std::optional<std::string> BrowseForFolder(const std::string& start, const std::string& prompt) = 0;
  // GetSystemTime's date.
  virtual CalendarDate TodayUtc() = 0;
  // The folder of the program file, without a trailing backslash.
  virtual std::string ProgramFolder() = 0;
};

}  // namespace corvandel

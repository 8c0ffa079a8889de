// The Win32 platform seam against what the Wine prefix and the C library say.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <string>

#include "services/platform_win32.h"

namespace corvandel {
namespace {

std::string ReadUserString(const std::string& key, const char* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return {};
  char value[64] = {};
  DWORD size = sizeof(value) - 1;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : std::string();
}

std::wstring ModulePathW() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

// The Windows version the prefix tells Wine to report to this program: its
// own entry under AppDefaults wins over the global one; with neither, Wine
// reports Windows 7.
std::string PrefixWindowsVersion() {
  const std::wstring module = ModulePathW();
  const std::wstring exeName = module.substr(module.find_last_of(L'\\') + 1);
  std::string narrowName;
  for (wchar_t c : exeName) narrowName.push_back(static_cast<char>(c));
  for (const std::string& key : {"Software\\Wine\\AppDefaults\\" + narrowName, std::string("Software\\Wine")}) {
    const std::string version = ReadUserString(key, "Version");
    if (!version.empty()) return version;
  }
  return "win7";
}

TEST(Win32Platform, VersionIsThePrefixsWindowsVersion) {
  // Versions up to Windows 8 are reported as they are, manifest or not.
  const struct {
    const char* name;
    OsVersionRecord record;
  } kWineVersions[] = {
      {"win95", {1, 4, 0}},   {"win98", {1, 4, 10}},   {"winme", {1, 4, 90}},     {"nt40", {2, 4, 0}},
      {"win2k", {2, 5, 0}},   {"winxp", {2, 5, 1}},    {"winxp64", {2, 5, 2}},    {"win2003", {2, 5, 2}},
      {"vista", {2, 6, 0}},   {"win2008", {2, 6, 0}},  {"win7", {2, 6, 1}},       {"win2008r2", {2, 6, 1}},
      {"win8", {2, 6, 2}},
  };
  const std::string name = PrefixWindowsVersion();
  const auto* known = std::find_if(std::begin(kWineVersions), std::end(kWineVersions),
                                   [&](const auto& v) { return lstrcmpiA(v.name, name.c_str()) == 0; });
  if (known == std::end(kWineVersions)) GTEST_SKIP() << "prefix reports " << name << ", not in the table";
  const OsVersionRecord version = Win32Platform().Version();
  EXPECT_EQ(known->record.platformId, version.platformId) << name;
  EXPECT_EQ(known->record.majorVersion, version.majorVersion) << name;
  EXPECT_EQ(known->record.minorVersion, version.minorVersion) << name;
}

TEST(Win32Platform, WindowsDirectoryIsAFolderOnADrive) {
  const std::string folder = Win32Platform().WindowsDirectory();
  ASSERT_GE(folder.size(), 3u) << folder;
  EXPECT_LE(folder.size(), 99u);  // the 100-character buffer and its NUL
  EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(folder[0]))) << folder;
  EXPECT_EQ(":\\", folder.substr(1, 2)) << folder;
  EXPECT_NE('\\', folder.back()) << folder;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << folder;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << folder;
  char systemRoot[MAX_PATH] = {};
  ASSERT_NE(0u, GetEnvironmentVariableA("SystemRoot", systemRoot, sizeof(systemRoot)));
  EXPECT_EQ(0, lstrcmpiA(systemRoot, folder.c_str())) << systemRoot << " vs " << folder;
}

TEST(Win32Platform, AppDataFolderExists) {
  const std::string folder = Win32Platform().AppDataFolder();
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << folder;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << folder;
}

TEST(Win32Platform, ProfileFolderIsAFolderThatHoldsTheApplicationDataFolder) {
  const std::string profile = Win32Platform().ProfileFolder();
  ASSERT_FALSE(profile.empty());
  const DWORD attributes = GetFileAttributesA(profile.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << profile;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << profile;
  EXPECT_EQ(0u, Win32Platform().AppDataFolder().rfind(profile + "\\", 0)) << profile;
}

TEST(Win32Platform, ProgramFolderIsTheTestProgramsFolder) {
  const std::string folder = Win32Platform().ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE('\\', folder.back()) << folder;
  const std::wstring module = ModulePathW();
  const std::wstring expected = module.substr(0, module.find_last_of(L'\\'));
  EXPECT_EQ(expected, std::wstring(folder.begin(), folder.end()));
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << folder;
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << folder;
}

TEST(Win32Platform, TodayUtcIsTheCLibrarysUtcDate) {
  auto utcDate = [](std::time_t when) {
    const std::tm* parts = std::gmtime(&when);
    return CalendarDate{parts->tm_year + 1900, parts->tm_mon + 1, parts->tm_mday};
  };
  auto same = [](const CalendarDate& a, const CalendarDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
  };
  // Read between two looks at the clock, in case midnight falls in between.
  const CalendarDate before = utcDate(std::time(nullptr));
  const CalendarDate today = Win32Platform().TodayUtc();
  const CalendarDate after = utcDate(std::time(nullptr));
  EXPECT_TRUE(same(today, before) || same(today, after))
      << today.year << "-" << today.month << "-" << today.day << " vs " << before.year << "-" << before.month << "-"
      << before.day;
}

TEST(Win32Platform, LogicalDrivesIncludeTheFixedDriveC) {
  Win32Platform platform;
  const std::vector<std::string> drives = platform.LogicalDrives();
  ASSERT_FALSE(drives.empty());
  for (const std::string& root : drives) {
    EXPECT_EQ(3u, root.size()) << root;
    EXPECT_EQ(":\\", root.substr(1)) << root;
    EXPECT_NE(drive::kNoRootDir, platform.DriveType(root)) << root;
  }
  EXPECT_NE(drives.end(), std::find(drives.begin(), drives.end(), "C:\\"));
  EXPECT_EQ(drive::kFixed, platform.DriveType("C:\\"));
  EXPECT_EQ(drive::kNoRootDir, platform.DriveType("C:\\no such folder\\"));
}

}  // namespace
}  // namespace corvandel

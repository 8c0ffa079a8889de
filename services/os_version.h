// The Windows version probe. Each apply routine builds its own COsVersion, so
// the version is read afresh on every apply.
#pragma once

#include "services/platform.h"

namespace corvandel {

// Windows versions a tweak admits, combined with |.
enum class Versions : unsigned {
  kNone = 0,
  k95 = 1u << 0,
  k98 = 1u << 1,
  kMe = 1u << 2,
  kNT4 = 1u << 3,
  k2000 = 1u << 4,
  kXP = 1u << 5,
};

constexpr Versions operator|(Versions a, Versions b) {
  return static_cast<Versions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

class COsVersion {
 public:
  // Reads the version record once. A failed query leaves the record zeroed
  // (the Win32 side clears it before asking), which reads as platform 0,
  // Win32s: every predicate is then false and every gated tweak is refused.
  explicit COsVersion(IPlatform& platform) : record_(platform.Version()) {}

  bool IsWin95() const { return IsWindows9x(0); }
  bool IsWin98() const { return IsWindows9x(10); }
  bool IsWinMe() const { return IsWindows9x(90); }
  bool IsWinNT4() const { return record_.platformId == kPlatformNt && record_.majorVersion == 4; }
  bool IsWin2000() const { return IsWindowsNt5() && record_.minorVersion == 0; }
  // Also any later 5.x release.
  bool IsWinXP() const { return IsWindowsNt5() && record_.minorVersion != 0; }

  // True when at least one of the admitted versions is running.
  bool IsAnyOf(Versions admitted) const;

 private:
  static constexpr std::uint32_t kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
  static constexpr std::uint32_t kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT

  // The 9x family is told apart by the minor version alone.
  bool IsWindows9x(std::uint32_t minor) const {
    return record_.platformId == kPlatformWindows && record_.minorVersion == minor;
  }
  bool IsWindowsNt5() const { return record_.platformId == kPlatformNt && record_.majorVersion == 5; }

  OsVersionRecord record_;
};

}  // namespace corvandel

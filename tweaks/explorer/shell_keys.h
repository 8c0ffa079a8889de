// The shell's keys that the Explorer and File System tweaks share.
#pragma once

namespace corvandel::shell_keys {

inline constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

}  // namespace corvandel::shell_keys

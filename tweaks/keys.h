// The registry keys that more than one tweak names, one name each. A key
// spelled in two letter cases keeps both spellings: a key a tweak creates is
// created as the tweak spells it.
#pragma once

namespace corvandel::keys {

inline constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr const char* kAdvancedUpperCase = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
inline constexpr const char* kExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kExplorerPoliciesUpperCase =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kSystemPolicies = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* kSystemPoliciesMixedCase = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* kSystemPoliciesLowerCase = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\system";
inline constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr const char* kWinlogonMixedCase = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr const char* kDesktop = "Control Panel\\Desktop";
inline constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
inline constexpr const char* kMemoryManagement = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline constexpr const char* kCrashControl = "SYSTEM\\CurrentControlSet\\Control\\CrashControl";
inline constexpr const char* kCdrom = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
inline constexpr const char* kOle = "SOFTWARE\\Microsoft\\Ole";
inline constexpr const char* kDirectoryShell = "Directory\\shell";

}  // namespace corvandel::keys

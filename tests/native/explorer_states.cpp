// Stored states of the tweaks of this category as a user's registry holds
// them (each loads and applies back unchanged), and the states an untouched
// apply rewrites by design. The first state of a tweak is where the other
// tests start from: its keys exist.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kDirectoryUi = "Software\\Policies\\Microsoft\\Windows\\Directory UI";
constexpr const char* kCabinetState = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState";
constexpr const char* kContentIndex = "SYSTEM\\CurrentControlSet\\Control\\ContentIndex";
constexpr const char* kAutoComplete = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr const char* kHandlers = "AllFilesystemObjects\\shellex\\ContextMenuHandlers";
constexpr const char* kCopyTo = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To";
constexpr const char* kMoveTo = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To";
constexpr const char* kSendTo = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To";
constexpr const char* kOpenAs = "Unknown\\shell\\openas\\command";
constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kCopyToId = "{C2FBB630-2971-11d1-A18C-00C04FD75D13}";
constexpr const char* kMoveToId = "{C2FBB631-2971-11d1-A18C-00C04FD75D13}";
constexpr const char* kSendToId = "{7BA4C740-9E81-11CF-99D3-00AA004AE837}";

std::vector<StoredState> BuildExplorerStates() {
  std::vector<StoredState> s;
  // Search
  s.push_back({97, "some options", {Dw(kHKCU, kExplorer, "CaseSensitive", 0), Dw(kHKCU, kExplorer, "IncludeSubFolders", 1),
                                    Dw(kHKCU, kExplorer, "SearchHidden", 1), Dw(kHKCU, kExplorer, "SearchSlowFiles", 0),
                                    Dw(kHKCU, kExplorer, "SearchSystemDirs", 1)}});
  s.push_back({98, "limit", {Dw(kHKCU, kDirectoryUi, "QueryLimit", 25)}, win::k2000});
  s.push_back({98, "negative", {Dw(kHKCU, kDirectoryUi, "QueryLimit", 0xFFFFFFFB)}});
  Pair(s, 99, kPolicies, "NoShellSearchButton", 1, 0);
  OnOff(s, 100, kHKLM, kContentIndex, "FilterFilesWithUnknownExtensions", 1, 0);
  OnOff(s, 101, kHKCU, kDirectoryUi, "EnableFilter", 1, 0, win::k2000);
  s.push_back({102, "assistant", {Sz(kHKCU, kCabinetState, "Use Search Asst", "yes")}});
  s.push_back({102, "classic", {Sz(kHKCU, kCabinetState, "Use Search Asst", "no")}});
  // Single tweaks
  s.push_back({103, "both", {Sz(kHKCR, kCopyTo, "", kCopyToId), Sz(kHKCR, kMoveTo, "", kMoveToId)}});
  s.push_back({103, "copy only", {Sz(kHKCR, kCopyTo, "", kCopyToId), KeyOnly(kHKCR, kHandlers)}});
  s.push_back({103, "neither", {KeyOnly(kHKCR, kHandlers)}});
  s.push_back({104, "added", {Sz(kHKCR, "Folder\\shell\\explore", "", "E&xplore from here"),
                              Sz(kHKCR, "Folder\\shell\\explore\\command", "", "explorer.exe /e,/root,/idlist,%i"),
                              KeyOnly(kHKCR, "Directory\\shell")}});
  s.push_back({104, "not added", {KeyOnly(kHKCR, "Folder\\shell\\open"), KeyOnly(kHKCR, "Directory\\shell")}});
  OnOff(s, 105, kHKCU, kAdvanced, "FriendlyTree", 1, 0);
  s.push_back({107, "folders", {Sz(kHKLM, kCurrentVersion, "ProgramFilesDir", "D:\\Programs"),
                                Sz(kHKLM, kCurrentVersion, "CommonFilesDir", "D:\\Programs\\Common")}});
  s.push_back({107, "program files only", {Sz(kHKLM, kCurrentVersion, "ProgramFilesDir", "C:\\Program Files")}});
  s.push_back({108, "inline", {Sz(kHKCU, kAutoComplete, "Append Completion", "Yes")}});
  s.push_back({108, "not inline", {Sz(kHKCU, kAutoComplete, "Append Completion", "No")}});
  OnOff(s, 109, kHKCU, kAdvanced, "DisableThumbnailCache", 1, 0);
  OnOff(s, 110, kHKCU, kAdvanced, "SeparateProcess", 1, 0);
  Pair(s, 111, kPolicies, "NoSharedDocuments", 1, 0);
  s.push_back({112, "restore", {Dw(kHKCU, kAdvanced, "PersistBrowsers", 1)}});
  s.push_back({112, "do not restore", {Dw(kHKCU, kAdvanced, "PersistBrowsers", 0)}});
  s.push_back({112, "unlisted", {Dw(kHKCU, kAdvanced, "PersistBrowsers", 7)}});
  s.push_back({113, "shown", {Sz(kHKCR, kSendTo, "", kSendToId)}});
  s.push_back({113, "hidden", {Sz(kHKCR, kSendTo, "", "")}});
  OnOff(s, 114, kHKCU, kAdvanced, "ShowAttribCol", 1, 0, win::k98);
  OnOff(s, 115, kHKLM, kAdvanced, "EncryptionContextMenu", 1, 0);
  OnOff(s, 116, kHKCU, kAdvanced, "Hidden", 1, 2);
  OnOff(s, 117, kHKCU, kAdvanced, "ShowSuperHidden", 1, 0);
  s.push_back({118, "box shown", {Sz(kHKCR, kOpenAs, "", "rundll32.exe shell32.dll,OpenAs_RunDLL %1")}});
  s.push_back({118, "box hidden", {Sz(kHKCR, kOpenAs, "", "rundll32.exe shell32.dll,OpenAs_RunDLL %1 %2")}});
  s.push_back({119, "programs", {Sz(kHKCR, "Applications\\notepad.exe\\shell\\open\\command", "", "notepad.exe %1"),
                                 Sz(kHKCR, "Applications\\winword.exe", "NoOpenWith", ""),
                                 KeyOnly(kHKCR, "Applications\\winword.exe\\shell"),
                                 KeyOnly(kHKCR, "Applications\\nosh.exe")}});
  return s;
}

std::vector<StoredState> BuildFileSystemStates() {
  constexpr const char* kFileSystem = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
  constexpr const char* kMemory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  constexpr const char* kSession = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  constexpr const char* kBoot = "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction";
  std::vector<StoredState> s;
  s.push_back({124, "servers", {Dw(kHKLM, kMemory, "LargeSystemCache", 1)}});
  s.push_back({124, "desktops", {Dw(kHKLM, kMemory, "LargeSystemCache", 0)}});
  OnOff(s, 126, kHKCU, kPolicies, "NoResolveSearch", 1, 0);
  s.push_back({127, "8.3", {Dw(kHKLM, kFileSystem, "Win31FileSystem", 1)}});
  s.push_back({127, "long", {Dw(kHKLM, kFileSystem, "Win31FileSystem", 0)}});
  Pair(s, 128, kPolicies, "LinkResolveIgnoreLinkInfo", 0, 1);
  OnOff(s, 129, kHKCU, kPolicies, "NoResolveTrack", 1, 0);
  OnOff(s, 130, kHKLM, kFileSystem, "NtfsAllowExtendedCharacterIn8dot3Name", 1, 0);
  OnOff(s, 131, kHKLM, kFileSystem, "Win95TruncatedExtensions", 0, 1);
  s.push_back({133, "user prefix removed", {Raw(kHKCU, kExplorer, "link", {0, 0, 0, 0}), KeyOnly(kHKLM, kExplorer)}});
  s.push_back({133, "machine prefix removed", {KeyOnly(kHKCU, kExplorer), Raw(kHKLM, kExplorer, "link", {0, 0, 0, 0})}});
  OnOff(s, 134, kHKLM, kFileSystem, "NtfsDisable8dot3NameCreation", 1, 0);
  OnOff(s, 136, kHKCU, kExplorer, "NoFileFolderConnection", 1, 0);
  s.push_back({138, "on", {Sz(kHKLM, kBoot, "Enable", "Y")}});
  s.push_back({138, "off", {Sz(kHKLM, kBoot, "Enable", "N")}});
  s.push_back({139, "large", {Dw(kHKLM, kFileSystem, "NtfsMftZoneReservation", 3)}});
  s.push_back({139, "none chosen", {Dw(kHKLM, kFileSystem, "NtfsMftZoneReservation", 0)}});
  Pair(s, 140, kPolicies, "NoLowDiskSpaceChecks", 1, 0);
  s.push_back({141, "ten seconds", {Dw(kHKLM, kSession, "AutoChkTimeOut", 10)}});
  s.push_back({141, "beyond the list", {Dw(kHKLM, kSession, "AutoChkTimeOut", 300)}});
  OnOff(s, 142, kHKLM, "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "AutoRun", 1, 0);
  OnOff(s, 143, kHKCU, kPolicies, "ForceCopyAclwithFile", 1, 0);
  Pair(s, 146, kPolicies, "NoCDBurning", 1, 0);
  OnOff(s, 147, kHKLM, kFileSystem, "NtfsDisableLastAccessUpdate", 1, 0);
  OnOff(s, 148, kHKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket", "NukeOnDelete", 1, 0);
  OnOff(s, 151, kHKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\EFS", "EfsConfiguration", 1, 0);
  s.push_back({152, "every drive starts", {Dw(kHKCU, kPolicies, "NoDriveAutoRun", 0)}});
  OnOff(s, 154, kHKCU, kAdvanced, "DontPrettyPath", 1, 0, win::k98);
  return s;
}

}  // namespace

const std::vector<StoredState>& ExplorerStates() {
  static const std::vector<StoredState> states = BuildExplorerStates();
  return states;
}

std::vector<Rewrite> ExplorerRewrites() {
  return {
      {{102, "capital No", {Sz(kHKCU, kCabinetState, "Use Search Asst", "No")}},
       "only \"no\" as written turns the assistant off; anything else shows and writes \"yes\""},
      {{104, "stock verb", {Sz(kHKCR, "Folder\\shell\\explore", "", "E&xplore"),
                            Sz(kHKCR, "Folder\\shell\\explore\\command", "", "explorer.exe /e,/idlist,%I")}},
       "an existing verb shows checked, and checked writes the verb's own texts"},
      {{104, "directory only", {KeyOnly(kHKCR, "Folder\\shell"), KeyOnly(kHKCR, "Directory\\shell\\explore")}},
       "the verb under Directory shows checked, and checked adds it under Folder"},
      {{108, "lower case", {Sz(kHKCU, kAutoComplete, "Append Completion", "yes")}},
       "any case shows, and the item writes \"Yes\""},
      {{116, "stored 0", {Dw(kHKCU, kAdvanced, "Hidden", 0)}}, "unchecked writes 2, which Windows also takes as hidden"},
      {{118, "stock command", {ExSz(kHKCR, kOpenAs, "", "%SystemRoot%\\system32\\rundll32.exe shell32.dll,OpenAs_RunDLL %1")}},
       "any command but the \"%1 %2\" form shows checked, and checked writes its own command"},
      {{100, "stored 2", {Dw(kHKLM, kContentIndex, "FilterFilesWithUnknownExtensions", 2)}},
       "a non-zero number shows checked, and checked writes 1"},
  };
}

const std::vector<StoredState>& FileSystemStates() {
  static const std::vector<StoredState> states = BuildFileSystemStates();
  return states;
}

std::vector<Rewrite> FileSystemRewrites() {
  return {
      {{133, "other prefix", {Raw(kHKCU, kExplorer, "link", {0x1E, 0, 0, 0})}},
       "a non-zero \"link\" shows unchecked, and unchecked removes it"},
      {{139, "above 4", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\FileSystem", "NtfsMftZoneReservation", 5)}},
       "a zone no item stands for shows none, and no item writes 0"},
      {{152, "some drives", {Dw(kHKCU, kPolicies, "NoDriveAutoRun", 0x95)}},
       "the stored drives are not shown, so an untouched list stores 0"},
      {{126, "stored 2", {Dw(kHKCU, kPolicies, "NoResolveSearch", 2)}},
       "a non-zero number shows checked, and checked writes 1"},
  };
}

}  // namespace corvandel

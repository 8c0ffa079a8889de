// Stored states of the Start Menu and Taskbar tweaks as a user's registry
// holds them (each loads and applies back unchanged), and the states an
// untouched apply rewrites by design. The first state of a tweak has its keys,
// and changing every control of its page writes something.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const char* kMenuOrder = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";
constexpr const char* kFavoritesOrder = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Favorites\\Links";
constexpr const char* kStartMenuOrder = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu";
constexpr const char* kDefaultAdvanced = ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kUserAdvanced = "S-1-5-21-1004\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kProfileWithoutExplorer = "S-1-5-21-1005\\Software";
constexpr const char* kMyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// The scrolling settings of one profile.
std::vector<SeedValue> Scrolling(RegKey root, const char* path, const char* classic, std::uint32_t xp) {
  return {Sz(root, path, "StartMenuScrollPrograms", classic), Dw(root, path, "Start_ScrollPrograms", xp)};
}

std::vector<SeedValue> Join(std::vector<std::vector<SeedValue>> parts) {
  std::vector<SeedValue> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The six Start menu folders' modes, in the order of the page.
std::vector<SeedValue> FolderModes(std::array<std::uint32_t, 6> modes) {
  const char* names[] = {"Start_ShowControlPanel", "Start_ShowMyComputer", "Start_ShowMyDocs",
                         "Start_ShowMyMusic",      "Start_ShowMyPics",     "Start_ShowNetConn"};
  std::vector<SeedValue> values;
  for (std::size_t i = 0; i < modes.size(); ++i) values.push_back(Dw(kHKCU, kAdvanced, names[i], modes[i]));
  return values;
}

std::vector<StoredState> BuildStates() {
  std::vector<StoredState> s;
  // Documents and Folders
  s.push_back({179, "both scopes", {Dw(kHKCU, kPolicies, "MaxRecentDocs", 20), Dw(kHKLM, kPolicies, "MaxRecentDocs", 15)}});
  s.push_back({179, "user only", {Dw(kHKCU, kPolicies, "MaxRecentDocs", 0xFFFFFFFF), KeyOnly(kHKLM, kPolicies)}});
  Pair(s, 180, kPolicies, "ClearRecentDocsOnExit", 1, 0);
  Pair(s, 181, kPolicies, "NoStartMenuSubFolders", 1, 0);
  Pair(s, 182, kAdvanced, "Start_ShowControlPanel", 2, 0);
  Pair(s, 183, kAdvanced, "Start_ShowMyDocs", 2, 0);
  Pair(s, 184, kAdvanced, "Start_ShowMyPics", 2, 0);
  Pair(s, 185, kAdvanced, "Start_ShowNetConn", 2, 0);
  Pair(s, 186, kAdvanced, "Start_ShowPrinters", 2, 0);
  // Taskbar
  OnOff(s, 188, kHKCU, kExplorer, "EnableAutoTray", 1, 0);
  s.push_back({189, "both scopes", {Dw(kHKCU, kAdvanced, "TaskbarGroupSize", 3), Dw(kHKLM, kAdvanced, "TaskbarGroupSize", 5)}});
  s.push_back({189, "machine only", {KeyOnly(kHKCU, kAdvanced), Dw(kHKLM, kAdvanced, "TaskbarGroupSize", 2)}});
  OnOff(s, 191, kHKCU, kAdvanced, "EnableBalloonTips", 0, 1);
  Pair(s, 192, kPolicies, "NoTrayContextMenu", 1, 0);
  Pair(s, 193, kAdvanced, "TaskbarGlomming", 1, 0);
  OnOff(s, 194, kHKCU, kAdvanced, "TaskbarSizeMove", 0, 1);
  s.push_back({194, "unlocked on Me", {Dw(kHKCU, kAdvanced, "TaskbarSizeMove", 1)}, win::kMe});
  s.push_back({195, "hidden", {Raw(kHKCU, kPolicies, "NoStartBanner", {1, 0, 0, 0})}});
  s.push_back({195, "shown", {KeyOnly(kHKCU, kPolicies)}});
  // Start Menu
  s.push_back({196, "history", {Sz(kHKCU, kRunMru, "a", "notepad\\1"), Sz(kHKCU, kRunMru, "MRUList", "a")}});
  s.push_back({196, "cleared", {KeyOnly(kHKCU, kExplorer)}});
  s.push_back({197, "scrolling",
               Join({Scrolling(kHKCU, kAdvanced, "Yes", 1), Scrolling(kHKU, kDefaultAdvanced, "No", 0),
                     Scrolling(kHKU, kUserAdvanced, "Yes", 1)})});
  s.push_back({197, "not scrolling",
               Join({Scrolling(kHKCU, kAdvanced, "No", 0), Scrolling(kHKU, kUserAdvanced, "No", 0),
                     {KeyOnly(kHKU, kProfileWithoutExplorer)}})});
  s.push_back({197, "on 98", Join({Scrolling(kHKCU, kAdvanced, "Yes", 0), Scrolling(kHKU, kUserAdvanced, "Yes", 0)}),
               win::k98});
  OnOff(s, 198, kHKCU, kAdvanced, "Start_NotifyNewApps", 1, 0);
  Pair(s, 199, kPolicies, "NoStartMenuMorePrograms", 1, 0);
  Pair(s, 200, kPolicies, "NoStartMenuMFUprogramsList", 1, 0);
  Pair(s, 201, kNonEnum, kMyComputer, 1, 0);
  Pair(s, 202, kPolicies, "NoStartMenuPinnedList", 1, 0);
  Pair(s, 203, kPolicies, "NoSMConfigurePrograms", 1, 0);
  Pair(s, 204, kPolicies, "NoDisconnect", 1, 0);
  Pair(s, 205, kPolicies, "NoStartMenuEjectPC", 1, 0);
  Pair(s, 206, kPolicies, "NoUserNameInStartMenu", 1, 0);
  Pair(s, 207, kAdvanced, "StartMenuFavorites", 1, 0);
  s.push_back({208, "programs",
               {KeyOnly(kHKCR, "Applications\\notepad.exe\\shell\\open"), Sz(kHKCR, "Applications\\WINWORD.EXE", "NoStartPage", ""),
                KeyOnly(kHKCR, "Applications\\Setup.Exe"), KeyOnly(kHKCR, "Applications\\viewer.dll")}});
  s.push_back({208, "none registered", {KeyOnly(kHKCR, "Applications")}});
  s.push_back({209, "custom orders", {KeyOnly(kHKCU, kFavoritesOrder), KeyOnly(kHKCU, kStartMenuOrder)}});
  s.push_back({209, "sorted", {KeyOnly(kHKCU, kMenuOrder)}});
  s.push_back({210, "modes", FolderModes({2, 1, 0, 2, 1, 0})});
  s.push_back({210, "unknown mode", FolderModes({5, 0, 0, 1, 1, 2})});
  return s;
}

}  // namespace

const std::vector<StoredState>& StartMenuStates() {
  static const std::vector<StoredState> states = BuildStates();
  return states;
}

std::vector<Rewrite> StartMenuRewrites() {
  std::vector<Rewrite> rewrites;
  const char* cascading[] = {"Start_ShowControlPanel", "Start_ShowMyDocs", "Start_ShowMyPics", "Start_ShowNetConn",
                             "Start_ShowPrinters"};
  for (int id = 182; id <= 186; ++id)
    rewrites.push_back({{id, "open when clicked", {Dw(kHKCU, kAdvanced, cascading[id - 182], 1), KeyOnly(kHKLM, kAdvanced)}},
                        "a folder opened when clicked (1) is neither expanded nor hidden: it loads cleared, which hides it"});
  rewrites.push_back({{195, "number", {Dw(kHKCU, kPolicies, "NoStartBanner", 1)}},
                      "any value whose first four bytes are 01 00 00 00 loads checked, and checked writes REG_BINARY"});
  rewrites.push_back({{197, "profiles differ",
                       Join({Scrolling(kHKCU, kAdvanced, "Yes", 1), Scrolling(kHKU, kUserAdvanced, "No", 0)})},
                      "every profile is written with what Current User shows"});
  rewrites.push_back({{197, "upper case", Join({Scrolling(kHKCU, kAdvanced, "YES", 1), Scrolling(kHKU, kUserAdvanced, "YES", 1)})},
                      "\"Yes\" in any letter case loads checked, and checked writes \"Yes\""});
  rewrites.push_back({{198, "absent", {KeyOnly(kHKCU, kAdvanced)}}, "an absent value loads checked, and checked writes 1"});
  rewrites.push_back({{208, "reason given", {Sz(kHKCR, "Applications\\WINWORD.EXE", "NoStartPage", "1")}},
                      "any \"NoStartPage\" loads unchecked, and unchecked writes the empty text"});
  rewrites.push_back({{210, "not set", {KeyOnly(kHKCU, kAdvanced)}},
                      "an absent mode shows \"Open when clicked\", and the choice shown is written"});
  return rewrites;
}

}  // namespace corvandel

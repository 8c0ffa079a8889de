#include "tweaks/start_menu/start_menu.h"

#include <string>

#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"
#include "tweaks/start_menu/start_menu_tweaks.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr const char* kMenuOrder = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";
// The taskbar group size is kept under the upper-case spelling of the same key.

constexpr const char* kSubfoldersNote =
    "Note:\n- Restart Windows for the change to take effect.\r\n- Custom Subfolders are the folders that you have "
    "draged into the start menu. In the Classic Mode of the Start Menu, your Custom subfolders will appear in the most "
    "upper section of the Start Menu, while in the Ordinary Mode, they will appear in the most upper section of the "
    "Programs List.";
constexpr const char* kHighlightNote =
    "Note:\n\tyou may need to restart or log out of Windows for the change to take effect.\nThis only effects the "
    "Enhanced Windows XP Start Menu, it will not effect the \"Classic\" version.";
constexpr const char* kSortNote = "Note:\n\tChanges will take effect after you restart Windows and Internet Explorer.";

// Gates: 2000/Me/XP, XP, XP/Me. A refusal only alerts.

// A Show Cascading box: checked expands the item into a menu (2), cleared
// hides it (0).
constexpr CheckData kCascading = Writes(Dword(2), Dword(0));
constexpr CheckData kBanner = Writes(Binary32(1), Deleted());

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box over Current User, or a Current User / All Users pair (root kPair).
constexpr CheckRow kCheckBoxes[] = {
  //id  root   key                                    value                                     writes      checked      gate       history  note             caption(s)
  // Documents and Folders
  {180, kPair, Opened(kExplorerPolicies),             "ClearRecentDocsOnExit",                  kDirect,    kOn,         kNoGate,   kAtGate, NOTE_LOGOUT,     "Clear Recent Documents on Exit (Current User).",                         "Clear Recent Documents on Exit (All Users)."},
  {181, kPair, CreatedForAllUsers(kExplorerPolicies), "NoStartMenuSubFolders",                  kDirect,    kOn,         kNoGate,   kAtGate, kSubfoldersNote, "Do not display Start Menu Subfolders (Current User).",                   "Do not display Start Menu Subfolders (All Users)."},
  {182, kPair, Opened(kAdvanced),                     "Start_ShowControlPanel",                 kCascading, kOn,         kMe2011,   kAtGate, NOTE_LOGOUT,     "Show Control Panel as a cascading menu (Current User).",                 "Show Control Panel as a cascading menu (All Users)."},
  {183, kPair, Opened(kAdvanced),                     "Start_ShowMyDocs",                       kCascading, kOn,         kMe2011,   kAtGate, NOTE_LOGOUT,     "Show My Documents as a cascading menu (Current User).",                  "Show My Documents as a cascading menu (All Users)."},
  {184, kPair, Opened(kAdvanced),                     "Start_ShowMyPics",                       kCascading, kOn,         kMe2011,   kAtGate, NOTE_LOGOUT,     "Show My Pictures as a cascading menu (Current User).",                   "Show My Pictures as a cascading menu (All Users)."},
  {185, kPair, Opened(kAdvanced),                     "Start_ShowNetConn",                      kCascading, kOn,         kMe2011,   kAtGate, NOTE_LOGOUT,     "Show Network Connections as a cascading menu (Current User).",           "Show Network Connections as a cascading menu (All Users)."},
  {186, kPair, Opened(kAdvanced),                     "Start_ShowPrinters",                     kCascading, kOn,         kMe2011,   kAtGate, NOTE_LOGOUT,     "Show Printers as a cascading menu (Current User).",                      "Show Printers as a cascading menu (All Users)."},
  // Taskbar
  {188, kHKCU, Opened(kExplorer),                     "EnableAutoTray",                         kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Hide inactive icons in the notification area.",                          nullptr},
  {191, kHKCU, Opened(kAdvanced),                     "EnableBalloonTips",                      kInverted,  kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Disable Balloon Tips .",                                                 nullptr},
  {192, kPair, Opened(kExplorerPolicies),             "NoTrayContextMenu",                      kDirect,    kOn,         kNoGate,   kAtGate, NOTE_LOGOUT,     "Disable Taskbar Context Menus (Current User).",                          "Disable Taskbar Context Menus (All Users)."},
  {193, kPair, Opened(kAdvanced),                     "TaskbarGlomming",                        kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Group similar taskbar buttons (Current User).",                          "Group similar taskbar buttons (All Users)."},
  {194, kHKCU, Opened(kAdvanced),                     "TaskbarSizeMove",                        kInverted,  kOn,         kXpMe2021, kAtGate, NOTE_LOGOUT,     "Lock the size and position of the taskbar.",                             nullptr},
  {195, kHKCU, Opened(kExplorerPolicies),             "NoStartBanner",                          kBanner,    kOn,         kNoGate,   kAtGate, NOTE_LOGOUT,     "Hide the arrow and\"Click here to start\"caption.",                      nullptr},
  // Start Menu
  {198, kHKCU, Created(kAdvanced),                    "Start_NotifyNewApps",                    kDirect,    kOnOrAbsent, kXp2004,   kAtGate, kHighlightNote,  "Enable Highlight New Programs on Start Menu .",                          nullptr},
  {199, kPair, Opened(kExplorerPolicies),             "NoStartMenuMorePrograms",                kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove the All Programs button from the Start Menu (Current User).",     "Remove the All Programs button from the Start Menu (All Users)."},
  {200, kPair, Opened(kExplorerPolicies),             "NoStartMenuMFUprogramsList",             kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove the Frequent Programs List from the Start Menu (Current User).",  "Remove the Frequent Programs List from the Start Menu (All Users)."},
  {201, kPair, Created(kNonEnum),                     "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", kDirect,    kOn,         kMe2011,   kAtGate, NOTE_LOGOUT,     "Remove My Computer from the Desktop and Start Menu (Current User).",     "Remove My Computer from the Desktop and Start Menu (All Users)."},
  {202, kPair, Opened(kExplorerPolicies),             "NoStartMenuPinnedList",                  kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove the Pinned Programs List from the Start Menu (Current User).",    "Remove the Pinned Programs List from the Start Menu (All Users)."},
  {203, kPair, Opened(kExplorerPolicies),             "NoSMConfigurePrograms",                  kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove Set Program Access and Defaults from Start Menu (Current User).", "Remove Set Program Access and Defaults from Start Menu (All Users)."},
  {204, kPair, Opened(kExplorerPolicies),             "NoDisconnect",                           kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove the Disconnect Menu Item (Current User).",                        "Remove the Disconnect Menu Item (All Users)."},
  {205, kPair, Opened(kExplorerPolicies),             "NoStartMenuEjectPC",                     kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove Undock Computer from Start Menu (Current User).",                 "Remove Undock Computer from Start Menu (All Users)."},
  {206, kPair, Opened(kExplorerPolicies),             "NoUserNameInStartMenu",                  kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Remove the User Name from the Start Menu (Current User).",               "Remove the User Name from the Start Menu (All Users)."},
  {207, kPair, Opened(kAdvanced),                     "StartMenuFavorites",                     kDirect,    kOn,         kXp2004,   kAtGate, NOTE_LOGOUT,     "Show Favorites on the Start Menu (Current User).",                       "Show Favorites on the Start Menu (All Users)."},
};

// Edit pairs: 1015 for Current User, 1017 for All Users; each shows its
// stored number and an emptied edit removes that scope's value.
constexpr EditRow kEdits[] = {
  //id  root   key                        value               type         shown up to written after empty edit        gate     history  browse     note         labels
  {179, kPair, Opened(kExplorerPolicies),  "MaxRecentDocs",    reg::kDword, "",         "",           kDeleteWhenEmpty, kMe2011, kAtGate, kNoBrowse, NOTE_LOGOUT, "Number of recent Documents displayed (default=15)(Current User):",  "Number of recent Documents displayed (default=15)(All Users):"},
  {189, kPair, Opened(kAdvancedUpperCase), "TaskbarGroupSize", reg::kDword, "",         "",           kDeleteWhenEmpty, kXp2004, kAtGate, kNoBrowse, NOTE_LOGOUT, "Number of buttons before similar ones are grouped (Current User):", "Number of buttons before similar ones are grouped (All Users):"},
};

// Subkeys whose presence is a stored custom state: a checked box removes it.
constexpr SubkeyBox kRunHistory[] = {
  {1013, "RunMRU", SubkeyRemoval::kKey, "Clear Cached Run Commands."},
};
constexpr SubkeyBox kMenuOrders[] = {
  {1018, "Favorites",  SubkeyRemoval::kTree, "Sort Favorites in Alphabetical Order ."},
  {1013, "Start Menu", SubkeyRemoval::kTree, "Sort Start Menu in Alphabetical Order ."},
};

constexpr SubkeyBoxesRow kSubkeyBoxes[] = {
  //id  root   parent      gate     history  note         boxes
  {196, kHKCU, kExplorer,  kNoGate, kAtGate, NOTE_LOGOUT, kRunHistory},
  {209, kHKCU, kMenuOrder, kNoGate, kAtGate, kSortNote,   kMenuOrders},
};

// How a folder shows on the Windows XP Start menu. Item 1 is the choice the
// combos start with; a stored number outside the items leaves no selection,
// and no selection keeps the stored value.
constexpr ComboItem kFolderModes[] = {
  {"Hidden", Dword(0)}, {"Open when clicked", Dword(1)}, {"Expand contents", Dword(2)},
};
constexpr ComboLoad kFolderModeLoad{1, 1, kNoItem};

constexpr Field kFolderFields[] = {
  ComboField(1014, "Control Panel Mode:",  1021, "Start_ShowControlPanel", kFolderModes, kFolderModeLoad, Nothing()),
  ComboField(1019, "My Computer Mode:",    1022, "Start_ShowMyComputer",   kFolderModes, kFolderModeLoad, Nothing()),
  ComboField(1020, "My Documents Mode:",   1029, "Start_ShowMyDocs",       kFolderModes, kFolderModeLoad, Nothing()),
  ComboField(1039, "My Music Mode:",       1030, "Start_ShowMyMusic",      kFolderModes, kFolderModeLoad, Nothing()),
  ComboField(1041, "My Pictures Mode",     1031, "Start_ShowMyPics",       kFolderModes, kFolderModeLoad, Nothing()),
  ComboField(1046, "Net Connection Mode",  1043, "Start_ShowNetConn",      kFolderModes, kFolderModeLoad, Nothing()),
};

constexpr FieldsRow kFields[] = {
  //id  page               root   key                        gate     history  note     fields
  {210, page::kMultiCombo, kHKCU, Opened(kAdvanced),         kXp2004, kAtGate, nullptr, kFolderFields},
};

// The frequently used programs are those registered by their file name: the
// extension in lower or upper case (the searches are case-sensitive).
bool IsProgramName(const RegistryKey&, const std::string& name) {
  return name.find(".exe") != std::string::npos || name.find(".EXE") != std::string::npos;
}

constexpr ApplicationListRow kApplicationLists[] = {
  //id  flag           offers         gate
  {208, "NoStartPage", IsProgramName, kXp2004},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 1> kOwnRoutines = {{
  {197, LoadStartMenuScrolling,   ApplyStartMenuScrolling},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kEdits>(), RoutinesOf<kSubkeyBoxes>(),
                                        RoutinesOf<kFields>(), RoutinesOf<kApplicationLists>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> StartMenuRoutines() { return kRoutines; }

}  // namespace corvandel

#include "tweaks/explorer/explorer.h"

#include <string>

#include "services/registry_key.h"
#include "tweaks/explorer/explorer_tweaks.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kContentIndex = "SYSTEM\\CurrentControlSet\\Control\\ContentIndex";
constexpr const char* kAutoComplete = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr const char* kSendTo = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To";
constexpr const char* kOpenAs = "Unknown\\shell\\openas\\command";

// Notes that end in a blank.
constexpr const char* kRestartNote = "Note:\n\tRestart Windows for the change to take effect. ";
constexpr const char* kLogoutNote =
    "Note:\n\tYou may need to restart or log out of Windows for the change to take effect. ";

constexpr CheckData kSendToHandler = Writes(TextAnyCase("{7BA4C740-9E81-11CF-99D3-00AA004AE837}"), Text(""));
// The "%1 %2" form hides the box in the open-with choice.
constexpr CheckData kOpenAsCommand = Writes(Text("rundll32.exe shell32.dll,OpenAs_RunDLL %1"),
                                            Text("rundll32.exe shell32.dll,OpenAs_RunDLL %1 %2"));

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box, or a Current User / All Users pair (root kPair).
constexpr CheckRow kCheckBoxes[] = {
  //id  root   key                                         value(s)                            writes                   checked    gate           history  note               caption(s)
  // Search
  { 99, kPair, Opened(kExplorerPolicies),                  "NoShellSearchButton",              kDirect,                 kOn,       k2k2003,       kAtGate, NOTE_LOGOUT_CAP,   "Hide the Search Button (Current User).",                             "Hide the Search Button (All Users)."},
  {100, kHKLM, Opened(kContentIndex),                      "FilterFilesWithUnknownExtensions", kDirect,                 kAsStored, kXp2004,       kAtGate, NOTE_LOGOUT_NODOT, "Search for All File Types .",                                        nullptr},
  {101, kHKCU, OpenedThenCreated("Software\\Policies\\Microsoft\\Windows", "Directory UI"),
                                                           "EnableFilter",                     kDirect,                 kAsStored, k2k2003,       kAtGate, NOTE_LOGOUT_NODOT, "Enable Filter in Active Directory Search Results .",                 nullptr},
  // Single tweaks
  {105, kHKCU, Opened(kAdvanced),                          "FriendlyTree",                     kDirect,                 kOn,       kNoGate,       kAtGate, nullptr,           "Expand the folder tree to the folder opened",                        nullptr},
  {109, kHKCU, Opened(kAdvanced),                          "DisableThumbnailCache",            kDirect,                 kOn,       kXp2004Revert, kAtGate, nullptr,           "Do not keep thumbnails in a cache file (Thumbs.db)",                 nullptr},
  {110, kHKCU, Opened(kAdvanced),                          "SeparateProcess",                  kDirect,                 kOn,       kNoGate,       kAtGate, NOTE_LOGOUT_CAP,   "Launch folder windows in a separate process",                        nullptr},
  {111, kPair, Opened(kExplorerPolicies),                  "NoSharedDocuments",                kDirect,                 kAsStored, kXp2004,       kAtGate, NOTE_RESTART,      "Remove Shared Documents from My Computer(Current User) .",           "Remove Shared Documents from My Computer(All Users) ."},
  {113, kHKCR, Created(kSendTo),                           "",                                 kSendToHandler,          kOn,       kNoGate,       kAtGate, nullptr,           "Show 'Send To' on the context menu of files and folders",            nullptr},
  {114, kHKCU, Opened(kAdvanced),                          "ShowAttribCol",                    kDirect,                 kAsStored, k98Only2022,   kAtGate, kRestartNote,      "Show Attributes Column in Explorer .",                               nullptr},
  {115, kHKLM, Opened(kAdvanced),                          "EncryptionContextMenu",            kDirect,                 kAsStored, k2k2003Revert, kAtGate, kLogoutNote,       "Show Encryption Commands on the Shortcut Menu .",                    nullptr},
  {116, kHKCU, Opened(kAdvanced),                          "Hidden",                           Writes(Dword(1), Dword(2)), kOn,    kNoGate,       kAtGate, kLogoutNote,       "Show Hidden Folders and Files.",                                     nullptr},
  {117, kHKCU, Opened(kAdvanced),                          "ShowSuperHidden",                  kDirect,                 kOn,       kNoGate,       kAtGate, nullptr,           "Show hidden operating system files",                                 nullptr},
  {118, kHKCR, Created(kOpenAs),                           "",                                 kOpenAsCommand,          kUnlessOff, kNoGate,      kAtGate, nullptr,           "Show the 'Always use the selected program' box when opening a file", nullptr},
};

constexpr CheckItem kSearchOptions[] = {
  {1013, "CaseSensitive",     kDirect, "Match the letter case of names and text"},
  {1018, "IncludeSubFolders", kDirect, "Search subfolders"},
  {1028, "SearchHidden",      kDirect, "Search hidden files and folders"},
  {1032, "SearchSlowFiles",   kDirect, "Search slow files (tape backups)"},
  {1033, "SearchSystemDirs",  kDirect, "Search system folders"},
};

// Several boxes, each over its own value.
constexpr CheckListRow kCheckLists[] = {
  //id root   key                checked gate     history  note     boxes
  {97, kHKCU, Opened(kExplorer), kOn,    kXp2004, kAtGate, nullptr, kSearchOptions},
};

// "Use Search Asst": only "no" as written turns the assistant off.
constexpr ComboItem kSearchAssistant[] = {{"Yes", Text("yes")}, {"No", Text("no")}};
// "Append Completion": "Yes" in any case turns it on; Windows takes any
// other text, or none, as "No".
constexpr ComboItem kAppendCompletion[] = {{"Yes", TextAnyCase("Yes")}, {"No", TextAnyCase("No")}};
// "PersistBrowsers": the item index is the stored number.
constexpr ComboItem kRestoreFolders[] = {{"Do Not Restore", Dword(0)}, {"Restore", Dword(1)}};

// Combo boxes: label 1014 and combo 1021.
constexpr ComboRow kCombos[] = {
  //id  root   key                                        value                items               load                   no selection gate     history  note               label
  {102, kHKCU, OpenedThenCreated(kExplorer, "CabinetState"), "Use Search Asst",   kSearchAssistant,   {0, 0, 0},             Text("no"),  kXp2004, kAtGate, NOTE_LOGOUT_NODOT, "Use Search Assistant:",              nullptr},
  {108, kHKCU, Created(kAutoComplete),                     "Append Completion", kAppendCompletion,  {1, 1, 1},             Text("No"),  kNoGate, kAtGate, nullptr,           "Complete typed names inline:",       nullptr},
  // A stored number that no item stands for shows no item, and no item writes nothing.
  {112, kHKCU, Opened(kAdvanced),                          "PersistBrowsers",   kRestoreFolders,    {0, 0, kNoItem},       Nothing(),   kXp2004, kAtGate, NOTE_LOGOUT_CAP,   "Folder windows open at logon:",      nullptr},
};

// Edits: 1015 with label 1014.
constexpr EditRow kEdits[] = {
  //id root   key                                                         value         type         shown up to written after empty edit       gate     history  browse     note     label
  {98, kHKCU, OpenedThenCreated("Software\\Policies\\Microsoft", "Windows\\Directory UI"),
                                                                          "QueryLimit", reg::kDword, "",         "",           kWriteWhenEmpty, k2k2003, kAtGate, kNoBrowse, nullptr, "The Number of Active Directory Search Results(0=unlimited):"},
};

// The program folders: an empty edit leaves its value as it is.
constexpr Field kProgramFolders[] = {
  EditField(1014, "Program Files folder:", 1015, "ProgramFilesDir", reg::kSz, kSkipWhenEmpty, 1023),
  EditField(1019, "Common Files folder:",  1017, "CommonFilesDir",  reg::kSz, kSkipWhenEmpty, 1026),
};

// Several label/edit rows of one page over one key.
constexpr FieldsRow kFields[] = {
  //id  page              root   key                      gate     history  note             fields           browse
  {107, page::kEditCheck, kHKLM, Opened(kCurrentVersion), kNoGate, kAtGate, NOTE_LOGOUT_CAP, kProgramFolders, Browse::kFolder},
};

// The open-with choice offers the registered applications that have a
// "shell" key.
bool HasShell(const RegistryKey& applications, const std::string& name) {
  return applications.OpenSubKey(name + "\\shell").IsOpen();
}

constexpr ApplicationListRow kApplicationLists[] = {
  //id  flag          offers    gate
  {119, "NoOpenWith", HasShell, kNoGate},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 2> kOwnRoutines = {{
  {103, LoadCopyMoveToFolder, ApplyCopyMoveToFolder},
  {104, LoadExploreFromHere,  ApplyExploreFromHere},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCheckLists>(), RoutinesOf<kCombos>(),
                                        RoutinesOf<kEdits>(), RoutinesOf<kFields>(), RoutinesOf<kApplicationLists>(),
                                        kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> ExplorerRoutines() { return kRoutines; }

}  // namespace corvandel

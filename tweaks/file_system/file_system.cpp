#include "tweaks/file_system/file_system.h"

#include <array>
#include <string_view>

#include "tweaks/file_system/file_system_tweaks.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kFileSystem = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
constexpr const char* kBootOptimize = "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction";
constexpr const char* kBitBucket = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";
constexpr const char* kEfs = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\EFS";

// Boot optimisation is on for "Y", off for "N", in either case.
constexpr CheckData kYesNoLetter = Writes(TextAnyCase("Y"), TextAnyCase("N"));

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box, or a Current User / All Users pair (root kPair).
constexpr CheckRow kCheckBoxes[] = {
  //id  root   key                           value(s)                                 writes                            checked    gate         history  note               caption(s)
  // Files and Shortcuts
  {126, kHKCU, Opened(kExplorerPolicies),    "NoResolveSearch",                       kDirect,                          kAsStored, kNt2002,     kAtGate, NOTE_LOGOUT_NODOT, "Disable Search for Broken Shortcuts .",                                     nullptr},
  {128, kPair, Opened(kExplorerPolicies),    "LinkResolveIgnoreLinkInfo",             kInverted,                        kOn,       kNoGate,     kAtGate, NOTE_LOGOUT_NODOT, "Disable Automatic Network Shortcut Resolution (Current User) .",            "Disable Automatic Network Shortcut Resolution (All Users) ."},
  {129, kHKCU, Opened(kExplorerPolicies),    "NoResolveTrack",                        kDirect,                          kOn,       k2k2003,     kAtGate, NOTE_LOGOUT_CAP,   "Do not track the targets of broken shortcuts",                              nullptr},
  {130, kHKLM, Opened(kFileSystem),          "NtfsAllowExtendedCharacterIn8dot3Name", kDirect,                          kAsStored, kNt2002,     kAtGate, NOTE_LOGOUT_NODOT, "Enable Extended Characters in Short Filenames .",                           nullptr},
  {131, kHKLM, Opened(kFileSystem),          "Win95TruncatedExtensions",              kInverted,                        kOn,       kNt2002,     kAtGate, NOTE_RESTART,      "Match file extensions in full, not by their first three letters",           nullptr},
  // Checking removes the prefix: the captions name the prefix the box is about.
  {133, kPair, Opened(kExplorer),            "link",                                  Writes(Binary32(0), Deleted()),   kOn,       kNoGate,     kAtGate, NOTE_LOGOUT_NODOT, "Prefix 'Shortcut to...'to Shortcuts (Current User) .",                     "Prefix 'Shortcut to...'to Shortcuts (All Users) ."},
  {134, kHKLM, Opened(kFileSystem),          "NtfsDisable8dot3NameCreation",          kDirect,                          kAsStored, kNt2002,     kAtGate, NOTE_RESTART,      "Disable Compatible 8.3 File Names.",                                        nullptr},
  {136, kHKCU, Opened(kExplorer),            "NoFileFolderConnection",                kDirect,                          kOn,       kMe2011,     kAtGate, nullptr,           "Disconnect web pages from their folders when moving or copying them",      nullptr},
  // Maintenance
  {138, kHKLM, Opened(kBootOptimize),        "Enable",                                kYesNoLetter,                     kOn,       kXp2004,     kAtGate, NOTE_RESTART,      "Optimize the layout of the boot files on the disk",                         nullptr},
  {140, kPair, Opened(kExplorerPolicies),    "NoLowDiskSpaceChecks",                  kDirect,                          kAsStored, kXp2004,     kAtGate, NOTE_LOGOUT_CAP,   "Disable Low Disk Space Notification (Current User).",                       "Disable Low Disk Space Notification (All Users)."},
  // Single tweaks
  {142, kHKLM, Opened(kCdrom),                        "AutoRun",                               kDirect,                          kAsStored, kNoGate,     kAtGate, NOTE_LOGOUT_CAP,   "Automatically Start CD-R and DVD-R Disks .",                                nullptr},
  {143, kHKCU, Opened(kExplorerPolicies),             "ForceCopyAclwithFile",                  kDirect,                          kAsStored, kNt2002,     kAtGate, NOTE_LOGOUT_CAP,   "Force Windows to preserve the current permissions instead.",                nullptr},
  {146, kPair, CreatedForAllUsers(kExplorerPolicies), "NoCDBurning",                           kDirect,                          kOn,       kXp2004,     kAtGate, NOTE_LOGOUT_CAP,   "Disable CD Burning (Current User).",                                        "Disable CD Burning (All Users)."},
  {147, kHKLM, Opened(kFileSystem),                   "NtfsDisableLastAccessUpdate",           kDirect,                          kAsStored, kNt2002,     kAtGate, NOTE_LOGOUT_CAP,   "Disable the NTFS Last Access Time Stamp.",                                  nullptr},
  {148, kHKLM, Opened(kBitBucket),                    "NukeOnDelete",                          kDirect,                          kOn,       kNt2002,     kAtGate, nullptr,           "Delete files at once instead of moving them to the Recycle Bin",            nullptr},
  {151, kHKLM, Opened(kEfs),                          "EfsConfiguration",                      kDirect,                          kAsStored, k2k2003,     kAtGate, NOTE_LOGOUT_CAP,   "Disable The Encrypting File System .",                                      nullptr},
  {154, kHKCU, Opened(kAdvanced),                     "DontPrettyPath",                        kDirect,                          kAsStored, kNoNt4_2017, kAtGate, NOTE_LOGOUT_CAP,   "Show File and Folder Names Using the Correct Case .",                       nullptr},
};

constexpr ComboItem kCacheFor[] = {{"Desktop Computers", Dword(0)}, {"Network Servers", Dword(1)}};
constexpr ComboItem kFileNameModes[] = {{"Long File Names", Dword(0)}, {"8.3 File Names", Dword(1)}};
constexpr ComboItem kMftZones[] = {
  {"Small Zone Reservation (Default)", Dword(1)}, {"Medium Zone Reservation", Dword(2)},
  {"Large Zone Reservation", Dword(3)},           {"Maximum Zone Reservation", Dword(4)},
};

// clang-format on

// "0 seconds" to "60 seconds": the item index is the stored number.
constexpr std::size_t kTimeOuts = 61;
constexpr auto kTimeOutTexts = [] {
  std::array<std::array<char, 12>, kTimeOuts> texts{};
  for (std::size_t seconds = 0; seconds < kTimeOuts; ++seconds) {
    std::size_t at = 0;
    if (seconds >= 10) texts[seconds][at++] = static_cast<char>('0' + seconds / 10);
    texts[seconds][at++] = static_cast<char>('0' + seconds % 10);
    for (const char c : std::string_view(" seconds")) texts[seconds][at++] = c;
  }
  return texts;
}();
constexpr auto kTimeOutItems = [] {
  std::array<ComboItem, kTimeOuts> items{};
  for (std::size_t seconds = 0; seconds < kTimeOuts; ++seconds)
    items[seconds] = {kTimeOutTexts[seconds].data(), Dword(static_cast<std::uint32_t>(seconds))};
  return items;
}();

// clang-format off

// Combo boxes: label 1014 and combo 1021. Where the item index is the stored
// number, a number no item stands for shows no item, and no item writes
// nothing; the master file table's zone keeps 0 for no item.
constexpr ComboRow kCombos[] = {
  //id  root   key                        value                     items           load             no selection gate     history  note          label
  {124, kHKLM, Opened(kMemoryManagement), "LargeSystemCache",       kCacheFor,      {0, 0, kNoItem}, Nothing(),   kNt2002, kAtGate, nullptr,      "Optimize System Cache for:",               nullptr},
  {127, kHKLM, Opened(kFileSystem),       "Win31FileSystem",        kFileNameModes, {0, 0, kNoItem}, Nothing(),   kNoGate, kAtGate, nullptr,      "File Name Mode:",                          nullptr},
  {139, kHKLM, Opened(kFileSystem),       "NtfsMftZoneReservation", kMftZones,      {0, 0, kNoItem}, Dword(0),    kNt2002, kAtGate, NOTE_RESTART, "NTFS Reserves Space for its Master File:", nullptr},
  {141, kHKLM, Opened(kSessionManager),   "AutoChkTimeOut",         kTimeOutItems,  {0, 0, kNoItem}, Nothing(),   kNt2002, kAtGate, NOTE_RESTART, "Wait before checking disks at start-up:",  nullptr},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 1> kOwnRoutines = {{
  {152, LoadAutoRunDrives, ApplyAutoRunDrives},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCombos>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> FileSystemRoutines() { return kRoutines; }

}  // namespace corvandel

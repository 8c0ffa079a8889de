// The File System tweaks' own edge cases, driven through the navigator: the
// read-back rules of the boxes and combos, the shortcut prefix's binary
// value, CD burning's created key, and the auto-run drive list.
#include <gtest/gtest.h>

#include "tweak_harness.h"
#include "tweaks/file_system/drive_table.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

constexpr int kListPage = page::kList;

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kFileSystem = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
const std::string kSession = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const std::string kBoot = "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction";

// --- Check boxes ------------------------------------------------------------------

struct BoxCase {
  const char* name;
  int tweakId;
  std::vector<SeedValue> stored;
  int controlId;
  int loaded;
  int applied;  // the state applied
  RegKey root;
  std::string path;
  const char* value;
  std::optional<std::vector<std::uint8_t>> bytes;  // nothing: the value is removed
  std::uint32_t type = reg::kDword;
};

std::vector<std::uint8_t> Le(std::uint32_t n) {
  return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
          static_cast<std::uint8_t>(n >> 24)};
}

TEST(FileSystemChecks, StoredDataLoadsAsTheTweakReadsItAndEachStateWritesItsData) {
  const char* explorer = kExplorer.c_str();
  const char* policies = kPolicies.c_str();
  const char* fileSystem = kFileSystem.c_str();
  const BoxCase cases[] = {
      {"network resolution: stored 1 is off", 128, {Dw(kHKCU, policies, "LinkResolveIgnoreLinkInfo", 1)}, 1013, 0, 1,
       kHKCU, kPolicies, "LinkResolveIgnoreLinkInfo", Le(0)},
      {"network resolution: stored 0 is on", 128, {Dw(kHKLM, policies, "LinkResolveIgnoreLinkInfo", 0)}, 1018, 1, 0,
       kHKLM, kPolicies, "LinkResolveIgnoreLinkInfo", Le(1)},
      {"short extensions checked stores 0", 131, {Dw(kHKLM, fileSystem, "Win95TruncatedExtensions", 1)}, 1013, 0, 1,
       kHKLM, kFileSystem, "Win95TruncatedExtensions", Le(0)},
      {"prefix: zeros of any type are removed", 133, {Dw(kHKCU, explorer, "link", 0)}, 1013, 1, 1,
       kHKCU, kExplorer, "link", std::vector<std::uint8_t>{0, 0, 0, 0}, reg::kBinary},
      {"prefix: 1E 00 00 00 is kept", 133, {Raw(kHKCU, explorer, "link", {0x1E, 0, 0, 0})}, 1013, 0, 1,
       kHKCU, kExplorer, "link", std::vector<std::uint8_t>{0, 0, 0, 0}, reg::kBinary},
      {"prefix: unchecking deletes link", 133, {Raw(kHKLM, explorer, "link", {0, 0, 0, 0, 7})}, 1018, 1, 0,
       kHKLM, kExplorer, "link", std::nullopt},
      {"as-stored 2 checks", 143, {Dw(kHKCU, policies, "ForceCopyAclwithFile", 2)}, 1013, 1, 0,
       kHKCU, kPolicies, "ForceCopyAclwithFile", Le(0)},
      {"as-stored pair", 140, {Dw(kHKLM, policies, "NoLowDiskSpaceChecks", 3)}, 1018, 1, 1,
       kHKLM, kPolicies, "NoLowDiskSpaceChecks", Le(1)},
      {"boot optimisation y", 138, {Sz(kHKLM, kBoot.c_str(), "Enable", "y")}, 1013, 1, 0,
       kHKLM, kBoot, "Enable", std::vector<std::uint8_t>{'N'}, reg::kSz},
      {"boot optimisation other text", 138, {Sz(kHKLM, kBoot.c_str(), "Enable", "Yes")}, 1013, 0, 1,
       kHKLM, kBoot, "Enable", std::vector<std::uint8_t>{'Y'}, reg::kSz},
      {"web folders", 136, {Dw(kHKCU, explorer, "NoFileFolderConnection", 0)}, 1013, 0, 1,
       kHKCU, kExplorer, "NoFileFolderConnection", Le(1)},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put({KeyOnly(kHKCU, explorer), KeyOnly(kHKLM, explorer)});
    h.Put(c.stored);
    h.Select(c.tweakId);
    EXPECT_EQ(c.loaded, h.pages.GetCheck(kMultiCheck, c.controlId));
    h.pages.SetCheck(kMultiCheck, c.controlId, c.applied);
    h.Apply();
    EXPECT_EQ(c.bytes, h.Bytes(c.root, c.path, c.value));
    if (c.bytes) {
      EXPECT_EQ(c.type, h.Type(c.root, c.path, c.value));
    }
  }
}

TEST(FileSystemChecks, CdBurningCreatesOnlyTheAllUsersKey) {
  TweakHarness h;
  h.Select(146);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKLM, kPolicies, "NoCDBurning"));
  EXPECT_FALSE(h.HasKey(kHKCU, kPolicies));
  EXPECT_TRUE(h.Recorded(146));
  // With the Current User key present, each scope takes its own box.
  h.Put(KeyOnly(kHKCU, kPolicies.c_str()));
  h.Select(146);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1018));
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 0);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKCU, kPolicies, "NoCDBurning"));
  EXPECT_EQ(0u, h.Dword(kHKLM, kPolicies, "NoCDBurning"));
}

// --- Combo boxes ------------------------------------------------------------------

struct ComboCase {
  const char* name;
  int tweakId;
  std::string path;
  const char* value;
  std::optional<std::uint32_t> stored;  // nothing: absent
  int loaded;
  int chosen;
  std::optional<std::uint32_t> written;  // nothing: absent
};

TEST(FileSystemCombos, StoredNumbersLoadAndEachChoiceWritesItsNumber) {
  const std::string memory = kSession + "\\Memory Management";
  const ComboCase cases[] = {
      {"zone: 3 is large", 139, kFileSystem, "NtfsMftZoneReservation", 3u, 2, 0, 1u},
      {"zone: 0 shows none and none stores 0", 139, kFileSystem, "NtfsMftZoneReservation", 0u, -1, -1, 0u},
      {"zone: absent shows small", 139, kFileSystem, "NtfsMftZoneReservation", std::nullopt, 0, 3, 4u},
      {"time-out: 60 seconds", 141, kSession, "AutoChkTimeOut", 60u, 60, 5, 5u},
      {"time-out: beyond the list writes nothing", 141, kSession, "AutoChkTimeOut", 300u, -1, -1, 300u},
      {"cache: servers", 124, memory, "LargeSystemCache", 1u, 1, 0, 0u},
      {"cache: unlisted number writes nothing", 124, memory, "LargeSystemCache", 2u, -1, -1, 2u},
      {"cache: absent shows desktops", 124, memory, "LargeSystemCache", std::nullopt, 0, 1, 1u},
      {"file names: unlisted number writes nothing", 127, kFileSystem, "Win31FileSystem", 9u, -1, -1, 9u},
      {"file names: 8.3", 127, kFileSystem, "Win31FileSystem", 0u, 0, 1, 1u},
  };
  for (const ComboCase& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(KeyOnly(kHKLM, c.path.c_str()));
    if (c.stored) h.Put(Dw(kHKLM, c.path.c_str(), c.value, *c.stored));
    h.Select(c.tweakId);
    EXPECT_EQ(c.loaded, h.pages.ComboGetCurSel(kComboCheck, 1021));
    h.pages.ComboSetCurSel(kComboCheck, 1021, c.chosen);
    h.Apply();
    EXPECT_EQ(c.written, h.Dword(kHKLM, c.path, c.value));
  }
}

TEST(FileSystemCombos, TimeOutItemsCountTheSeconds) {
  TweakHarness h;
  h.Select(141);
  ASSERT_EQ(61, h.pages.ComboCount(kComboCheck, 1021));
  EXPECT_EQ("0 seconds", h.pages.ComboItemText(kComboCheck, 1021, 0));
  EXPECT_EQ("9 seconds", h.pages.ComboItemText(kComboCheck, 1021, 9));
  EXPECT_EQ("60 seconds", h.pages.ComboItemText(kComboCheck, 1021, 60));
}

// --- Drives that start automatically --------------------------------------------

std::vector<std::string> DriveRows(TweakHarness& h) {
  std::vector<std::string> rows;
  for (int row = 0; row < h.pages.ListItemCount(kListPage, 1009); ++row) {
    rows.push_back(h.pages.ListItemText(kListPage, 1009, row, 0));
    EXPECT_FALSE(h.pages.ListGetCheck(kListPage, 1009, row));
  }
  return rows;
}

struct DriveCase {
  const char* name;
  std::map<std::string, unsigned> drives;
  std::vector<std::string> rows;
  std::vector<int> checked;
  std::uint32_t stored;
};

TEST(FileSystemDrives, ListedDrivesAndTheMaskOfTheCheckedRows) {
  using namespace drive;
  const DriveCase cases[] = {
      {"floppy, disk, CD, USB stick", {{"A:\\", kRemovable}, {"C:\\", kFixed}, {"D:\\", kCdRom}, {"E:\\", kRemovable}},
       {"A:\\", "C:\\", "D:\\", "ALL"}, {0, 2}, 0x9},
      {"ALL wins", {{"A:\\", kRemovable}, {"C:\\", kFixed}, {"D:\\", kCdRom}}, {"A:\\", "C:\\", "D:\\", "ALL"}, {1, 3},
       0x3FFFFFF},
      {"B: never, A: once", {{"A:\\", kFixed}, {"B:\\", kFixed}, {"Z:\\", kRemote}}, {"A:\\", "Z:\\", "ALL"}, {0, 1},
       0x2000001},
      {"failed query", {}, {"A:\\", "ALL"}, {}, 0},
  };
  for (const DriveCase& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(Dw(kHKCU, kPolicies.c_str(), "NoDriveAutoRun", 0x95));
    h.platform.drives = c.drives;
    h.Select(152);
    EXPECT_EQ(c.rows, DriveRows(h));
    for (int row : c.checked) h.pages.ListSetCheck(kListPage, 1009, row, true);
    h.Apply();
    EXPECT_EQ(c.stored, h.Dword(kHKCU, kPolicies, "NoDriveAutoRun"));
    EXPECT_TRUE(h.Recorded(152));
  }
}

// The table is rebuilt at each load: drives gone since the last load are not
// offered, and "ALL" moves with the list's end.
TEST(FileSystemDrives, EachLoadRebuildsTheTable) {
  TweakHarness h;
  h.Put(KeyOnly(kHKCU, kPolicies.c_str()));
  h.platform.drives = {{"C:\\", drive::kFixed}, {"D:\\", drive::kCdRom}};
  h.Select(152);
  h.platform.drives = {{"C:\\", drive::kFixed}};
  h.Select(152);
  EXPECT_EQ((std::vector<std::string>{"A:\\", "C:\\", "ALL"}), DriveRows(h));
  h.pages.ListSetCheck(kListPage, 1009, 2, true);
  h.Apply();
  EXPECT_EQ(0x3FFFFFFu, h.Dword(kHKCU, kPolicies, "NoDriveAutoRun"));
  h.pages.ListSetCheck(kListPage, 1009, 2, false);
  h.pages.ListSetCheck(kListPage, 1009, 1, true);
  h.Apply();
  EXPECT_EQ(0x4u, h.Dword(kHKCU, kPolicies, "NoDriveAutoRun"));
}

TEST(FileSystemDrives, ATableNeverLoadedMapsNoRow) {
  const DriveTable table;
  EXPECT_EQ(0u, table.MaskOfRow(0));
  EXPECT_EQ(0u, table.MaskOfRow(-1));
}

}  // namespace
}  // namespace corvandel

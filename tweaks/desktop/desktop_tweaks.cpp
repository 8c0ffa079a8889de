#include "tweaks/desktop/desktop_tweaks.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pages/page_handlers.h"
#include "services/decimal.h"
#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

// --- Change Desktop Icon Visibility ------------------------------------------

namespace {

using namespace keys;

constexpr int kIconList = 1009;
constexpr const char* kNameSpace = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace";

struct DesktopIcon {
  const char* text;
  const char* subkey;  // below NameSpace: the icon shows while it exists
};

constexpr DesktopIcon kDesktopIcons[] = {
    {"Administrative Tools", "{D20EA4E1-3957-11d2-A40B-0C5020524153}"},
    {"Fonts", "{D20EA4E1-3957-11d2-A40B-0C5020524152}"},
    {"History", "{FF393560-C2A7-11CF-BFF4-444553540000}"},
    {"Inbox", "{00020D75-0000-0000-C000-000000000046}"},
    {"Microsoft Network", "{00028B00-0000-0000-C000-000000000046}"},
    {"Network Connections", "{7007ACC7-3202-11D1-AAD2-00805FC1270E}"},
    {"Printers and Faxes", "{2227A280-3AEA-1069-A2DE-08002B30309D}"},
    {"Programs Folder", "{7be9d83c-a729-4d97-b5a7-1b7313c39e0a}"},
    {"Recycle Bin", "{645FF040-5081-101B-9F08-00AA002F954E}"},
    {"Scanners and Cameras", "{E211B736-43FD-11D1-9EFB-0000F8757FCD}"},
    {"Scheduled Tasks", "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}"},
    {"Start Menu Folder", "{48e7caab-b918-4e58-a94d-505519c795dc}"},
    {"Temporary Internet Files", "{7BD29E00-76C1-11CF-9DD0-00A0C9034933}"},
};

}  // namespace

void LoadIconVisibility(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kList;
  ShowTweakPage(ctx, kPage, tweakId);
  ctx.pages.ShowControl(kPage, kIconList, true);
  ctx.pages.ListDeleteAllItems(kPage, kIconList);
  int row = 0;
  for (const DesktopIcon& icon : kDesktopIcons) ctx.pages.ListInsertItem(kPage, kIconList, row++, icon.text);
  const RegistryKey nameSpace = RegistryKey::Open(ctx.registry, kHKLM, kNameSpace);
  row = 0;
  for (const DesktopIcon& icon : kDesktopIcons)
    ctx.pages.ListSetCheck(kPage, kIconList, row++, static_cast<bool>(nameSpace.OpenSubKey(icon.subkey)));
}

void ApplyIconVisibility(TweakContext& ctx) {
  ctx.RecordTweakChange();
  const RegistryKey nameSpace = RegistryKey::Open(ctx.registry, kHKLM, kNameSpace);
  if (!nameSpace) return;
  int row = 0;
  for (const DesktopIcon& icon : kDesktopIcons) {
    if (ctx.pages.ListGetCheck(page::kList, kIconList, row++))
      nameSpace.CreateSubKey(icon.subkey);
    else
      nameSpace.DeleteSubKey(icon.subkey);
  }
}

// --- Change the Screen Saver Grace Period ------------------------------------

namespace {

constexpr const char* kGracePeriod = "ScreenSaverGracePeriod";
constexpr NumberField kGracePeriodField[] = {
    {control::kLabel1, "Grace Period (Seconds):", control::kCombo1, kGracePeriod, kNumberComboLast},
};

// The combo item of a stored period (text or number): item n reads n. A
// period the combo does not hold, or a text that is not plainly a number,
// has no item.
int PeriodItem(const RegistryKey& key) {
  std::optional<int> period;
  if (const auto number = key.ReadDword(kGracePeriod)) {
    if (*number <= static_cast<std::uint32_t>(kNumberComboLast)) period = static_cast<int>(*number);
  } else if (const auto text = key.ReadText(kGracePeriod)) {
    const std::optional<int> parsed = ParseDecimal(*text);
    if (parsed && std::to_string(*parsed) == *text) period = parsed;
  }
  return period && *period >= 0 && *period <= kNumberComboLast ? *period : kNoItem;
}

}  // namespace

void LoadGracePeriod(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kSingleCombo;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_CAP);
  ShowWithText(ctx, kPage, control::kCheck1, "Set the Screen Saver Grace Period.");
  ShowWithText(ctx, kPage, control::kLabel1, kGracePeriodField[0].label);
  // The combo holds its numbers from the page's creation; only its selection
  // and state are set here, since hiding the page keeps them.
  ctx.pages.ShowControl(kPage, control::kCombo1, true);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKLM, kWinlogon);
  const bool stored = key.ReadBytes(kGracePeriod).has_value();
  ctx.pages.SetCheck(kPage, control::kCheck1, stored ? 1 : 0);
  ctx.pages.ComboSetCurSel(kPage, control::kCombo1, stored ? PeriodItem(key) : 0);
  ctx.pages.EnableControl(kPage, control::kCombo1, stored);
}

void ApplyGracePeriod(TweakContext& ctx) {
  constexpr int kPage = page::kSingleCombo;
  if (!TakeTypedNumbers(ctx, kPage, kGracePeriodField)) return;
  if (!PassGate(ctx, kNt2002, RecordPoint::kAtGate)) return;
  const RegistryKey key = RegistryKey::Create(ctx.registry, kHKLM, kWinlogon);
  if (!key) return;
  if (ctx.pages.GetCheck(kPage, control::kCheck1) != 1) {
    key.DeleteValue(kGracePeriod);
    return;
  }
  // No selection leaves the stored period.
  const int period = ctx.pages.ComboGetCurSel(kPage, control::kCombo1);
  if (period < 0) return;
  // As text; where the text cannot be written, as a number.
  const std::string text = std::to_string(period);
  const RegResult written = ctx.registry.SetValueEx(key.handle(), kGracePeriod, reg::kSz,
                                                    reinterpret_cast<const std::uint8_t*>(text.data()),
                                                    static_cast<std::uint32_t>(text.size()));
  if (written != reg::kSuccess) key.WriteDword(kGracePeriod, static_cast<std::uint32_t>(period));
}

// --- Remove My Documents from the Desktop ------------------------------------

namespace {

constexpr const char* kMyDocumentsFolder = "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\ShellFolder";
constexpr std::uint32_t kMyDocumentsHidden = 0x00100000;  // of "Attributes"

// Where the folder's attributes live: below the classes on Windows 95, 98 and
// Me, below Explorer's key on every other version.
constexpr CheckRow kMyDocuments9x{
    90, kPair, OpenedThenCreated("Software\\Classes", kMyDocumentsFolder), "Attributes",
    Writes(Dword(0xF0500174), Dword(0xF0400174)), CheckedWhen::kOn, kNoGate, RecordPoint::kAtGate, NOTE_LOGOUT_CAP,
    "Remove My Documents from the Desktop (Current User).", "Remove My Documents from the Desktop (All Users)."};
constexpr CheckRow kMyDocumentsNt{
    90, kPair, OpenedThenCreated(kExplorer, kMyDocumentsFolder),
    "Attributes", kMyDocuments9x.writes, CheckedWhen::kOn, kNoGate, RecordPoint::kAtGate, kMyDocuments9x.note,
    kMyDocuments9x.caption, kMyDocuments9x.allUsersCaption};

const CheckRow& MyDocumentsRow(IPlatform& platform) {
  const COsVersion os(platform);
  return os.IsWin95() || os.IsWin98() || os.IsWinMe() ? kMyDocuments9x : kMyDocumentsNt;
}

}  // namespace

void LoadMyDocumentsOnDesktop(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kMultiCheck;
  const CheckRow& row = MyDocumentsRow(ctx.platform);
  ShowTweakPage(ctx, kPage, tweakId, row.note);
  const std::string path = std::string(row.key.path) + "\\" + row.key.createdSubKey;
  const std::array<std::pair<int, const char*>, 2> boxes = {{{control::kCheck1, row.caption},
                                                             {control::kCheck2, row.allUsersCaption}}};
  const std::array<RegKey, 2> roots = {kHKCU, kHKLM};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    ShowWithText(ctx, kPage, boxes[i].first, boxes[i].second);
    // Checked when the folder is hidden, whatever the other attributes.
    const auto attributes = RegistryKey::Open(ctx.registry, roots[i], path).ReadDword(row.values.names[0]);
    ctx.pages.SetCheck(kPage, boxes[i].first, attributes && (*attributes & kMyDocumentsHidden) ? 1 : 0);
  }
}

void ApplyMyDocumentsOnDesktop(TweakContext& ctx) { ApplyShape(ctx, MyDocumentsRow(ctx.platform)); }

// --- Rename or Delete Special Folders ----------------------------------------

namespace {

constexpr const char* kRecycleBinFolder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
constexpr std::uint8_t kRenameAndDelete = 0x70;
constexpr std::uint8_t kRenameOnly = 0x50;
constexpr std::uint8_t kDeleteOnly = 0x60;
constexpr std::uint8_t kNeither = 0x40;

}  // namespace

void LoadRecycleBinRights(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kMultiCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_NODOT);
  ShowWithText(ctx, kPage, control::kCheck1, "Allow Rename of Recycle Bin.");
  ShowWithText(ctx, kPage, control::kCheck2, "Allow Delete of Recycle Bin.");
  // Only the first byte counts; a value without one allows neither.
  const auto attributes = RegistryKey::Open(ctx.registry, kHKCR, kRecycleBinFolder).ReadBytes("Attributes");
  const std::uint8_t first = attributes && !attributes->empty() ? (*attributes)[0] : 0;
  ctx.pages.SetCheck(kPage, control::kCheck1, first == kRenameOnly || first == kRenameAndDelete ? 1 : 0);
  ctx.pages.SetCheck(kPage, control::kCheck2, first == kDeleteOnly || first == kRenameAndDelete ? 1 : 0);
}

void ApplyRecycleBinRights(TweakContext& ctx) {
  ctx.RecordTweakChange();
  const RegistryKey key = RegistryKey::Create(ctx.registry, kHKCR, kRecycleBinFolder);
  const bool rename = ctx.pages.GetCheck(page::kMultiCheck, control::kCheck1) == 1;
  const bool remove = ctx.pages.GetCheck(page::kMultiCheck, control::kCheck2) == 1;
  const std::uint8_t first = rename && remove ? kRenameAndDelete : rename ? kRenameOnly : remove ? kDeleteOnly : kNeither;
  key.WriteBinary("Attributes", {first, 0x01, 0x00, 0x20});
  key.WriteDword("CallForAttributes", 0);
}

}  // namespace corvandel

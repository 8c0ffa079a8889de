#include "tweaks/login/login_tweaks.h"

#include <cstdint>
#include <optional>
#include <string>

#include "pages/color_combo.h"
#include "pages/page_handlers.h"
#include "services/decimal.h"
#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

// The automatic-logon count spells the Winlogon key so (names are
// case-insensitive: one key).
// The default profile's desktop, below HKEY_USERS.
constexpr const char* kDefaultDesktopKey = ".DEFAULT\\Control Panel\\Desktop";

// An edit's text written as it stands; an empty edit removes the value.
void WriteOrDelete(const RegistryKey& key, const char* name, const std::string& text) {
  if (text.empty())
    key.DeleteValue(name);
  else
    key.WriteText(name, text);
}

constexpr const char* kForceAutoLogon = "ForceAutoLogon";

}  // namespace

// --- Automatic Login to Windows NT 2000 and XP ----------------------------------

namespace {

constexpr int kAutoLogonPage = page::kEditCheck;
constexpr int kResetAfterReboot = control::kCheck2;
constexpr int kPasswordEdit = control::kEdit2;

// In the order they are written; an empty edit removes its value.
constexpr Field kLogonEdits[] = {
    EditField(1020,             "Domain(optional):", 1025,            "DefaultDomainName", reg::kSz, kDeleteWhenEmpty),
    EditField(control::kLabel2, "Password:",         kPasswordEdit,   "DefaultPassword",   reg::kSz, kDeleteWhenEmpty),
    EditField(control::kLabel1, "UserName:",         control::kEdit1, "DefaultUserName",   reg::kSz, kDeleteWhenEmpty),
};

}  // namespace

void LoadAutomaticLogin(TweakContext& ctx, int tweakId) {
  constexpr int kPage = kAutoLogonPage;
  ShowTweakPage(ctx, kPage, tweakId);
  ShowCheckBox(ctx, kPage, control::kCheck1, "Login automatically at system startup.", 0);
  ShowCheckBox(ctx, kPage, kResetAfterReboot, "Reset after reboot?", 1);
  for (const Field& edit : kLogonEdits) {
    ShowWithText(ctx, kPage, edit.labelId, edit.label);
    ShowWithText(ctx, kPage, edit.controlId, "");
  }
  // The stored password is not shown to whoever looks at the screen.
  ctx.pages.SetPasswordMask(kPage, kPasswordEdit, true);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKLM, kWinlogon);
  if (key.ReadFlag("AutoAdminLogon")) ctx.pages.SetCheck(kPage, control::kCheck1, 1);
  for (const Field& edit : kLogonEdits)
    if (auto text = key.ReadText(edit.value)) ctx.pages.SetText(kPage, edit.controlId, *text);
  // Forced here as the text "1"; Force the Use of Automatic Login stores the number 1.
  if (key.ReadFlag(kForceAutoLogon) || key.ReadDword(kForceAutoLogon) == 1u)
    ctx.pages.SetCheck(kPage, kResetAfterReboot, 0);
}

void ApplyAutomaticLogin(TweakContext& ctx) {
  constexpr int kPage = kAutoLogonPage;
  if (!PassGate(ctx, kNt2002, RecordPoint::kAtGate)) return;
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKLM, kWinlogon);
  key.WriteFlag("AutoAdminLogon", ctx.pages.GetCheck(kPage, control::kCheck1) == 1);
  for (const Field& edit : kLogonEdits) WriteOrDelete(key, edit.value, ctx.pages.GetText(kPage, edit.controlId));
  if (ctx.pages.GetCheck(kPage, kResetAfterReboot) == 1)
    key.DeleteValue(kForceAutoLogon);
  else
    key.WriteText(kForceAutoLogon, "1");
}

// --- Change the Default login Screen Saver ----------------------------------------

namespace {

constexpr const char* kScreenSaveActive = "ScreenSaveActive";
constexpr const char* kScreenSaverFile = "SCRNSAVE.EXE";
constexpr const char* kScreenSaveTimeOut = "ScreenSaveTimeOut";

// A screen saver in the system folder is stored by its file name, which
// Windows finds there; the browse button's quotes go too. Only the two usual
// spellings of the folder are recognised, and only under a known Windows
// directory.
std::string ScreenSaverName(std::string path, const std::string& windowsDir) {
  if (!windowsDir.empty()) {
    path = ReplaceEach(path, windowsDir + "\\System32\\", "");
    path = ReplaceEach(path, windowsDir + "\\system32\\", "");
  }
  std::erase(path, '"');
  return path;
}

}  // namespace

void LoadLoginScreenSaver(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT);
  ShowCheckBox(ctx, kPage, control::kCheck1, "Use a Screen Saver on the Login Screen.", 0);
  ShowWithText(ctx, kPage, control::kLabel1, "Screen Saver File:");
  ShowWithText(ctx, kPage, control::kEdit1, "");
  ctx.pages.ShowControl(kPage, control::kBrowse1, true);
  ShowWithText(ctx, kPage, control::kLabel2, "Time-out (seconds):");
  ShowWithText(ctx, kPage, control::kEdit2, "");
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKU, kDefaultDesktopKey);
  if (key.ReadFlag(kScreenSaveActive)) ctx.pages.SetCheck(kPage, control::kCheck1, 1);
  if (auto file = key.ReadText(kScreenSaverFile)) ctx.pages.SetText(kPage, control::kEdit1, *file);
  if (auto timeOut = key.ReadText(kScreenSaveTimeOut)) ctx.pages.SetText(kPage, control::kEdit2, *timeOut);
  // The file and time-out rows are enabled as the box stands, as a click on it does.
  OnCheckBoxClicked(ctx.pages, kLoginScreenSaverPage, kPage, control::kCheck1);
}

void ApplyLoginScreenSaver(TweakContext& ctx) {
  constexpr int kPage = page::kEditCheck;
  if (!PassGate(ctx, kNt2002, RecordPoint::kAtGate)) return;
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKU, kDefaultDesktopKey);
  key.WriteFlag(kScreenSaveActive, ctx.pages.GetCheck(kPage, control::kCheck1) == 1);
  // Both rows are written even when the box is unchecked (they are only disabled).
  WriteOrDelete(key, kScreenSaverFile,
                ScreenSaverName(ctx.pages.GetText(kPage, control::kEdit1), ctx.platform.WindowsDirectory()));
  WriteOrDelete(key, kScreenSaveTimeOut, ctx.pages.GetText(kPage, control::kEdit2));
}

// --- Change the login Screen Background Color -------------------------------------

namespace {

constexpr const char* kBackground = "Background";

// The colour is shown from the logon screen's own value; a colour that no
// name stands for (or none) shows no selection.
constexpr ColorRow kLoginScreenColor{161,        kHKLM, Opened(kWinlogon), kBackground, ColorForm::kRgbText,
                                     kNoGate,    RecordPoint::kAtGate, NOTE_RESTART_NODOT,
                                     "Login Screen Color (RGB):"};

}  // namespace

void LoadLoginScreenColor(TweakContext& ctx, int) { LoadShape(ctx, kLoginScreenColor); }

void ApplyLoginScreenColor(TweakContext& ctx) {
  ctx.RecordTweakChange();
  // No colour chosen (the stored one has no name) keeps all three values:
  // writing black and removing the wallpaper would destroy the colour.
  if (ctx.pages.ComboGetCurSel(page::kComboCheck, control::kColorCombo) < 0) return;
  const std::string rgb = ColorToRgbText(GetSelectedColor(ctx.pages, page::kComboCheck, control::kColorCombo));
  RegistryKey::Open(ctx.registry, kHKU, kDefaultDesktopKey).WriteText("Wallpaper", "(None)");
  RegistryKey::Open(ctx.registry, kHKU, ".DEFAULT\\Control Panel\\Colors").WriteText(kBackground, rgb);
  RegistryKey::Open(ctx.registry, kHKLM, kWinlogon).WriteText(kBackground, rgb);
}

// --- Change the Login Screen Wallpaper ---------------------------------------------

namespace {

constexpr const char* kWallpaper = "Wallpaper";
constexpr const char* kTileWallpaper = "TileWallpaper";

}  // namespace

void LoadLoginWallpaper(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, tweakId, "Note:\n\tRestart Windows for the changes to take effect.");
  ShowWithText(ctx, kPage, control::kLabel1, "Default Wallpaper(*.bmp):");
  ShowWithText(ctx, kPage, control::kEdit1, "");
  ctx.pages.ShowControl(kPage, control::kBrowse1, true);
  ShowCheckBox(ctx, kPage, control::kCheck1, "Tile Wallpaper.", 0);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKU, kDefaultDesktopKey);
  if (auto wallpaper = key.ReadText(kWallpaper)) ctx.pages.SetText(kPage, control::kEdit1, *wallpaper);
  if (key.ReadFlag(kTileWallpaper)) ctx.pages.SetCheck(kPage, control::kCheck1, 1);
}

void ApplyLoginWallpaper(TweakContext& ctx) {
  constexpr int kPage = page::kEditCheck;
  const std::string wallpaper = ctx.pages.GetText(kPage, control::kEdit1);
  const bool tiled = ctx.pages.GetCheck(kPage, control::kCheck1) == 1;
  ctx.RecordTweakChange();
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKU, kDefaultDesktopKey);
  // Stored as typed, quotes and all; an empty edit keeps the wallpaper there is.
  if (!wallpaper.empty()) key.WriteText(kWallpaper, wallpaper);
  key.WriteFlag(kTileWallpaper, tiled);
  key.WriteText("Pattern", "(None)");
}

// --- Force the Use of Automatic Login ------------------------------------------------

namespace {

constexpr CheckRow kForceAutoLogonBox{168,     kHKLM, Opened(kWinlogon), kForceAutoLogon, kDirect, CheckedWhen::kAsStored,
                                      {kXp2000, 2003, kAlertOnly},  RecordPoint::kAtGate, NOTE_LOGOUT,
                                      "Force Auto-Login.", nullptr};

}  // namespace

void LoadForceAutoLogon(TweakContext& ctx, int) {
  LoadShape(ctx, kForceAutoLogonBox);
  // Automatic Login to Windows NT 2000 and XP forces it with the text "1".
  if (RegistryKey::Open(ctx.registry, kHKLM, kWinlogon).ReadFlag(kForceAutoLogon))
    ctx.pages.SetCheck(page::kMultiCheck, control::kCheck1, 1);
}

void ApplyForceAutoLogon(TweakContext& ctx) { ApplyShape(ctx, kForceAutoLogonBox); }

// --- Hide the Last User Name ------------------------------------------------------

namespace {

constexpr const char* kHideUserCaption = "Do not display the last username.";
constexpr int kAllButWindows95Alert = 2018;

// The value of each Windows family; the routine records before writing, so
// the rows record nothing themselves.
// clang-format off
constexpr CheckRow kHideUserNt4 {169, kHKLM, Opened(kWinlogon),                                                 "DontDisplayLastUserName", kDirect,   CheckedWhen::kAsStored, kNoGate, RecordPoint::kNever, NOTE_LOGOUT, kHideUserCaption, nullptr};
constexpr CheckRow kHideUserNt5 {169, kHKLM, Opened(kSystemPoliciesMixedCase), "DontDisplayLastUserName", kDirect,   CheckedWhen::kAsStored, kNoGate, RecordPoint::kNever, NOTE_LOGOUT, kHideUserCaption, nullptr};
constexpr CheckRow kHideUser9x  {169, kHKLM, Opened("Network\\Logon"),                                              "DontShowLastUser",        kTextFlag, CheckedWhen::kOn,       kNoGate, RecordPoint::kNever, NOTE_LOGOUT, kHideUserCaption, nullptr};
// clang-format on

// The first match in this order; none on Windows 95 and on releases the
// version probe does not know.
const CheckRow* HideUserRow(IPlatform& platform) {
  const COsVersion os(platform);
  if (os.IsWinNT4()) return &kHideUserNt4;
  if (os.IsWinXP() || os.IsWin2000()) return &kHideUserNt5;
  if (os.IsWin98() || os.IsWinMe()) return &kHideUser9x;
  return nullptr;
}

}  // namespace

void LoadHideLastUserName(TweakContext& ctx, int tweakId) {
  if (const CheckRow* row = HideUserRow(ctx.platform)) {
    LoadShape(ctx, *row);
    return;
  }
  ShowTweakPage(ctx, page::kMultiCheck, tweakId, NOTE_LOGOUT);
  ShowCheckBox(ctx, page::kMultiCheck, control::kCheck1, kHideUserCaption, 0);
}

void ApplyHideLastUserName(TweakContext& ctx) {
  // Only Windows 95 is refused; a release the probe does not know is
  // recorded and written nowhere.
  if (COsVersion(ctx.platform).IsWin95()) {
    ShowAlert(ctx.Gate(), kAllButWindows95Alert);
    return;
  }
  ctx.RecordTweakChange();
  if (const CheckRow* row = HideUserRow(ctx.platform)) ApplyShape(ctx, *row);
}

// --- Legal Notice Dialog Box Before login --------------------------------------------

namespace {

constexpr const char* kLegalNoticeNote =
    "Note:\n\tRestart Windows, and the next time you boot up you should be presented with the dialog box before "
    "logging on.";

// The text is written before the caption; an empty edit removes its value.
constexpr Field kLegalNoticeFields[] = {
    EditField(control::kLabel2, "Notice Text:", control::kEdit2, "LegalNoticeText", reg::kSz, kDeleteWhenEmpty),
    EditField(control::kLabel1, "Notice Title:", control::kEdit1, "LegalNoticeCaption", reg::kSz, kDeleteWhenEmpty),
};

// The NT family's key and the Windows 95/98/Me key; the routine records.
constexpr FieldsRow kLegalNoticeNt{171,     page::kEditCheck,    kHKLM,            Opened(kWinlogon),
                                   kNoGate, RecordPoint::kNever, kLegalNoticeNote, kLegalNoticeFields};
constexpr FieldsRow kLegalNotice9x{171,     page::kEditCheck,    kHKLM,
                                   Opened("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Winlogon"),
                                   kNoGate, RecordPoint::kNever, kLegalNoticeNote, kLegalNoticeFields};

bool IsXp2000OrNt4(IPlatform& platform) {
  const COsVersion os(platform);
  return os.IsWinXP() || os.IsWin2000() || os.IsWinNT4();
}

}  // namespace

void LoadLegalNotice(TweakContext& ctx, int) {
  const COsVersion os(ctx.platform);
  LoadShape(ctx, os.IsWin95() || os.IsWin98() || os.IsWinMe() ? kLegalNotice9x : kLegalNoticeNt);
}

// Never refused: the NT family's key on XP, 2000 and NT 4.0, where the change
// is recorded, and the other key, unrecorded, everywhere else.
void ApplyLegalNotice(TweakContext& ctx) {
  if (!IsXp2000OrNt4(ctx.platform)) {
    ApplyShape(ctx, kLegalNotice9x);
    return;
  }
  ctx.RecordTweakChange();
  ApplyShape(ctx, kLegalNoticeNt);
}

// --- Limit the Number of Automatic Logins ---------------------------------------------

namespace {

constexpr const char* kAutoLogonCount = "AutoLogonCount";

// The count as stored, whichever way: XP keeps a number, 2000 and NT 4.0 a text.
std::optional<std::string> StoredCount(IRegistry& registry, const RegistryKey& key) {
  std::uint32_t type = reg::kNone;
  if (!key || registry.QueryValueEx(key.handle(), kAutoLogonCount, &type, nullptr, nullptr) != reg::kSuccess)
    return std::nullopt;
  if (type == reg::kDword)
    if (const auto number = key.ReadDword(kAutoLogonCount)) return std::to_string(static_cast<std::int32_t>(*number));
  return key.ReadText(kAutoLogonCount);
}

}  // namespace

void LoadAutoLogonCount(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT);
  ShowWithText(ctx, kPage, control::kLabel1, "Number of Automatic Logins:");
  ShowWithText(ctx, kPage, control::kEdit1, "");
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKLM, kWinlogon);
  if (auto count = StoredCount(ctx.registry, key)) ctx.pages.SetText(kPage, control::kEdit1, *count);
}

void ApplyAutoLogonCount(TweakContext& ctx) {
  if (!PassGate(ctx, kNt2002, RecordPoint::kAtGate)) return;
  const std::string text = ctx.pages.GetText(page::kEditCheck, control::kEdit1);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKLM, kWinlogonMixedCase);
  // No digits read as 0: an empty edit, letters and 0 itself all remove it.
  const std::optional<int> count = ParseDecimal(text);
  if (count == 0) {
    key.DeleteValue(kAutoLogonCount);
    return;
  }
  if (!COsVersion(ctx.platform).IsWinXP()) {
    key.WriteText(kAutoLogonCount, text);  // as typed, not the number read from it
    return;
  }
  // A number beyond the 32-bit range has no value to store.
  if (count) key.WriteDword(kAutoLogonCount, static_cast<std::uint32_t>(*count));
}

}  // namespace corvandel

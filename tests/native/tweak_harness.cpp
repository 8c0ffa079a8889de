#include "tweak_harness.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "history/change_history.h"
#include "services/ansi_text.h"
#include "services/registry_key.h"
#include "tweaks/catalogue.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

std::string RootName(RegKey root) {
  switch (root) {
    case reg::kClassesRoot: return "HKCR";
    case reg::kCurrentUser: return "HKCU";
    case reg::kLocalMachine: return "HKLM";
    default: return "HKU";
  }
}

bool IsProgramKey(RegKey root, const std::string& path) {
  const std::string_view own = kProgramKey;
  if (root != reg::kCurrentUser || !EqualsIgnoringCase(std::string_view(path).substr(0, own.size()), own)) return false;
  return path.size() == own.size() || path[own.size()] == '\\';
}

}  // namespace

std::vector<StoredState> CatalogueStates() {
  std::vector<StoredState> all;
  for (const auto* states : {&AccessoriesStates(), &AppearanceStates(), &DesktopStates(), &ExplorerStates(),
                             &FileSystemStates(), &LoginStates(), &StartupStates(), &StartMenuStates(),
                             &SystemStates(), &TroubleshootingStates()})
    all.insert(all.end(), states->begin(), states->end());
  return all;
}

const StoredState& FirstState(int tweakId) {
  static const std::vector<StoredState> all = CatalogueStates();
  for (const StoredState& state : all)
    if (state.tweakId == tweakId) return state;
  ADD_FAILURE() << "no stored state for " << tweakId;
  return all.front();
}

void OnOff(std::vector<StoredState>& states, int id, RegKey root, const char* path, const char* name,
           std::uint32_t checked, std::uint32_t unchecked, OsVersionRecord version) {
  states.push_back({id, "checked", {Dw(root, path, name, checked)}, version});
  states.push_back({id, "unchecked", {Dw(root, path, name, unchecked)}, version});
}

void Pair(std::vector<StoredState>& states, int id, const char* path, const char* name, std::uint32_t checked,
          std::uint32_t unchecked) {
  states.push_back({id, "user on", {Dw(kHKCU, path, name, checked), Dw(kHKLM, path, name, unchecked)}});
  states.push_back({id, "machine on", {Dw(kHKCU, path, name, unchecked), Dw(kHKLM, path, name, checked)}});
}

TweakHarness::TweakHarness() {
  platform.programFolder = folder_.Ansi();
  platform.today = kStartDay;
  // The program keeps its own key below HKEY_CURRENT_USER\Software.
  RegistryKey::Create(registry, reg::kCurrentUser, "Software").IsOpen();
  navigator_ = std::make_unique<Navigator>(CatalogueDispatch(), trace, pages, platform, profile);
  navigator_->LoadTables();
}

void TweakHarness::Apply() {
  platform.today = kApplyDay;
  const std::size_t before = platform.messages.size();
  const ChangeOutcome outcome = navigator_->Apply();
  alerts_.clear();
  for (std::size_t i = before; i < platform.messages.size(); ++i) {
    const SettablePlatform::ShownMessage& shown = platform.messages[i];
    // The navigator's own word on keys that are missing, not the tweak's.
    if (!outcome.missingKeys.empty() && shown.text == MissingKeysText(outcome.missingKeys)) continue;
    EXPECT_EQ(AlertText(kAlertCaption), shown.caption);
    EXPECT_EQ(mb::kIconError, shown.style);
    alerts_.push_back(shown.text);
  }
  EXPECT_EQ(0u, registry.OpenHandleCount()) << "a handle was left open";
}

bool TweakHarness::Recorded(int tweakId) {
  const std::string& title = navigator_->Table()[static_cast<std::size_t>(tweakId)].title;
  return navigator_->History().LookupModifiedDate(title) == ChangeHistory::FormatDate(kApplyDay);
}

void TweakHarness::Reseed(const std::vector<SeedValue>& values) {
  for (RegKey root : {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers}) {
    std::vector<std::string> doomed;
    registry.ForEachKey(root, [&](const std::string& path, const std::vector<MemoryRegistry::Value>&) {
      const std::size_t slash = path.find('\\');
      const bool top = !path.empty() && slash == std::string::npos;
      // HKEY_CURRENT_USER\Software stays for the program's own key; its other subkeys go.
      const bool software = root == reg::kCurrentUser && slash == 8 &&
                            EqualsIgnoringCase(path.substr(0, 8), "Software") && path.find('\\', 9) == std::string::npos;
      if (root == reg::kCurrentUser && top && EqualsIgnoringCase(path, "Software")) return;
      if (top || (software && !IsProgramKey(root, path))) doomed.push_back(path);
    });
    for (const std::string& path : doomed) DeleteTreeAt(registry, root, path);
  }
  RegistryKey::Create(registry, reg::kUsers, ".DEFAULT").IsOpen();
  Put(values);
}

void TweakHarness::Put(const SeedValue& value) {
  const RegistryKey key = RegistryKey::Create(registry, value.root, value.path);
  ASSERT_TRUE(key.IsOpen()) << value.path;
  if (!value.name) return;
  if (value.type == reg::kDword)
    key.WriteDword(value.name, value.number);
  else if (value.text)
    key.WriteText(value.name, value.text, value.type);
  else
    registry.SetValueEx(key.handle(), value.name, value.type, value.bytes.data(),
                        static_cast<std::uint32_t>(value.bytes.size()));
}

std::optional<std::vector<std::uint8_t>> TweakHarness::Bytes(RegKey root, const std::string& path,
                                                             const std::string& name) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!registry.Get(root, path, name, &type, &data)) return std::nullopt;
  return data;
}

std::optional<std::uint32_t> TweakHarness::Type(RegKey root, const std::string& path, const std::string& name) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!registry.Get(root, path, name, &type, &data)) return std::nullopt;
  return type;
}

std::optional<std::uint32_t> TweakHarness::Dword(RegKey root, const std::string& path, const std::string& name) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!registry.Get(root, path, name, &type, &data) || type != reg::kDword || data.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
         static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

std::optional<std::string> TweakHarness::Text(RegKey root, const std::string& path, const std::string& name) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!registry.Get(root, path, name, &type, &data) || (type != reg::kSz && type != reg::kExpandSz))
    return std::nullopt;
  return std::string(data.begin(), data.end());
}

bool TweakHarness::HasValue(RegKey root, const std::string& path, const std::string& name) const {
  return Type(root, path, name).has_value();
}

std::map<std::string, std::string> TweakHarness::Snapshot() const {
  std::map<std::string, std::string> all;
  for (RegKey root : {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers}) {
    registry.ForEachKey(root, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
      if (IsProgramKey(root, path)) return;
      std::string text;
      for (const MemoryRegistry::Value& v : values) {
        text += v.name + "=" + std::to_string(v.type) + ":";
        for (std::uint8_t byte : v.data) {
          char hex[4];
          std::snprintf(hex, sizeof hex, "%02x", byte);
          text += hex;
        }
        text += ";";
      }
      all[RootName(root) + "\\" + path] = text;
    });
  }
  return all;
}

void TweakHarness::ChangeEveryControl() {
  for (const PageTemplate& page : PageTemplates()) {
    if (!pages.IsPageVisible(page.id)) continue;
    for (const ControlTemplate& control : page.controls) {
      if (!pages.IsControlVisible(page.id, control.id)) continue;
      switch (control.kind) {
        case ControlKind::kCheckBox:
          pages.SetCheck(page.id, control.id, pages.GetCheck(page.id, control.id) == 1 ? 0 : 1);
          break;
        case ControlKind::kComboBox: {
          const int count = pages.ComboCount(page.id, control.id);
          const int selected = pages.ComboGetCurSel(page.id, control.id);
          if (count > 0) pages.ComboSetCurSel(page.id, control.id, (selected < 0 ? 1 : selected + 1) % count);
          break;
        }
        case ControlKind::kEdit:
          pages.SetText(page.id, control.id, pages.GetText(page.id, control.id) + "7");
          break;
        case ControlKind::kListView: {
          const int count = pages.ListItemCount(page.id, control.id);
          const int selected = pages.ListSelectedRow(page.id, control.id);
          if (count > 0) pages.ListSelectRow(page.id, control.id, (selected < 0 ? 1 : selected + 1) % count);
          break;
        }
        case ControlKind::kStatic:
        case ControlKind::kPushButton: break;
      }
    }
  }
}

void SweepGates(std::span<const GateCase> gates, const GateSweep& sweep) {
  for (const GateCase& gate : gates) {
    for (const NamedVersion& version : kAllVersions) {
      SCOPED_TRACE("TweakId " + std::to_string(gate.tweakId) + " on " + version.name);
      TweakHarness h;
      h.platform.version = version.record;
      h.Put(FirstState(gate.tweakId).values);
      if (sweep.seed) sweep.seed(h, gate.tweakId);
      const auto before = h.Snapshot();
      h.Select(gate.tweakId);
      const int loadedBox = h.pages.GetCheck(kMultiCheck, 1013);
      if (sweep.change)
        sweep.change(h);
      else
        h.ChangeEveryControl();
      const int changedBox = h.pages.GetCheck(kMultiCheck, 1013);
      h.Apply();

      const bool admitted = gate.alertId == 0 || (version.bit == Versions::kNone ? gate.admitsUnknown
                                                                                  : Admits(gate.admitted, version.bit));
      if (admitted) {
        EXPECT_TRUE(h.Alerts().empty());
        if (sweep.admittedWrites) {
          EXPECT_NE(before, h.Snapshot());
        }
        const bool on9x = version.bit == Versions::k95 || version.bit == Versions::k98 || version.bit == Versions::kMe;
        EXPECT_EQ(gate.history == GateRecord::kRecorded || (gate.history == GateRecord::kOn9xOnly && on9x),
                  h.Recorded(gate.tweakId));
        continue;
      }
      const std::vector<std::string> refusal = {h.AlertText(gate.alertId)};
      EXPECT_EQ(refusal, h.Alerts());
      EXPECT_EQ(before, h.Snapshot());
      EXPECT_FALSE(h.Recorded(gate.tweakId));
      EXPECT_EQ(gate.reverts ? loadedBox : changedBox, h.pages.GetCheck(kMultiCheck, 1013));
      h.Apply();
      EXPECT_EQ(refusal, h.Alerts());
    }
  }
}

void ExpectCheckedWhenStored(std::span<const StoredCheck> cases) {
  for (const StoredCheck& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.platform.version = c.version;
    h.Put(c.stored);
    h.Select(c.tweakId);
    EXPECT_TRUE(h.pages.IsControlVisible(kMultiCheck, c.controlId));
    EXPECT_EQ(c.checked, h.pages.GetCheck(kMultiCheck, c.controlId));
    if (c.second == kSecondNotLooked) continue;
    EXPECT_EQ(c.second != kSecondHidden, h.pages.IsControlVisible(kMultiCheck, 1018));
    if (c.second != kSecondHidden) {
      EXPECT_EQ(c.second, h.pages.GetCheck(kMultiCheck, 1018));
    }
  }
}

}  // namespace corvandel

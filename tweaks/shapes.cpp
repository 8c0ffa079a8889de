#include "tweaks/shapes.h"

#include <cstdio>
#include <string>
#include <vector>

#include "pages/color_combo.h"
#include "services/ansi_text.h"
#include "services/decimal.h"
#include "services/registry_key.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

// One value to write (or delete) once the key is open; check states and
// edit texts are resolved into it before anything is opened.
struct ValueWrite {
  const char* name;
  Stored kind;
  std::uint32_t number = 0;
  std::string text;
  std::vector<std::uint8_t> bytes = {};
};

ValueWrite MakeWrite(const char* name, const StoredData& data, int checkState = 0) {
  if (data.kind == Stored::kCheckState)
    return {name, Stored::kDword, static_cast<std::uint32_t>(checkState), {}};
  return {name, data.kind, data.number, data.text ? data.text : "", {data.bytes.begin(), data.bytes.end()}};
}

std::vector<std::uint8_t> LittleEndian(std::uint32_t number) {
  return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
          static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

// The key of one scope: its root, the prefix of its path below the root
// (".DEFAULT\" in the default profile) and whether the key is created there.
struct ScopeKey {
  RegKey root;
  const char* prefix = "";
  bool allUsers = false;  // the All Users side of a pair (kCreatedForAllUsers)
};

// The control of one scope, with its label and the text shown there.
struct ScopeControl {
  int control;
  int label;
  const char* text;
  ScopeKey key = {0};
  bool loads = true;  // false: written only, the control loads from the first scope
};

// The scopes a row reads and writes, in that order: its own root with the
// first control, or for a root standing for two scopes, both (see kPair).
std::vector<ScopeControl> Scopes(RegKey root, ScopeControl first, ScopeControl second) {
  switch (root) {
    case kPair:
      first.key = {RootOf(Scope::kCurrentUser)};
      second.key = {RootOf(Scope::kAllUsers), "", true};
      return {first, second};
    case kUserDefaultPair:
      first.key = {kHKCU};
      second.key = {kHKU, kDefaultProfile};
      return {first, second};
    case kUserAndDefault:
      first.key = {kHKCU};
      second = first;
      second.key = {kHKU, kDefaultProfile};
      second.loads = false;
      return {first, second};
    default: break;
  }
  first.key = {root};
  return {first};
}

std::vector<ScopeControl> CheckScopes(const CheckRow& row) {
  return Scopes(row.root, {control::kCheck1, 0, row.caption}, {control::kCheck2, 0, row.allUsersCaption});
}

std::vector<ScopeControl> ComboScopes(const ComboRow& row) {
  return Scopes(row.root, {control::kCombo1, control::kLabel1, row.label},
                {control::kCombo2, control::kLabel2, row.allUsersLabel});
}

std::string LoadPath(const ScopeKey& scope, const KeyRef& key) {
  std::string path = std::string(scope.prefix) + key.path;
  if (key.createdSubKey) path += std::string("\\") + key.createdSubKey;
  return path;
}

RegistryKey OpenForLoad(TweakContext& ctx, const ScopeKey& scope, const KeyRef& key) {
  return RegistryKey::Open(ctx.registry, scope.root, LoadPath(scope, key));
}

// Writing opens or creates the key as the row says.
RegistryKey OpenForWrite(TweakContext& ctx, const ScopeKey& scope, const KeyRef& key) {
  const std::string path = std::string(scope.prefix) + key.path;
  switch (key.mode) {
    case KeyMode::kCreated: return RegistryKey::Create(ctx.registry, scope.root, path);
    case KeyMode::kCreatedForAllUsers:
      return scope.allUsers ? RegistryKey::Create(ctx.registry, scope.root, path)
                            : RegistryKey::Open(ctx.registry, scope.root, path);
    case KeyMode::kOpenedThenCreated:
      return RegistryKey::Open(ctx.registry, scope.root, path).CreateSubKey(key.createdSubKey);
    case KeyMode::kOpened: break;
  }
  return RegistryKey::Open(ctx.registry, scope.root, path);
}

// The key path's parent and last name ("" and the path for a top-level key).
std::pair<std::string, std::string> SplitLast(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

void Store(const RegistryKey& key, const ValueWrite& write) {
  switch (write.kind) {
    case Stored::kDword:
    case Stored::kCheckState: key.WriteDword(write.name, write.number); break;
    case Stored::kText: key.WriteText(write.name, write.text, reg::kSz); break;
    case Stored::kExpandText: key.WriteText(write.name, write.text, reg::kExpandSz); break;
    case Stored::kBinary32: key.WriteBinary(write.name, LittleEndian(write.number)); break;
    case Stored::kBinary: key.WriteBinary(write.name, write.bytes); break;
    case Stored::kDeleted:
    case Stored::kDeletedInKey: key.DeleteValue(write.name); break;
    case Stored::kKeyDeleted:
    case Stored::kNothing: break;
  }
}

// A scope that only removes values removes them by path (SHDeleteValueA),
// which creates nothing; a row that records after the open records when the
// key is there to open.
void DeleteScope(TweakContext& ctx, const ScopeKey& scope, const KeyRef& keyRef, RecordPoint history,
                 const std::vector<ValueWrite>& writes) {
  if (history == RecordPoint::kAfterOpen) {
    if (!OpenForLoad(ctx, scope, keyRef)) return;
    ctx.RecordTweakChange();
  }
  for (const ValueWrite& w : writes)
    if (w.kind == Stored::kDeleted) DeleteValueAt(ctx.registry, scope.root, LoadPath(scope, keyRef), w.name);
}

// A scope whose state removes the key itself: RegDeleteKeyA under the opened
// parent (a key with subkeys stays).
void DeleteKeyScope(TweakContext& ctx, const ScopeKey& scope, const KeyRef& keyRef, RecordPoint history) {
  const auto [parent, name] = SplitLast(LoadPath(scope, keyRef));
  const RegistryKey key = RegistryKey::Open(ctx.registry, scope.root, parent);
  if (!key) return;
  if (history == RecordPoint::kAfterOpen) ctx.RecordTweakChange();
  key.DeleteSubKey(name);
}

// One scope of an apply: open or create the key, record the history when it
// is recorded after the open, then write. A scope with nothing to write opens
// nothing and records nothing.
void WriteScope(TweakContext& ctx, const ScopeKey& scope, const KeyRef& keyRef, RecordPoint history,
                const std::vector<ValueWrite>& writes) {
  bool anything = false;
  bool onlyDeleting = true;
  for (const ValueWrite& w : writes) {
    if (w.kind == Stored::kKeyDeleted) {
      DeleteKeyScope(ctx, scope, keyRef, history);
      return;
    }
    anything = anything || w.kind != Stored::kNothing;
    onlyDeleting = onlyDeleting && (w.kind == Stored::kDeleted || w.kind == Stored::kNothing);
  }
  if (!anything) return;
  if (onlyDeleting) {
    DeleteScope(ctx, scope, keyRef, history, writes);
    return;
  }
  const RegistryKey key = OpenForWrite(ctx, scope, keyRef);
  if (!key) return;
  if (history == RecordPoint::kAfterOpen) ctx.RecordTweakChange();
  for (const ValueWrite& w : writes) Store(key, w);
}

bool Exists(const RegistryKey& key, const char* name) { return key.ReadBytes(name).has_value(); }

// Whether the value holds what `data` writes.
bool Holds(const RegistryKey& key, const char* name, const StoredData& data, bool anyCase = false) {
  switch (data.kind) {
    case Stored::kDword: {
      if (!data.leadingBytes) return key.ReadDword(name) == data.number;
      const auto bytes = key.ReadBytes(name);
      if (!bytes) return false;
      std::uint32_t number = 0;
      for (std::size_t i = 0; i < 4 && i < bytes->size(); ++i) number |= static_cast<std::uint32_t>((*bytes)[i]) << (8 * i);
      return number == data.number;
    }
    case Stored::kText:
    case Stored::kExpandText: {
      const std::optional<std::string> text = key.ReadText(name);
      if (!text) return false;
      return data.anyCase || anyCase ? EqualsIgnoringCase(*text, data.text) : *text == data.text;
    }
    case Stored::kCheckState: return key.ReadDword(name) == 1u;
    case Stored::kBinary32: {
      const auto bytes = key.ReadBytes(name);
      return bytes && bytes->size() >= 4 && std::equal(bytes->begin(), bytes->begin() + 4, LittleEndian(data.number).begin());
    }
    case Stored::kBinary: {
      const auto bytes = key.ReadBytes(name);
      return bytes && std::equal(bytes->begin(), bytes->end(), data.bytes.begin(), data.bytes.end());
    }
    case Stored::kDeleted:
    case Stored::kDeletedInKey: return key.IsOpen() && !Exists(key, name);
    case Stored::kKeyDeleted: return !key.IsOpen();
    case Stored::kNothing: break;
  }
  return false;
}

bool ValueChecks(const RegistryKey& key, const char* name, const CheckData& writes, CheckedWhen rule) {
  switch (rule) {
    case CheckedWhen::kOn: return Holds(key, name, writes.checked);
    case CheckedWhen::kExists: return Exists(key, name);
    case CheckedWhen::kOnOrAbsent: return !Exists(key, name) || Holds(key, name, writes.checked);
    case CheckedWhen::kAsStored: return key.ReadDword(name).value_or(0) != 0;
    case CheckedWhen::kUnlessOff: return !Holds(key, name, writes.unchecked, true);
  }
  return false;
}

bool IsChecked(const RegistryKey& key, const ValueNames& values, const CheckData& writes, CheckedWhen rule) {
  for (const char* name : values.names)
    if (name && !ValueChecks(key, name, writes, rule)) return false;
  return true;
}

const StoredData& DataFor(const CheckData& writes, int state) { return state == 1 ? writes.checked : writes.unchecked; }

constexpr CheckBoxRef kFirstBox{page::kMultiCheck, control::kCheck1};

// "%i" of a stored 32-bit number, which the edit shows signed.
std::string FormatNumber(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", static_cast<int>(value));
  return text;
}

}  // namespace

void ShowWithText(TweakContext& ctx, int pageId, int controlId, const char* text) {
  ctx.pages.ShowControl(pageId, controlId, true);
  if (text) ctx.pages.SetText(pageId, controlId, text);
}

void ShowCheckBox(TweakContext& ctx, int pageId, int controlId, const char* caption, int state) {
  ShowWithText(ctx, pageId, controlId, caption);
  ctx.pages.SetCheck(pageId, controlId, state);
}

void ShowTweakPage(TweakContext& ctx, int pageId, int tweakId, const char* note) {
  ctx.pages.ShowPage(pageId, true);
  ctx.pages.ShowControl(page::kMainWindow, page::kApplyButton, true);
  if (tweakId >= 0 && static_cast<std::size_t>(tweakId) < ctx.table.size())
    ctx.pages.SetText(pageId, control::kDescription, DescriptionText(ctx.table[static_cast<std::size_t>(tweakId)]));
  if (note) ShowWithText(ctx, pageId, control::kNote, note);
}

void FillNumbers(TweakContext& ctx, int pageId, int comboId, int last) {
  // The last item's data marks a list this fill made (emptying the combo
  // drops it); the numbers are told by their index, not their data.
  constexpr std::uintptr_t kFilledWithNumbers = 0x4E756D73;
  IPageHost& pages = ctx.pages;
  if (pages.ComboCount(pageId, comboId) == last + 1 &&
      pages.ComboGetItemData(pageId, comboId, last) == kFilledWithNumbers) {
    pages.ComboSetCurSel(pageId, comboId, -1);
    return;
  }
  pages.ComboReset(pageId, comboId);
  for (int number = 0; number <= last; ++number) pages.ComboAddString(pageId, comboId, std::to_string(number));
  pages.ComboSetItemData(pageId, comboId, last, kFilledWithNumbers);
}

void ShowNumberField(TweakContext& ctx, int pageId, const NumberField& field) {
  FillNumbers(ctx, pageId, field.comboId, field.last);
  ShowWithText(ctx, pageId, field.labelId, field.label);
  ctx.pages.ShowControl(pageId, field.comboId, true);
}

bool TakeTypedNumbers(TweakContext& ctx, int pageId, std::span<const NumberField> fields) {
  for (const NumberField& combo : fields) {
    if (!ctx.pages.IsControlEnabled(pageId, combo.comboId)) continue;
    const std::string text = ctx.pages.GetText(pageId, combo.comboId);
    if (text.empty()) continue;
    const bool digits = text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits && std::stoi(text) <= combo.last) {
      ctx.pages.ComboSetCurSel(pageId, combo.comboId, std::stoi(text));
      continue;
    }
    std::string field = combo.label;
    while (!field.empty() && (field.back() == ':' || field.back() == ' ')) field.pop_back();
    ctx.platform.ShowMessage("\"" + field + "\" takes a whole number from 0 to " + std::to_string(combo.last) +
                                 ".\n\nNothing was changed.",
                             ctx.language.GetLangString(kAlertCaption), mb::kIconError);
    return false;
  }
  return true;
}

void WriteSelectedNumbers(TweakContext& ctx, int pageId, const RegistryKey& key, std::span<const NumberField> fields,
                          std::uint32_t type) {
  for (const NumberField& field : fields) {
    const int selected = ctx.pages.ComboGetCurSel(pageId, field.comboId);
    if (selected < 0 || selected > field.last) continue;
    if (type == reg::kDword)
      key.WriteDword(field.value, static_cast<std::uint32_t>(selected));
    else
      key.WriteText(field.value, std::to_string(selected));
  }
}

bool PassGate(TweakContext& ctx, const VersionGate& gate, RecordPoint history, std::optional<CheckBoxRef> box) {
  if (gate.alertId != 0 &&
      !RequireVersion(ctx.Gate(), gate.admitted, gate.alertId, gate.reverts ? box : std::nullopt))
    return false;
  if (history == RecordPoint::kAtGate) ctx.RecordTweakChange();
  return true;
}

// --- CheckRow ---------------------------------------------------------------

void LoadShape(TweakContext& ctx, const CheckRow& row) {
  ShowTweakPage(ctx, page::kMultiCheck, row.tweakId, row.note);
  for (const ScopeControl& scope : CheckScopes(row)) {
    if (!scope.loads) continue;
    ShowWithText(ctx, page::kMultiCheck, scope.control, scope.text);
    const RegistryKey key = OpenForLoad(ctx, scope.key, row.key);
    ctx.pages.SetCheck(page::kMultiCheck, scope.control, IsChecked(key, row.values, row.writes, row.load) ? 1 : 0);
  }
}

void ApplyShape(TweakContext& ctx, const CheckRow& row) {
  if (!PassGate(ctx, row.gate, row.history, kFirstBox)) return;
  for (const ScopeControl& scope : CheckScopes(row)) {
    const int state = ctx.pages.GetCheck(page::kMultiCheck, scope.control);
    std::vector<ValueWrite> writes;
    for (const char* name : row.values.names)
      if (name) writes.push_back(MakeWrite(name, DataFor(row.writes, state), state));
    WriteScope(ctx, scope.key, row.key, row.history, writes);
  }
}

// --- CheckListRow -----------------------------------------------------------

namespace {

// The key of a box: the row's, or a key of its own below the row's root.
KeyRef BoxKey(const CheckListRow& row, const CheckItem& box) {
  return box.ownKey ? KeyRef{box.ownKey, nullptr, KeyMode::kOpened} : row.key;
}

}  // namespace

void LoadShape(TweakContext& ctx, const CheckListRow& row) {
  ShowTweakPage(ctx, page::kMultiCheck, row.tweakId, row.note);
  const ScopeKey scope{row.root};
  const RegistryKey rowKey = OpenForLoad(ctx, scope, row.key);
  // A box standing for several values is checked when each value it loads from checks it.
  std::vector<std::pair<int, bool>> states;
  for (const CheckItem& box : row.boxes) {
    auto state = std::find_if(states.begin(), states.end(), [&](const auto& s) { return s.first == box.controlId; });
    if (state == states.end()) {
      ShowWithText(ctx, page::kMultiCheck, box.controlId, box.caption);
      states.push_back({box.controlId, true});
      state = states.end() - 1;
    }
    if (!box.loads) continue;
    const bool checks = box.ownKey ? ValueChecks(OpenForLoad(ctx, scope, BoxKey(row, box)), box.value, box.writes, row.load)
                                   : ValueChecks(rowKey, box.value, box.writes, row.load);
    state->second = state->second && checks;
  }
  for (const auto& [control, checked] : states) ctx.pages.SetCheck(page::kMultiCheck, control, checked ? 1 : 0);
}

void ApplyShape(TweakContext& ctx, const CheckListRow& row) {
  if (!PassGate(ctx, row.gate, row.history, kFirstBox)) return;
  const ScopeKey scope{row.root};
  bool allUnchecked = true;
  for (const CheckItem& box : row.boxes) allUnchecked = allUnchecked && ctx.pages.GetCheck(page::kMultiCheck, box.controlId) != 1;
  if (allUnchecked && row.allUnchecked == AllUnchecked::kRemovesKey) {
    DeleteKeyScope(ctx, scope, row.key, row.history);
    return;
  }
  std::vector<ValueWrite> writes;
  for (const CheckItem& box : row.boxes) {
    const int state = ctx.pages.GetCheck(page::kMultiCheck, box.controlId);
    ValueWrite write = MakeWrite(box.value, DataFor(box.writes, state), state);
    if (!box.ownKey) {
      writes.push_back(std::move(write));
      continue;
    }
    // A box over a key of its own is written there; a missing key skips it.
    if (OpenForLoad(ctx, scope, BoxKey(row, box))) WriteScope(ctx, scope, BoxKey(row, box), row.history, {write});
  }
  WriteScope(ctx, scope, row.key, row.history, writes);
}

// --- ComboRow ---------------------------------------------------------------

namespace {

// The item the stored value names, or the row's choice where none does.
int StoredItem(const RegistryKey& key, const char* value, std::span<const ComboItem> items, const ComboLoad& load) {
  if (!key) return load.keyMissing;
  if (!Exists(key, value)) return load.valueAbsent;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const StoredData& stored = items[i].stored;
    if (stored.kind != Stored::kDeleted && stored.kind != Stored::kDeletedInKey && Holds(key, value, stored))
      return static_cast<int>(i);
  }
  return load.unknownValue;
}

void FillCombo(TweakContext& ctx, int pageId, int comboId, std::span<const ComboItem> items) {
  ctx.pages.ShowControl(pageId, comboId, true);
  ctx.pages.ComboReset(pageId, comboId);
  for (const ComboItem& item : items) ctx.pages.ComboAddString(pageId, comboId, item.text);
}

const StoredData& SelectedData(TweakContext& ctx, int pageId, int comboId, std::span<const ComboItem> items,
                               const StoredData& noSelection) {
  const int selected = ctx.pages.ComboGetCurSel(pageId, comboId);
  const bool inRange = selected >= 0 && static_cast<std::size_t>(selected) < items.size();
  return inRange ? items[static_cast<std::size_t>(selected)].stored : noSelection;
}

}  // namespace

void LoadShape(TweakContext& ctx, const ComboRow& row) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, row.tweakId, row.note);
  for (const ScopeControl& scope : ComboScopes(row)) {
    if (!scope.loads) continue;
    ShowWithText(ctx, kPage, scope.label, scope.text);
    FillCombo(ctx, kPage, scope.control, row.items);
    const RegistryKey key = OpenForLoad(ctx, scope.key, row.key);
    ctx.pages.ComboSetCurSel(kPage, scope.control, StoredItem(key, row.value, row.items, row.load));
  }
}

void ApplyShape(TweakContext& ctx, const ComboRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  for (const ScopeControl& scope : ComboScopes(row)) {
    const StoredData& data = SelectedData(ctx, page::kComboCheck, scope.control, row.items, row.noSelection);
    WriteScope(ctx, scope.key, row.key, row.history, {MakeWrite(row.value, data)});
  }
}

// --- EditRow ----------------------------------------------------------------

namespace {

// The edit's text as stored text or number.
std::optional<std::string> StoredEditText(TweakContext& ctx, const RegistryKey& key, const char* value,
                                          std::uint32_t type, EditForm form, const char* cutAt = "") {
  if (type == reg::kDword) {
    const auto number = key.ReadDword(value);
    if (!number) return std::nullopt;
    return FormatNumber(*number);
  }
  std::optional<std::string> text = key.ReadText(value);
  if (!text) return std::nullopt;
  if (*cutAt) text = text->substr(0, text->find(cutAt));
  if (form == EditForm::kSystemRoot) text = FromSystemRoot(*text, ctx.platform.WindowsDirectory());
  return text;
}

// What an edit's text writes: the text (with the suffix), or its decimal
// number; the empty rule for an empty edit. Nothing when nothing is written
// (a number beyond the 32-bit range has no sound value).
std::optional<ValueWrite> EditWrite(TweakContext& ctx, const char* value, std::uint32_t type, EditForm form,
                                    const IfEmpty& ifEmpty, const std::string& text, const char* suffix = "") {
  if (text.empty()) {
    switch (ifEmpty.action) {
      case EmptyEdit::kAlert: ShowAlert(ctx.Gate(), ifEmpty.alertId); return std::nullopt;
      case EmptyEdit::kDeleteValue: return ValueWrite{value, Stored::kDeleted, 0, {}, {}};
      case EmptyEdit::kWriteNothing: return std::nullopt;
      case EmptyEdit::kWriteEmpty: break;
    }
  }
  if (type == reg::kDword) {
    const std::optional<int> number = ParseDecimal(text);
    if (!number) return std::nullopt;
    return ValueWrite{value, Stored::kDword, static_cast<std::uint32_t>(*number), {}, {}};
  }
  std::string stored = text + suffix;
  if (form == EditForm::kSystemRoot) stored = ToSystemRoot(stored, ctx.platform.WindowsDirectory());
  return ValueWrite{value, type == reg::kExpandSz ? Stored::kExpandText : Stored::kText, 0, std::move(stored), {}};
}

std::vector<ScopeControl> EditScopes(const EditRow& row) {
  return Scopes(row.root, {control::kEdit1, control::kLabel1, row.label},
                {control::kEdit2, control::kLabel2, row.allUsersLabel});
}

}  // namespace

void LoadShape(TweakContext& ctx, const EditRow& row) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, row.tweakId, row.note);
  if (row.browse != Browse::kNone) ctx.pages.ShowControl(kPage, control::kBrowse1, true);
  for (const ScopeControl& scope : EditScopes(row)) {
    if (!scope.loads) continue;
    ShowWithText(ctx, kPage, scope.label, scope.text);
    ShowWithText(ctx, kPage, scope.control, "");
    const RegistryKey key = OpenForLoad(ctx, scope.key, row.key);
    if (auto text = StoredEditText(ctx, key, row.value, row.type, row.form, row.cutAt))
      ctx.pages.SetText(kPage, scope.control, *text);
  }
}

void ApplyShape(TweakContext& ctx, const EditRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  for (const ScopeControl& scope : EditScopes(row)) {
    const std::string text = ctx.pages.GetText(page::kEditCheck, scope.control);
    // A required edit alerts once, whatever the scopes.
    if (text.empty() && row.ifEmpty.action == EmptyEdit::kAlert && !scope.loads) continue;
    if (auto write = EditWrite(ctx, row.value, row.type, row.form, row.ifEmpty, text, row.suffix))
      WriteScope(ctx, scope.key, row.key, row.history, {*write});
  }
}

// --- ListChoiceRow ----------------------------------------------------------

void LoadShape(TweakContext& ctx, const ListChoiceRow& row) {
  constexpr int kPage = page::kListCheck;
  ShowTweakPage(ctx, kPage, row.tweakId);
  ctx.pages.ShowControl(kPage, control::kList, true);
  ctx.listColumns.Replace(ctx.pages, {{row.columns[0].heading, row.columns[0].width},
                                      {row.columns[1].heading, row.columns[1].width}});
  for (std::size_t i = 0; i < row.rows.size(); ++i) {
    const int index = static_cast<int>(i);
    ctx.pages.ListInsertItem(kPage, control::kList, index, row.rows[i].first);
    ctx.pages.ListSetItemText(kPage, control::kList, index, 1, row.rows[i].second);
  }
  const std::optional<std::uint32_t> stored = OpenForLoad(ctx, {row.root}, row.key).ReadDword(row.value);
  if (stored && *stored < row.rows.size()) ctx.pages.ListSelectRow(kPage, control::kList, static_cast<int>(*stored));
}

void ApplyShape(TweakContext& ctx, const ListChoiceRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  const int selected = ctx.pages.ListSelectedRow(page::kListCheck, control::kList);
  if (selected < 0) return;
  WriteScope(ctx, {row.root}, row.key, row.history, {MakeWrite(row.value, Dword(static_cast<std::uint32_t>(selected)))});
}

// --- ColorRow ---------------------------------------------------------------

namespace {

std::optional<ColorRef> ReadColor(const RegistryKey& key, const char* value, ColorForm form) {
  if (form == ColorForm::kBinary) {
    const auto bytes = key.ReadBytes(value);
    return bytes ? ColorFromBinary(*bytes) : std::nullopt;
  }
  const auto text = key.ReadText(value);
  return text ? std::optional<ColorRef>(ColorFromRgbText(*text)) : std::nullopt;
}

}  // namespace

void LoadShape(TweakContext& ctx, const ColorRow& row) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, row.tweakId, row.note);
  ShowWithText(ctx, kPage, control::kLabel1, row.label);
  ctx.pages.ShowControl(kPage, control::kColorCombo, true);
  // Filling clears the random colour the page starts with.
  FillColors(ctx.pages, kPage, control::kColorCombo);
  if (const auto color = ReadColor(OpenForLoad(ctx, {row.root}, row.key), row.value, row.form))
    SelectColor(ctx.pages, kPage, control::kColorCombo, *color);
}

void ApplyShape(TweakContext& ctx, const ColorRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  if (ctx.pages.ComboGetCurSel(page::kComboCheck, control::kColorCombo) < 0) return;
  const ColorRef color = GetSelectedColor(ctx.pages, page::kComboCheck, control::kColorCombo);
  const std::array<std::uint8_t, 4> binary = ColorToBinary(color);
  ValueWrite write = row.form == ColorForm::kBinary
                         ? ValueWrite{row.value, Stored::kBinary, 0, {}, {binary.begin(), binary.end()}}
                         : ValueWrite{row.value, Stored::kText, 0, ColorToRgbText(color), {}};
  WriteScope(ctx, {row.root}, row.key, row.history, {write});
}

// --- FieldsRow --------------------------------------------------------------

void LoadShape(TweakContext& ctx, const FieldsRow& row) {
  ShowTweakPage(ctx, row.pageId, row.tweakId, row.note);
  const RegistryKey key = OpenForLoad(ctx, {row.root}, row.key);
  for (const Field& field : row.fields) {
    ShowWithText(ctx, row.pageId, field.labelId, field.label);
    if (field.kind == FieldKind::kCombo) {
      FillCombo(ctx, row.pageId, field.controlId, field.items);
      ctx.pages.ComboSetCurSel(row.pageId, field.controlId, StoredItem(key, field.value, field.items, field.load));
      continue;
    }
    ShowWithText(ctx, row.pageId, field.controlId, "");
    if (field.browseId) ctx.pages.ShowControl(row.pageId, field.browseId, true);
    if (auto text = StoredEditText(ctx, key, field.value, field.type, field.form))
      ctx.pages.SetText(row.pageId, field.controlId, *text);
  }
}

void ApplyShape(TweakContext& ctx, const FieldsRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  std::vector<ValueWrite> writes;
  for (const Field& field : row.fields) {
    if (field.kind == FieldKind::kCombo) {
      writes.push_back(MakeWrite(field.value, SelectedData(ctx, row.pageId, field.controlId, field.items, field.noSelection)));
      continue;
    }
    const std::string text = ctx.pages.GetText(row.pageId, field.controlId);
    if (auto write = EditWrite(ctx, field.value, field.type, field.form, field.ifEmpty, text)) writes.push_back(*write);
  }
  WriteScope(ctx, {row.root}, row.key, row.history, writes);
}

// --- SubkeyBoxesRow ---------------------------------------------------------

void LoadShape(TweakContext& ctx, const SubkeyBoxesRow& row) {
  ShowTweakPage(ctx, page::kMultiCheck, row.tweakId, row.note);
  const RegistryKey parent = RegistryKey::Open(ctx.registry, row.root, row.parent);
  for (const SubkeyBox& box : row.boxes) {
    ShowWithText(ctx, page::kMultiCheck, box.controlId, box.caption);
    const bool absent = !parent.OpenSubKey(box.subkey);
    ctx.pages.SetCheck(page::kMultiCheck, box.controlId, absent ? 1 : 0);
  }
}

void ApplyShape(TweakContext& ctx, const SubkeyBoxesRow& row) {
  if (!PassGate(ctx, row.gate, row.history, kFirstBox)) return;
  const RegistryKey parent = RegistryKey::Open(ctx.registry, row.root, row.parent);
  if (!parent) return;
  if (row.history == RecordPoint::kAfterOpen) ctx.RecordTweakChange();
  for (const SubkeyBox& box : row.boxes) {
    if (ctx.pages.GetCheck(page::kMultiCheck, box.controlId) == 1) {
      if (box.removal == SubkeyRemoval::kTree)
        parent.DeleteTree(box.subkey);
      else
        parent.DeleteSubKey(box.subkey);
    } else if (!parent.OpenSubKey(box.subkey)) {
      parent.CreateSubKey(box.subkey);
    }
  }
}

// --- The Windows directory and %SystemRoot% ---------------------------------

// --- ApplicationListRow -----------------------------------------------------

namespace {

constexpr const char* kApplications = "Applications";

}  // namespace

void LoadShape(TweakContext& ctx, const ApplicationListRow& row) {
  constexpr int kPage = page::kList;
  ShowTweakPage(ctx, kPage, row.tweakId);
  ctx.pages.ShowControl(kPage, control::kCheckList, true);
  ctx.pages.ListDeleteAllItems(kPage, control::kCheckList);
  const RegistryKey applications = RegistryKey::Open(ctx.registry, kHKCR, kApplications);
  int index = 0;
  for (const std::string& name : applications.SubKeyNames()) {
    if (!row.offers(applications, name)) continue;
    ctx.pages.ListInsertItem(kPage, control::kCheckList, index, name);
    const RegistryKey application = applications.OpenSubKey(name);
    ctx.pages.ListSetCheck(kPage, control::kCheckList, index, application && !application.ReadBytes(row.flag));
    ++index;
  }
}

void ApplyShape(TweakContext& ctx, const ApplicationListRow& row) {
  constexpr int kPage = page::kList;
  if (!PassGate(ctx, row.gate, RecordPoint::kAtGate)) return;
  const RegistryKey applications = RegistryKey::Open(ctx.registry, kHKCR, kApplications);
  if (!applications) return;
  for (int index = 0; index < ctx.pages.ListItemCount(kPage, control::kCheckList); ++index) {
    const std::string name = ctx.pages.ListItemText(kPage, control::kCheckList, index, 0);
    if (!row.offers(applications, name)) continue;
    const RegistryKey application = applications.OpenSubKey(name);
    if (!application) continue;
    if (ctx.pages.ListGetCheck(kPage, control::kCheckList, index))
      application.DeleteValue(row.flag);
    else
      application.WriteText(row.flag, "");
  }
}

std::string ReplaceEach(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string result;
  std::size_t at = 0;
  for (std::size_t found; (found = text.find(from, at)) != std::string::npos; at = found + from.size())
    result.append(text, at, found - at).append(to);
  return result.append(text, at, std::string::npos);
}

namespace {

constexpr const char* kSystemRootVariable = "%SystemRoot%";

}  // namespace

std::string ToSystemRoot(const std::string& text, const std::string& windowsDir) {
  return ReplaceEach(text, windowsDir, kSystemRootVariable);
}

std::string FromSystemRoot(const std::string& text, const std::string& windowsDir) {
  return windowsDir.empty() ? text : ReplaceEach(text, kSystemRootVariable, windowsDir);
}

}  // namespace corvandel

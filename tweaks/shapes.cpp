#include "tweaks/shapes.h"

#include <cstdio>
#include <string>
#include <vector>

#include "services/decimal.h"
#include "services/reg_conventions.h"
#include "services/registry_key.h"

namespace corvandel {

namespace {

// One value to write (or delete) once the key is open; check states and
// edit texts are resolved into it before anything is opened.
struct ValueWrite {
  const char* name;
  Stored kind;
  std::uint32_t number = 0;
  std::string text;
};

ValueWrite MakeWrite(const char* name, const StoredData& data, int checkState = 0) {
  if (data.kind == Stored::kCheckState)
    return {name, Stored::kDword, CheckToValue(CheckEncoding::kRaw, checkState), {}};
  return {name, data.kind, data.number, data.text ? data.text : ""};
}

// The control of one scope, with its label and the text shown there.
struct ScopeControl {
  int control;
  int label;
  const char* text;
  RegKey root = 0;
};

// The scopes a row reads and writes, in that order: its own root with the
// first control, or for a pair Current User with the first and All Users with
// the second.
std::vector<ScopeControl> Scopes(RegKey root, ScopeControl first, ScopeControl second) {
  if (root != kPair) {
    first.root = root;
    return {first};
  }
  first.root = RootOf(Scope::kCurrentUser);
  second.root = RootOf(Scope::kAllUsers);
  return {first, second};
}

std::vector<ScopeControl> CheckScopes(const CheckRow& row) {
  return Scopes(row.root, {control::kCheck1, 0, row.caption}, {control::kCheck2, 0, row.allUsersCaption});
}

std::vector<ScopeControl> ComboScopes(const ComboRow& row) {
  return Scopes(row.root, {control::kCombo1, control::kLabel1, row.label},
                {control::kCombo2, control::kLabel2, row.allUsersLabel});
}

std::string LoadPath(const KeyRef& key) {
  return key.createdSubKey ? std::string(key.path) + "\\" + key.createdSubKey : std::string(key.path);
}

RegistryKey OpenForLoad(TweakContext& ctx, RegKey root, const KeyRef& key) {
  return RegistryKey::Open(ctx.registry, root, LoadPath(key));
}

// Writing opens or creates the key as the row says.
RegistryKey OpenForWrite(TweakContext& ctx, RegKey root, const KeyRef& key) {
  if (key.create) return RegistryKey::Create(ctx.registry, root, key.path);
  if (key.createdSubKey) return RegistryKey::Open(ctx.registry, root, key.path).CreateSubKey(key.createdSubKey);
  return RegistryKey::Open(ctx.registry, root, key.path);
}

void Store(const RegistryKey& key, const ValueWrite& write) {
  switch (write.kind) {
    case Stored::kDword:
    case Stored::kCheckState: key.WriteDword(write.name, write.number); break;
    case Stored::kText: key.WriteText(write.name, write.text, reg::kSz); break;
    case Stored::kExpandText: key.WriteText(write.name, write.text, reg::kExpandSz); break;
    case Stored::kDeleted: key.DeleteValue(write.name); break;
    case Stored::kNothing: break;
  }
}

// A scope that only removes values removes them by path (SHDeleteValueA),
// which creates nothing; a row that records after the open records when the
// key is there to open.
void DeleteScope(TweakContext& ctx, RegKey root, const KeyRef& keyRef, RecordPoint history,
                 const std::vector<ValueWrite>& writes) {
  if (history == RecordPoint::kAfterOpen) {
    if (!OpenForLoad(ctx, root, keyRef)) return;
    ctx.RecordTweakChange();
  }
  for (const ValueWrite& w : writes)
    if (w.kind == Stored::kDeleted) DeleteValueAt(ctx.registry, root, LoadPath(keyRef), w.name);
}

// One scope of an apply: open or create the key, record the history when it
// is recorded after the open, then write. A scope with nothing to write opens
// nothing and records nothing.
void WriteScope(TweakContext& ctx, RegKey root, const KeyRef& keyRef, RecordPoint history,
                const std::vector<ValueWrite>& writes) {
  bool anything = false;
  bool onlyDeleting = true;
  for (const ValueWrite& w : writes) {
    anything = anything || w.kind != Stored::kNothing;
    onlyDeleting = onlyDeleting && (w.kind == Stored::kDeleted || w.kind == Stored::kNothing);
  }
  if (!anything) return;
  if (onlyDeleting) {
    DeleteScope(ctx, root, keyRef, history, writes);
    return;
  }
  const RegistryKey key = OpenForWrite(ctx, root, keyRef);
  if (!key) return;
  if (history == RecordPoint::kAfterOpen) ctx.RecordTweakChange();
  for (const ValueWrite& w : writes) Store(key, w);
}

bool Exists(const RegistryKey& key, const char* name) { return key.ReadBytes(name).has_value(); }

// Whether the value holds what `data` writes.
bool Holds(const RegistryKey& key, const char* name, const StoredData& data) {
  switch (data.kind) {
    case Stored::kDword: return key.ReadDword(name) == data.number;
    case Stored::kText:
    case Stored::kExpandText: return key.ReadText(name) == std::string(data.text);
    case Stored::kCheckState: return CheckFromValue(CheckEncoding::kRaw, key.ReadDword(name)) == 1;
    case Stored::kDeleted: return key.IsOpen() && !Exists(key, name);
    case Stored::kNothing: break;
  }
  return false;
}

bool IsChecked(const RegistryKey& key, const ValueNames& values, const StoredData& checked, CheckedWhen rule) {
  for (const char* name : values.names) {
    if (!name) continue;
    switch (rule) {
      case CheckedWhen::kOn:
        if (!Holds(key, name, checked)) return false;
        break;
      case CheckedWhen::kExists:
        if (!Exists(key, name)) return false;
        break;
      case CheckedWhen::kOnOrAbsent:
        if (Exists(key, name) && !Holds(key, name, checked)) return false;
        break;
    }
  }
  return true;
}

const StoredData& DataFor(const CheckData& writes, int state) { return state == 1 ? writes.checked : writes.unchecked; }

void ShowWithText(TweakContext& ctx, int pageId, int controlId, const char* text) {
  ctx.pages.ShowControl(pageId, controlId, true);
  if (text) ctx.pages.SetText(pageId, controlId, text);
}

constexpr CheckBoxRef kFirstBox{page::kMultiCheck, control::kCheck1};

// "%i" of a stored 32-bit number, which the edit shows signed.
std::string FormatNumber(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", static_cast<int>(value));
  return text;
}

}  // namespace

void ShowTweakPage(TweakContext& ctx, int pageId, int tweakId, const char* note) {
  ctx.pages.ShowPage(pageId, true);
  ctx.pages.ShowControl(page::kMainWindow, page::kApplyButton, true);
  if (tweakId >= 0 && static_cast<std::size_t>(tweakId) < ctx.table.size())
    ctx.pages.SetText(pageId, control::kDescription, DescriptionText(ctx.table[static_cast<std::size_t>(tweakId)]));
  if (note) ShowWithText(ctx, pageId, control::kNote, note);
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
    ShowWithText(ctx, page::kMultiCheck, scope.control, scope.text);
    const RegistryKey key = OpenForLoad(ctx, scope.root, row.key);
    ctx.pages.SetCheck(page::kMultiCheck, scope.control, IsChecked(key, row.values, row.writes.checked, row.load) ? 1 : 0);
  }
}

void ApplyShape(TweakContext& ctx, const CheckRow& row) {
  if (!PassGate(ctx, row.gate, row.history, kFirstBox)) return;
  for (const ScopeControl& scope : CheckScopes(row)) {
    const int state = ctx.pages.GetCheck(page::kMultiCheck, scope.control);
    std::vector<ValueWrite> writes;
    for (const char* name : row.values.names)
      if (name) writes.push_back(MakeWrite(name, DataFor(row.writes, state), state));
    WriteScope(ctx, scope.root, row.key, row.history, writes);
  }
}

// --- CheckListRow -----------------------------------------------------------

void LoadShape(TweakContext& ctx, const CheckListRow& row) {
  ShowTweakPage(ctx, page::kMultiCheck, row.tweakId, row.note);
  const RegistryKey key = OpenForLoad(ctx, row.root, row.key);
  for (const CheckItem& box : row.boxes) {
    ShowWithText(ctx, page::kMultiCheck, box.controlId, box.caption);
    ctx.pages.SetCheck(page::kMultiCheck, box.controlId, IsChecked(key, box.value, box.writes.checked, row.load) ? 1 : 0);
  }
}

void ApplyShape(TweakContext& ctx, const CheckListRow& row) {
  if (!PassGate(ctx, row.gate, row.history, kFirstBox)) return;
  std::vector<ValueWrite> writes;
  for (const CheckItem& box : row.boxes) {
    const int state = ctx.pages.GetCheck(page::kMultiCheck, box.controlId);
    writes.push_back(MakeWrite(box.value, DataFor(box.writes, state), state));
  }
  WriteScope(ctx, row.root, row.key, row.history, writes);
}

// --- ComboRow ---------------------------------------------------------------

void LoadShape(TweakContext& ctx, const ComboRow& row) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, row.tweakId, row.note);
  for (const ScopeControl& scope : ComboScopes(row)) {
    ShowWithText(ctx, kPage, scope.label, scope.text);
    ctx.pages.ShowControl(kPage, scope.control, true);
    ctx.pages.ComboReset(kPage, scope.control);
    for (const ComboItem& item : row.items) ctx.pages.ComboAddString(kPage, scope.control, item.text);

    const RegistryKey key = OpenForLoad(ctx, scope.root, row.key);
    int selection = row.load.keyMissing;
    if (key) {
      selection = Exists(key, row.value) ? row.load.unknownValue : row.load.valueAbsent;
      if (Exists(key, row.value)) {
        for (std::size_t i = 0; i < row.items.size(); ++i) {
          const StoredData& stored = row.items[i].stored;
          if (stored.kind != Stored::kDeleted && Holds(key, row.value, stored)) {
            selection = static_cast<int>(i);
            break;
          }
        }
      }
    }
    ctx.pages.ComboSetCurSel(kPage, scope.control, selection);
  }
}

void ApplyShape(TweakContext& ctx, const ComboRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  for (const ScopeControl& scope : ComboScopes(row)) {
    const int selected = ctx.pages.ComboGetCurSel(page::kComboCheck, scope.control);
    const bool inRange = selected >= 0 && static_cast<std::size_t>(selected) < row.items.size();
    const StoredData& data = inRange ? row.items[static_cast<std::size_t>(selected)].stored : row.noSelection;
    WriteScope(ctx, scope.root, row.key, row.history, {MakeWrite(row.value, data)});
  }
}

// --- EditRow ----------------------------------------------------------------

void LoadShape(TweakContext& ctx, const EditRow& row) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, row.tweakId, row.note);
  ShowWithText(ctx, kPage, control::kLabel1, row.label);
  ShowWithText(ctx, kPage, control::kEdit1, "");
  if (row.browse) ctx.pages.ShowControl(kPage, control::kBrowse1, true);

  const RegistryKey key = OpenForLoad(ctx, row.root, row.key);
  if (row.type == reg::kDword) {
    if (auto number = key.ReadDword(row.value)) ctx.pages.SetText(kPage, control::kEdit1, FormatNumber(*number));
    return;
  }
  if (auto text = key.ReadText(row.value)) {
    if (*row.cutAt) text = text->substr(0, text->find(row.cutAt));
    ctx.pages.SetText(kPage, control::kEdit1, *text);
  }
}

void ApplyShape(TweakContext& ctx, const EditRow& row) {
  constexpr int kPage = page::kEditCheck;
  if (!PassGate(ctx, row.gate, row.history)) return;
  const std::string text = ctx.pages.GetText(kPage, control::kEdit1);
  if (text.empty()) {
    switch (row.ifEmpty.action) {
      case EmptyEdit::kAlert: ShowAlert(ctx.Gate(), row.ifEmpty.alertId); break;
      case EmptyEdit::kDeleteValue:
        WriteScope(ctx, row.root, row.key, row.history, {MakeWrite(row.value, Deleted())});
        break;
      case EmptyEdit::kWriteNothing: break;
    }
    return;
  }
  ValueWrite write{row.value, row.type == reg::kExpandSz ? Stored::kExpandText : Stored::kText, 0, text + row.suffix};
  if (row.type == reg::kDword) {
    // A number beyond the 32-bit range has no sound value: nothing is written.
    const std::optional<int> number = ParseDecimal(text);
    if (!number) return;
    write = {row.value, Stored::kDword, static_cast<std::uint32_t>(*number), {}};
  }
  WriteScope(ctx, row.root, row.key, row.history, {write});
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
  const std::optional<std::uint32_t> stored = OpenForLoad(ctx, row.root, row.key).ReadDword(row.value);
  if (stored && *stored < row.rows.size()) ctx.pages.ListSelectRow(kPage, control::kList, static_cast<int>(*stored));
}

void ApplyShape(TweakContext& ctx, const ListChoiceRow& row) {
  if (!PassGate(ctx, row.gate, row.history)) return;
  const int selected = ctx.pages.ListSelectedRow(page::kListCheck, control::kList);
  if (selected < 0) return;
  WriteScope(ctx, row.root, row.key, row.history, {MakeWrite(row.value, Dword(static_cast<std::uint32_t>(selected)))});
}

}  // namespace corvandel

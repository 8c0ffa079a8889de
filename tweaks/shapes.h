// Tweak shapes: most tweaks are one of a few editors over registry values,
// so they are written as rows of data and run by a few generic routines.
//
//   CheckRow        a check box over one or two values (all written alike), or
//                   a Current User / All Users pair of check boxes (1013, 1018)
//   CheckListRow    several check boxes of CMultiCheckPage, each over its own
//                   value in one key
//   ComboRow        a combo box whose item stands for a stored value, or a
//                   Current User / All Users pair of combos (1014/1021, 1019/1022)
//   EditRow         edit 1015 of CEditCheckPage holding a text or a number
//   ListChoiceRow   list 1007 of CListCheckPage whose selected row's index is
//                   stored
//
// Every row carries its key, value(s), what each control state stores, how
// the control loads, the version gate (admitted versions, alert, revert) and
// the point where the history is recorded. A category lists its rows in
// tables and turns them into TweakRoutines with RoutinesOf<table>(); tweaks
// that fit no shape are written as routines of their own.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include <optional>

#include "nav/category_tweaks.h"
#include "services/os_version.h"
#include "services/registry.h"
#include "services/version_gate.h"

namespace corvandel {

// Control IDs the tweak routines use (the pages' resource IDs).
namespace control {
inline constexpr int kDescription = 1006;
inline constexpr int kList = 1007;     // CListCheckPage list view
inline constexpr int kCheck1 = 1013;   // first check box; Current User box of a pair
inline constexpr int kLabel1 = 1014;
inline constexpr int kEdit1 = 1015;
inline constexpr int kCheck2 = 1018;   // All Users box of a pair
inline constexpr int kLabel2 = 1019;
inline constexpr int kCombo1 = 1021;   // Current User combo of a pair
inline constexpr int kCombo2 = 1022;   // All Users combo of a pair
inline constexpr int kBrowse1 = 1023;  // fills edit 1015
inline constexpr int kNote = 1024;
}  // namespace control

// ---------------------------------------------------------------------------
// What a control state stores.

enum class Stored : unsigned char {
  kDword,       // a 32-bit number
  kText,        // REG_SZ
  kExpandText,  // REG_EXPAND_SZ
  kDeleted,     // the value is removed (by path, SHDeleteValueA, where nothing else is written)
  kCheckState,  // the check box state as returned, as a 32-bit number ("raw")
  kNothing,     // nothing is written: the stored value stays
};

struct StoredData {
  Stored kind = Stored::kNothing;
  std::uint32_t number = 0;
  const char* text = nullptr;
};

constexpr StoredData Dword(std::uint32_t number) { return {Stored::kDword, number, nullptr}; }
constexpr StoredData Text(const char* text) { return {Stored::kText, 0, text}; }
constexpr StoredData ExpandText(const char* text) { return {Stored::kExpandText, 0, text}; }
constexpr StoredData Deleted() { return {Stored::kDeleted, 0, nullptr}; }
constexpr StoredData CheckState() { return {Stored::kCheckState, 0, nullptr}; }
constexpr StoredData Nothing() { return {Stored::kNothing, 0, nullptr}; }

// What a check box writes when checked and when unchecked.
struct CheckData {
  StoredData checked;
  StoredData unchecked;
};

inline constexpr CheckData kDirect{Dword(1), Dword(0)};
inline constexpr CheckData kInverted{Dword(0), Dword(1)};
inline constexpr CheckData kRaw{CheckState(), CheckState()};
inline constexpr CheckData kTextFlag{Text("1"), Text("0")};
constexpr CheckData Writes(StoredData checked, StoredData unchecked) { return {checked, unchecked}; }

// When a loaded check box is checked.
enum class CheckedWhen : unsigned char {
  kOn,          // every value holds what checking writes; otherwise unchecked
  kExists,      // every value exists, whatever its data
  kOnOrAbsent,  // starts checked; a value that exists must hold what checking writes
};

// ---------------------------------------------------------------------------
// Keys, gates and the history.

// Where the values live. Loads always open path (with createdSubKey below it);
// applies open it, or create it, or open path and create createdSubKey under
// it. Deleting never creates anything.
struct KeyRef {
  const char* path;
  const char* createdSubKey = nullptr;
  bool create = false;
};

constexpr KeyRef Opened(const char* path) { return {path, nullptr, false}; }
constexpr KeyRef Created(const char* path) { return {path, nullptr, true}; }
constexpr KeyRef OpenedThenCreated(const char* parent, const char* subKey) { return {parent, subKey, false}; }

// The root of a Current User / All Users pair: HKEY_CURRENT_USER with the
// first control, then HKEY_LOCAL_MACHINE with the second.
inline constexpr RegKey kPair = 0;

inline constexpr bool kReverts = true;     // a refusal puts check box 1013 back
inline constexpr bool kAlertOnly = false;  // a refusal only shows the alert

struct VersionGate {
  Versions admitted = Versions::kNone;
  int alertId = 0;  // 0: no gate
  bool reverts = kAlertOnly;  // check-box shapes only
};

inline constexpr VersionGate kNoGate{};

// The admitted-version sets the catalogue uses.
inline constexpr Versions kXp = Versions::kXP;
inline constexpr Versions kXp2000 = Versions::kXP | Versions::k2000;
inline constexpr Versions kXp2000Nt4 = Versions::kXP | Versions::k2000 | Versions::kNT4;
inline constexpr Versions kXp2000Me = Versions::kXP | Versions::k2000 | Versions::kMe;

// When the apply records the change in the history.
enum class RecordPoint : unsigned char {
  kAtGate,     // right after the gate passes (at the start when there is none),
               // before any required-edit alert
  kAfterOpen,  // after the key is opened or created, before writing; once per scope
  kNever,
};

// Several values written with the same data (at most two occur).
struct ValueNames {
  constexpr ValueNames(const char* first, const char* second = nullptr) : names{first, second} {}
  std::array<const char*, 2> names;
};

// ---------------------------------------------------------------------------
// The shapes.

// CMultiCheckPage: check box 1013 over the values; for a pair (root kPair)
// 1013 over HKEY_CURRENT_USER and 1018 over HKEY_LOCAL_MACHINE.
struct CheckRow {
  int tweakId;
  RegKey root;
  KeyRef key;
  ValueNames values;
  CheckData writes;
  CheckedWhen load;
  VersionGate gate;
  RecordPoint history;
  const char* note;             // note 1024; nullptr: none
  const char* caption;          // check box 1013
  const char* allUsersCaption;  // check box 1018 of a pair; nullptr otherwise
};

// CMultiCheckPage: several boxes, each over its own value in one key.
struct CheckItem {
  int controlId;
  const char* value;
  CheckData writes;
  const char* caption;
};

struct CheckListRow {
  int tweakId;
  RegKey root;
  KeyRef key;
  CheckedWhen load;
  VersionGate gate;
  RecordPoint history;
  const char* note;
  std::span<const CheckItem> boxes;  // written in this order
};

// CComboCheckPage: label 1014 and combo 1021; for a pair (root kPair) also
// label 1019 and combo 1022 over HKEY_LOCAL_MACHINE.
struct ComboItem {
  const char* text;
  StoredData stored;  // what choosing the item writes; a stored value selects it
};

inline constexpr int kNoItem = -1;

// The selection a combo loads with where the registry does not name an item.
struct ComboLoad {
  int keyMissing;    // the key cannot be opened
  int valueAbsent;   // the key opens but the value is absent
  int unknownValue;  // the value matches no item
};

struct ComboRow {
  int tweakId;
  RegKey root;
  KeyRef key;
  const char* value;
  std::span<const ComboItem> items;
  ComboLoad load;
  StoredData noSelection;  // written when no item is selected
  VersionGate gate;
  RecordPoint history;
  const char* note;
  const char* label;          // label 1014
  const char* allUsersLabel;  // label 1019 of a pair; nullptr otherwise
};

// CEditCheckPage: label 1014, edit 1015 and optionally browse button 1023.
enum class EmptyEdit : unsigned char {
  kAlert,        // shows the row's alert and writes nothing
  kDeleteValue,  // removes the value
  kWriteNothing,
};

struct IfEmpty {
  EmptyEdit action;
  int alertId = 0;
};

constexpr IfEmpty Alert(int alertId) { return {EmptyEdit::kAlert, alertId}; }
inline constexpr IfEmpty kDeleteWhenEmpty{EmptyEdit::kDeleteValue};
inline constexpr IfEmpty kSkipWhenEmpty{EmptyEdit::kWriteNothing};

inline constexpr bool kBrowse = true;
inline constexpr bool kNoBrowse = false;

struct EditRow {
  int tweakId;
  RegKey root;
  KeyRef key;
  const char* value;
  std::uint32_t type;  // reg::kSz, reg::kExpandSz, or reg::kDword (a decimal number)
  const char* cutAt;   // the edit shows the stored text up to this text; "" shows it all
  const char* suffix;  // appended to the edit text when written
  IfEmpty ifEmpty;
  VersionGate gate;
  RecordPoint history;
  bool browse;
  const char* note;
  const char* label;
};

// CListCheckPage: list 1007 with two columns; the selected row's index is
// stored as a 32-bit number. No selected row writes nothing.
struct ListColumn {
  const char* heading;
  int width;  // pixels
};

struct ListRow {
  const char* first;
  const char* second;
};

struct ListChoiceRow {
  int tweakId;
  RegKey root;
  KeyRef key;
  const char* value;
  VersionGate gate;
  RecordPoint history;
  std::array<ListColumn, 2> columns;
  std::span<const ListRow> rows;  // row i stands for the stored number i
};

// ---------------------------------------------------------------------------
// The generic routines.

void LoadShape(TweakContext& ctx, const CheckRow& row);
void ApplyShape(TweakContext& ctx, const CheckRow& row);
void LoadShape(TweakContext& ctx, const CheckListRow& row);
void ApplyShape(TweakContext& ctx, const CheckListRow& row);
void LoadShape(TweakContext& ctx, const ComboRow& row);
void ApplyShape(TweakContext& ctx, const ComboRow& row);
void LoadShape(TweakContext& ctx, const EditRow& row);
void ApplyShape(TweakContext& ctx, const EditRow& row);
void LoadShape(TweakContext& ctx, const ListChoiceRow& row);
void ApplyShape(TweakContext& ctx, const ListChoiceRow& row);

// Load step 1 and 2 shared by every tweak: the page, the Apply button and the
// description; the note label 1024 when note is not nullptr.
void ShowTweakPage(TweakContext& ctx, int pageId, int tweakId, const char* note = nullptr);

// The apply's start: the version gate (putting box back when the gate
// reverts), then the history when it is recorded at the gate. False: stop.
bool PassGate(TweakContext& ctx, const VersionGate& gate, RecordPoint history,
              std::optional<CheckBoxRef> box = std::nullopt);

template <typename Row, std::size_t N>
constexpr const Row* FindRow(const Row (&rows)[N], int tweakId) {
  for (const Row& row : rows)
    if (row.tweakId == tweakId) return &row;
  return nullptr;
}

// Plain load and apply routines over one table, as TweakRoutines wants them.
template <const auto& kRows>
void LoadFromTable(TweakContext& ctx, int tweakId) {
  if (const auto* row = FindRow(kRows, tweakId)) LoadShape(ctx, *row);
}

template <const auto& kRows>
void ApplyFromTable(TweakContext& ctx) {
  if (const auto* row = FindRow(kRows, ctx.currentTweakId)) ApplyShape(ctx, *row);
}

// One TweakRoutines entry per row of a table.
template <const auto& kRows>
constexpr auto RoutinesOf() {
  std::array<TweakRoutines, std::size(kRows)> routines{};
  for (std::size_t i = 0; i < routines.size(); ++i)
    routines[i] = {kRows[i].tweakId, &LoadFromTable<kRows>, &ApplyFromTable<kRows>};
  return routines;
}

// A category's routine table: the parts joined, in TweakId order.
template <std::size_t... N>
constexpr auto JoinRoutines(const std::array<TweakRoutines, N>&... parts) {
  std::array<TweakRoutines, (N + ... + 0)> all{};
  std::size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), all.begin() + static_cast<std::ptrdiff_t>(at)), at += parts.size()), ...);
  std::sort(all.begin(), all.end(), [](const TweakRoutines& a, const TweakRoutines& b) { return a.tweakId < b.tweakId; });
  return all;
}

}  // namespace corvandel

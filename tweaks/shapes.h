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
//   ColorRow        colour combo 1055 of CComboCheckPage over one colour value
//   FieldsRow       several label/edit or label/combo rows of one page over
//                   values of one key (CEditCheckPage, CMultiComboPage,
//                   CEditComboPage)
//   SubkeyBoxesRow  check boxes that stand for subkeys of one parent key
//   ApplicationListRow  list 1009 of CListPage, one row per registered
//                   application, checked unless it holds a flag value
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
#include <optional>
#include <span>
#include <string>

#include "nav/tweak_dispatch.h"
#include "pages/version_gate.h"
#include "services/os_version.h"
#include "services/registry.h"

namespace corvandel {

class RegistryKey;

// ---------------------------------------------------------------------------
// What a control state stores.

enum class Stored : unsigned char {
  kDword,       // a 32-bit number
  kText,        // REG_SZ
  kExpandText,  // REG_EXPAND_SZ
  kDeleted,     // the value is removed (by path, SHDeleteValueA, where nothing else is written)
  kCheckState,  // the check box state as returned, as a 32-bit number ("raw")
  kNothing,     // nothing is written: the stored value stays
  kBinary32,    // REG_BINARY, the number's four little-endian bytes
  kBinary,      // REG_BINARY, fixed bytes
  kDeletedInKey,  // the value is removed from the key, opened or created as a write would
  kKeyDeleted,  // the row's key itself is removed (RegDeleteKeyA under its parent)
};

struct StoredData {
  Stored kind = Stored::kNothing;
  std::uint32_t number = 0;
  const char* text = nullptr;
  std::span<const std::uint8_t> bytes = {};  // kBinary
  bool anyCase = false;  // a text holds whatever its letter case
  bool leadingBytes = false;  // a number is held by the first four bytes of any value
};

constexpr StoredData Dword(std::uint32_t number) { return {Stored::kDword, number, nullptr}; }
// Written as a 32-bit number; a stored value of any type holds it when its
// first four bytes (fewer padded with zeros) are the number's, little-endian.
constexpr StoredData DwordInLeadingBytes(std::uint32_t number) {
  return {Stored::kDword, number, nullptr, {}, false, true};
}
constexpr StoredData Text(const char* text) { return {Stored::kText, 0, text}; }
// Written as given; a stored text holds it in any letter case.
constexpr StoredData TextAnyCase(const char* text) { return {Stored::kText, 0, text, {}, true}; }
constexpr StoredData ExpandText(const char* text) { return {Stored::kExpandText, 0, text}; }
constexpr StoredData Deleted() { return {Stored::kDeleted, 0, nullptr}; }
constexpr StoredData DeletedInKey() { return {Stored::kDeletedInKey, 0, nullptr}; }
constexpr StoredData KeyDeleted() { return {Stored::kKeyDeleted, 0, nullptr}; }
constexpr StoredData CheckState() { return {Stored::kCheckState, 0, nullptr}; }
constexpr StoredData Nothing() { return {Stored::kNothing, 0, nullptr}; }
// Four bytes of REG_BINARY; a stored value of any type holds it when its
// first four bytes are these.
constexpr StoredData Binary32(std::uint32_t number) { return {Stored::kBinary32, number, nullptr}; }
// Fixed REG_BINARY bytes; a stored value holds them when its bytes are these.
constexpr StoredData Binary(std::span<const std::uint8_t> bytes) { return {Stored::kBinary, 0, nullptr, bytes}; }

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
  kAsStored,    // every value is a non-zero 32-bit number (the box takes the
                // stored state, as BM_SETCHECK does)
  kUnlessOff,   // checked unless a value holds what unchecking writes (texts
                // compared without regard to letter case); absent is checked
};

// ---------------------------------------------------------------------------
// Keys, gates and the history.

// Where the values live. Loads always open path (with createdSubKey below it);
// applies open it, or create it, or open path and create createdSubKey under
// it. Deleting by path (Deleted()) never creates anything.
enum class KeyMode : unsigned char {
  kOpened,
  kCreated,
  kOpenedThenCreated,   // path opened, createdSubKey created below it
  kCreatedForAllUsers,  // of a pair: created under All Users, opened under Current User
};

struct KeyRef {
  const char* path;
  const char* createdSubKey = nullptr;
  KeyMode mode = KeyMode::kOpened;
};

constexpr KeyRef Opened(const char* path) { return {path, nullptr, KeyMode::kOpened}; }
constexpr KeyRef Created(const char* path) { return {path, nullptr, KeyMode::kCreated}; }
constexpr KeyRef OpenedThenCreated(const char* parent, const char* subKey) {
  return {parent, subKey, KeyMode::kOpenedThenCreated};
}
constexpr KeyRef CreatedForAllUsers(const char* path) { return {path, nullptr, KeyMode::kCreatedForAllUsers}; }

// The roots that stand for two scopes (a row's root is otherwise one of kHKCR,
// kHKCU, kHKLM, kHKU). Each scope is loaded and written in this order.
//   kPair             HKEY_CURRENT_USER with the first control, then
//                     HKEY_LOCAL_MACHINE with the second (Current User / All Users)
//   kUserDefaultPair  HKEY_CURRENT_USER with the first control, then the
//                     default profile, HKEY_USERS ".DEFAULT\" + path, with the second
//   kUserAndDefault   one control, loaded from HKEY_CURRENT_USER and written
//                     there and then to HKEY_USERS ".DEFAULT\" + path
inline constexpr RegKey kPair = 0;
inline constexpr RegKey kUserDefaultPair = 1;
inline constexpr RegKey kUserAndDefault = 2;
inline constexpr const char* kDefaultProfile = ".DEFAULT\\";

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
inline constexpr Versions kXp2000Me98 = Versions::kXP | Versions::k2000 | Versions::kMe | Versions::k98;  // 2015
inline constexpr Versions kXpMe = Versions::kXP | Versions::kMe;  // 2021
inline constexpr Versions k98 = Versions::k98;                    // 2022
inline constexpr Versions kAllButXp =                             // 2016
    Versions::k95 | Versions::k98 | Versions::kMe | Versions::kNT4 | Versions::k2000;
inline constexpr Versions kAllButNt4 =                            // 2017
    Versions::k95 | Versions::k98 | Versions::kMe | Versions::k2000 | Versions::kXP;

// The catalogue's gates, named by admitted versions and alert (kNt: XP, 2000,
// NT 4.0; k2k: XP, 2000; kMe: XP, 2000, Me; k98Me: XP, 2000, Me, 98); the
// Revert ones put check box 1013 back on refusal.
inline constexpr VersionGate kNt2002{kXp2000Nt4, 2002, kAlertOnly};
inline constexpr VersionGate kNt2002Revert{kXp2000Nt4, 2002, kReverts};
inline constexpr VersionGate kNt2004{kXp2000Nt4, 2004, kAlertOnly};  // admits NT 4.0 and 2000 too, yet names XP
inline constexpr VersionGate k2k2002{kXp2000, 2002, kAlertOnly};
inline constexpr VersionGate k2k2003{kXp2000, 2003, kAlertOnly};
inline constexpr VersionGate k2k2003Revert{kXp2000, 2003, kReverts};
inline constexpr VersionGate kXp2004{kXp, 2004, kAlertOnly};
inline constexpr VersionGate kXp2004Revert{kXp, 2004, kReverts};
inline constexpr VersionGate kMe2011{kXp2000Me, 2011, kAlertOnly};
inline constexpr VersionGate k2000Only2019{Versions::k2000, 2019, kAlertOnly};
inline constexpr VersionGate k98Me2015{kXp2000Me98, 2015, kAlertOnly};
inline constexpr VersionGate kNotXp2016{kAllButXp, 2016, kAlertOnly};
inline constexpr VersionGate kNoNt4_2017{kAllButNt4, 2017, kAlertOnly};
inline constexpr VersionGate kXpMe2021{kXpMe, 2021, kAlertOnly};
inline constexpr VersionGate k98Only2022{k98, 2022, kAlertOnly};

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

// CMultiCheckPage: several boxes, each over its own value in one key. A box
// may stand for several values (items with the same control, written in
// order); it loads from the items marked kLoads. A box with a key of its own
// (a path below the row's root, opened) is skipped, load and apply, when that
// key is missing.
inline constexpr bool kLoads = true;
inline constexpr bool kNotLoaded = false;

struct CheckItem {
  int controlId;
  const char* value;
  CheckData writes;
  const char* caption;
  const char* ownKey = nullptr;
  bool loads = kLoads;
};

// What a CheckListRow does when every box is unchecked.
enum class AllUnchecked : unsigned char {
  kWritesEach,  // each box writes its unchecked data
  kRemovesKey,  // the row's key goes (RegDeleteKeyA under its opened parent)
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
  AllUnchecked allUnchecked = AllUnchecked::kWritesEach;
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
  kWriteEmpty,   // writes the empty text (a number edit: 0)
};

struct IfEmpty {
  EmptyEdit action;
  int alertId = 0;
};

constexpr IfEmpty Alert(int alertId) { return {EmptyEdit::kAlert, alertId}; }
inline constexpr IfEmpty kDeleteWhenEmpty{EmptyEdit::kDeleteValue};
inline constexpr IfEmpty kSkipWhenEmpty{EmptyEdit::kWriteNothing};
inline constexpr IfEmpty kWriteWhenEmpty{EmptyEdit::kWriteEmpty};

// How an edit's text relates to the stored text.
enum class EditForm : unsigned char {
  kAsTyped,
  // Written with each occurrence of the Windows directory (matched with its
  // letter case) replaced by "%SystemRoot%"; shown the other way round. An
  // unknown Windows directory replaces nothing.
  kSystemRoot,
};
// Browse button 1023 and the dialog it opens.
inline constexpr Browse kBrowse = Browse::kFile;
inline constexpr Browse kBrowseFolder = Browse::kFolder;
inline constexpr Browse kNoBrowse = Browse::kNone;

// For a pair (root kPair) label 1019 and edit 1017 stand for All Users; each
// edit is written to its own scope, and its empty rule acts there alone.
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
  Browse browse;
  const char* note;
  const char* label;
  const char* allUsersLabel = nullptr;  // label 1019 of a pair
  EditForm form = EditForm::kAsTyped;
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

// CComboCheckPage: label 1014 and colour combo 1055 over one colour value.
// The load fills the combo and selects the stored colour; a colour that no
// name stands for (or none) loads with no selection, and no selection writes
// nothing, so an untouched apply keeps the stored colour.
enum class ColorForm : unsigned char {
  kRgbText,  // REG_SZ "%d %d %d"
  kBinary,   // four bytes: red, green, blue, 0
};

struct ColorRow {
  int tweakId;
  RegKey root;
  KeyRef key;
  const char* value;
  ColorForm form;
  VersionGate gate;
  RecordPoint history;
  const char* note;
  const char* label;
};

// One label/edit or label/combo row of a FieldsRow, over its own value.
enum class FieldKind : unsigned char { kEdit, kCombo };

struct Field {
  FieldKind kind;
  int labelId;
  const char* label;
  int controlId;  // the edit or the combo
  const char* value;
  // Edits: the stored type (reg::kSz, reg::kExpandSz, reg::kDword as a
  // decimal number), the empty rule, the form and the browse button (0: none).
  std::uint32_t type = 0;
  IfEmpty ifEmpty = kSkipWhenEmpty;
  EditForm form = EditForm::kAsTyped;
  int browseId = 0;
  // Combos: the items, the selection loaded where nothing names an item, and
  // what no selection writes.
  std::span<const ComboItem> items = {};
  ComboLoad load = {kNoItem, kNoItem, kNoItem};
  StoredData noSelection = Nothing();
};

constexpr Field EditField(int labelId, const char* label, int editId, const char* value, std::uint32_t type,
                          IfEmpty ifEmpty, int browseId = 0, EditForm form = EditForm::kAsTyped) {
  return {FieldKind::kEdit, labelId, label, editId, value, type, ifEmpty, form, browseId};
}

constexpr Field ComboField(int labelId, const char* label, int comboId, const char* value,
                           std::span<const ComboItem> items, ComboLoad load, StoredData noSelection) {
  return {FieldKind::kCombo, labelId, label, comboId, value, 0, kSkipWhenEmpty, EditForm::kAsTyped, 0, items, load,
          noSelection};
}

// Several fields of one page over values of one key, shown and loaded in
// order and written in order by one apply.
struct FieldsRow {
  int tweakId;
  int pageId;
  RegKey root;
  KeyRef key;
  VersionGate gate;
  RecordPoint history;
  const char* note;
  std::span<const Field> fields;
  Browse browse = Browse::kFile;  // what the fields' browse buttons open
};

// CMultiCheckPage: each box stands for a subkey of one parent key (opened,
// never created). A box is checked when its subkey is absent; an apply of a
// checked box removes the subkey, of an unchecked box creates it where it is
// absent. Boxes are written in the order given.
enum class SubkeyRemoval : unsigned char {
  kKey,   // RegDeleteKeyA: a subkey that has subkeys stays
  kTree,  // SHDeleteKeyA: the subkey and everything below it
};

struct SubkeyBox {
  int controlId;
  const char* subkey;
  SubkeyRemoval removal;
  const char* caption;
};

struct SubkeyBoxesRow {
  int tweakId;
  RegKey root;
  const char* parent;
  VersionGate gate;
  RecordPoint history;
  const char* note;
  std::span<const SubkeyBox> boxes;
};

// CListPage: list 1009 with one row per registered application (the subkeys
// of HKEY_CLASSES_ROOT "Applications", in the registry's order) that the row
// offers, checked unless the application holds the flag value (whatever its
// type and data; a registration that cannot be opened shows unchecked).
// Checked removes the flag, unchecked writes it as an empty text. Each row is
// written to the registration its text names, while that is still offered,
// so applications registered or removed since the load shift nothing.
struct ApplicationListRow {
  int tweakId;
  const char* flag;
  bool (*offers)(const RegistryKey& applications, const std::string& name);
  VersionGate gate;
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
void LoadShape(TweakContext& ctx, const ColorRow& row);
void ApplyShape(TweakContext& ctx, const ColorRow& row);
void LoadShape(TweakContext& ctx, const FieldsRow& row);
void ApplyShape(TweakContext& ctx, const FieldsRow& row);
void LoadShape(TweakContext& ctx, const SubkeyBoxesRow& row);
void ApplyShape(TweakContext& ctx, const SubkeyBoxesRow& row);
void LoadShape(TweakContext& ctx, const ApplicationListRow& row);
void ApplyShape(TweakContext& ctx, const ApplicationListRow& row);

// The Windows directory and "%SystemRoot%": ToSystemRoot replaces each
// occurrence of windowsDir in text (matched with its letter case) by
// "%SystemRoot%", FromSystemRoot the reverse. The search goes on after each
// replacement; an empty windowsDir (unknown) replaces nothing.
std::string ToSystemRoot(const std::string& text, const std::string& windowsDir);
std::string FromSystemRoot(const std::string& text, const std::string& windowsDir);

// Each occurrence of `from` in text (matched with its letter case) replaced
// by `to`, the search going on after each replacement; an empty `from`
// replaces nothing.
std::string ReplaceEach(const std::string& text, const std::string& from, const std::string& to);

// Load step 1 and 2 shared by every tweak: the page, the Apply button and the
// description; the note label 1024 when note is not nullptr.
void ShowTweakPage(TweakContext& ctx, int pageId, int tweakId, const char* note = nullptr);
// Shows a control of a page and, unless text is nullptr, sets its text.
void ShowWithText(TweakContext& ctx, int pageId, int controlId, const char* text);
// Shows a check box with its caption and the given state (1 checked, 0 not).
void ShowCheckBox(TweakContext& ctx, int pageId, int controlId, const char* caption, int state = 0);
// Empties a combo and adds the numbers 0 to last, in increasing order; item n
// reads n. A combo an earlier load filled so (thousands of items) keeps its
// items and only loses its selection, as emptying it would leave it.
void FillNumbers(TweakContext& ctx, int pageId, int comboId, int last);

// A label and a combo of the numbers 0 to last (item n reads n) over a value
// of its own; the combo's edit takes typed numbers too.
struct NumberField {
  int labelId;
  const char* label;  // as shown; it names the field in the typed-number message
  int comboId;
  const char* value;
  int last;
};
// The label with its text and the combo, filled while it is still hidden.
void ShowNumberField(TweakContext& ctx, int pageId, const NumberField& field);
// The apply's first step where number combos are shown: a typed number
// selects its item; any other text refuses the whole apply with one message
// naming the field and its range (false), so nothing half-typed is skipped
// while the rest is written. An empty or disabled combo is left as it is.
bool TakeTypedNumbers(TweakContext& ctx, int pageId, std::span<const NumberField> fields);
// The apply's writing step: each field's selected item n is written under
// key as n, as text (reg::kSz) or as a 32-bit number (reg::kDword), in order.
// A field with no selection keeps its stored value.
void WriteSelectedNumbers(TweakContext& ctx, int pageId, const RegistryKey& key, std::span<const NumberField> fields,
                          std::uint32_t type);

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

// What a row's page does by itself: its browse buttons' dialog, where the
// row names one.
template <typename Row>
constexpr PageBehaviour PageOf(const Row& row) {
  if constexpr (requires { row.browse; })
    return {row.browse};
  else
    return {};
}

// One TweakRoutines entry per row of a table.
template <const auto& kRows>
constexpr auto RoutinesOf() {
  std::array<TweakRoutines, std::size(kRows)> routines{};
  for (std::size_t i = 0; i < routines.size(); ++i)
    routines[i] = {kRows[i].tweakId, &LoadFromTable<kRows>, &ApplyFromTable<kRows>, PageOf(kRows[i])};
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

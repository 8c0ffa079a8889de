// The whole program below the window, for driving tweaks as a user would:
// an in-memory registry, the page model, a settable platform and a navigator
// over a temporary program folder (where DFile.kvd is written). Select a
// tweak, set its controls, Apply, then look at the registry, the pages, the
// alerts and the history.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "nav/navigator.h"
#include "pages/page_model.h"
#include "registry_trace.h"
#include "services/platform_fake.h"
#include "scratch_folder.h"
#include "services/profile_ini.h"
#include "services/registry_memory.h"

namespace corvandel {

// The page templates by their class, as the category tests name them.
inline constexpr int kListCheck = page::kListCheck;
inline constexpr int kEditBrowse = page::kEditBrowse;
inline constexpr int kMultiCheck = page::kMultiCheck;
inline constexpr int kEditCheck = page::kEditCheck;
inline constexpr int kComboCheck = page::kComboCheck;
inline constexpr int kList = page::kList;
inline constexpr int kMultiCombo = page::kMultiCombo;
inline constexpr int kEditCombo = page::kEditCombo;
inline constexpr int kSingleCombo = page::kSingleCombo;

// Windows versions as GetVersionExA reports them.
namespace win {
inline constexpr OsVersionRecord k95{1, 4, 0};
inline constexpr OsVersionRecord k98{1, 4, 10};
inline constexpr OsVersionRecord kMe{1, 4, 90};
inline constexpr OsVersionRecord kNT4{2, 4, 0};
inline constexpr OsVersionRecord k2000{2, 5, 0};
inline constexpr OsVersionRecord kXP{2, 5, 1};
inline constexpr OsVersionRecord kVista{2, 6, 0};  // unknown to the version probe
}  // namespace win

struct NamedVersion {
  const char* name;
  OsVersionRecord record;
  Versions bit;  // kNone for a version no gate admits
};

inline constexpr NamedVersion kAllVersions[] = {
    {"95", win::k95, Versions::k95},     {"98", win::k98, Versions::k98},       {"Me", win::kMe, Versions::kMe},
    {"NT4", win::kNT4, Versions::kNT4},  {"2000", win::k2000, Versions::k2000}, {"XP", win::kXP, Versions::kXP},
    {"Vista", win::kVista, Versions::kNone},
};

// One value (or only a key, when name is nullptr) to put in the registry.
struct SeedValue {
  RegKey root;
  const char* path;
  const char* name;
  std::uint32_t type = reg::kNone;
  std::uint32_t number = 0;
  const char* text = nullptr;
  std::vector<std::uint8_t> bytes = {};  // any other type: the bytes as stored
};

inline SeedValue Dw(RegKey root, const char* path, const char* name, std::uint32_t number) {
  return {root, path, name, reg::kDword, number, nullptr};
}
inline SeedValue Sz(RegKey root, const char* path, const char* name, const char* text) {
  return {root, path, name, reg::kSz, 0, text};
}
inline SeedValue ExSz(RegKey root, const char* path, const char* name, const char* text) {
  return {root, path, name, reg::kExpandSz, 0, text};
}
// Raw bytes of any type (REG_BINARY by default): short, long or odd data.
inline SeedValue Raw(RegKey root, const char* path, const char* name, std::vector<std::uint8_t> bytes,
                     std::uint32_t type = reg::kBinary) {
  return {root, path, name, type, 0, nullptr, std::move(bytes)};
}
inline SeedValue KeyOnly(RegKey root, const char* path) { return {root, path, nullptr}; }

// A stored state of one tweak: what a user's registry might hold.
struct StoredState {
  int tweakId;
  const char* name;
  std::vector<SeedValue> values;
  OsVersionRecord version = win::kXP;
};

// Names the state in test output.
inline void PrintTo(const StoredState& state, std::ostream* out) { *out << state.tweakId << " " << state.name; }

// A stored state that an untouched apply rewrites by design: the page cannot
// show it, so it writes what it shows.
struct Rewrite {
  StoredState state;
  const char* why;
};

// Representative stored states of every tweak of a category, each of which
// loads and applies back unchanged, and the category's designed rewrites.
const std::vector<StoredState>& AccessoriesStates();
const std::vector<StoredState>& AppearanceStates();
const std::vector<StoredState>& DesktopStates();
const std::vector<StoredState>& ExplorerStates();
const std::vector<StoredState>& FileSystemStates();
const std::vector<StoredState>& LoginStates();
const std::vector<StoredState>& StartupStates();
const std::vector<StoredState>& StartMenuStates();
const std::vector<StoredState>& SystemStates();
const std::vector<StoredState>& TroubleshootingStates();
// Every category's stored states, in category order.
std::vector<StoredState> CatalogueStates();
// The first stored state of a tweak (its keys exist); a test failure when
// the tweak has none.
const StoredState& FirstState(int tweakId);

// A check box over one 32-bit value: the value as each state writes it.
void OnOff(std::vector<StoredState>& states, int id, RegKey root, const char* path, const char* name,
           std::uint32_t checked = 1, std::uint32_t unchecked = 0, OsVersionRecord version = win::kXP);
// A Current User / All Users pair: each scope in the other state.
void Pair(std::vector<StoredState>& states, int id, const char* path, const char* name, std::uint32_t checked = 1,
          std::uint32_t unchecked = 0);

constexpr bool Admits(Versions admitted, Versions version) {
  return (static_cast<unsigned>(admitted) & static_cast<unsigned>(version)) != 0;
}
std::vector<Rewrite> AppearanceRewrites();
std::vector<Rewrite> DesktopRewrites();
std::vector<Rewrite> ExplorerRewrites();
std::vector<Rewrite> FileSystemRewrites();
std::vector<Rewrite> LoginRewrites();
std::vector<Rewrite> StartupRewrites();
std::vector<Rewrite> StartMenuRewrites();
std::vector<Rewrite> SystemRewrites();
std::vector<Rewrite> TroubleshootingRewrites();

class TweakHarness {
 public:
  // The history is built on this day at start-up; applies happen on kApplyDay.
  static constexpr CalendarDate kStartDay{2007, 3, 7};
  static constexpr CalendarDate kApplyDay{2008, 6, 15};

  TweakHarness();
  TweakHarness(const TweakHarness&) = delete;
  TweakHarness& operator=(const TweakHarness&) = delete;

  void Select(int tweakId) { navigator_->Select(tweakId); }
  // "Apply Changes" on kApplyDay; the alerts shown by it are in Alerts().
  void Apply();
  Navigator& Nav() { return *navigator_; }

  // Whether the history holds kApplyDay for the tweak's title.
  bool Recorded(int tweakId);
  // The text of every alert box shown by the last Apply, in order; each was
  // checked to carry the alert caption and the error icon.
  const std::vector<std::string>& Alerts() const { return alerts_; }
  std::string AlertText(int id) const { return navigator_->GetLanguage().GetLangString(id); }

  // Empties the registry but for the program's own key, and seeds it anew:
  // a fresh machine for the next run without building a new harness.
  void Reseed(const std::vector<SeedValue>& values);

  void Put(const SeedValue& value);
  void Put(const std::vector<SeedValue>& values) {
    for (const SeedValue& v : values) Put(v);
  }
  std::optional<std::uint32_t> Dword(RegKey root, const std::string& path, const std::string& name) const;
  // REG_SZ or REG_EXPAND_SZ text as stored (no terminating zero is written).
  std::optional<std::string> Text(RegKey root, const std::string& path, const std::string& name) const;
  std::optional<std::uint32_t> Type(RegKey root, const std::string& path, const std::string& name) const;
  // The value's bytes as stored, whatever its type.
  std::optional<std::vector<std::uint8_t>> Bytes(RegKey root, const std::string& path, const std::string& name) const;
  bool HasValue(RegKey root, const std::string& path, const std::string& name) const;
  bool HasKey(RegKey root, const std::string& path) const { return registry.KeyExists(root, path); }

  // Every key and value of the four roots outside the program's own key, as
  // "root\path" -> "name=type:bytes;..." for comparison.
  std::map<std::string, std::string> Snapshot() const;

  // Changes every control the current page shows, as a user would before
  // pressing Apply: check boxes toggled, combos moved to another item, edits
  // given a text, the list's selection moved.
  void ChangeEveryControl();

  MemoryRegistry registry;
  RegistryTrace trace{registry};  // the navigator's registry: what the routines touched
  PageModel pages;
  SettablePlatform platform;
  IniProfile profile;

 private:
  ScratchFolder folder_;  // the program folder
  std::unique_ptr<Navigator> navigator_;
  std::vector<std::string> alerts_;
};

// --- The sweeps every category runs over its own tables ----------------------

// When an admitted apply records the change in the history.
enum class GateRecord : unsigned char { kRecorded, kNotRecorded, kOn9xOnly };

// A tweak's version gate as the user meets it.
struct GateCase {
  int tweakId;
  Versions admitted;
  int alertId;                 // 0: no gate
  bool reverts = false;        // check box 1013 is put back on refusal
  GateRecord history = GateRecord::kRecorded;
  bool admitsUnknown = false;  // a release the version probe does not know passes too
};

// What a category's sweep does beyond the common part.
struct GateSweep {
  bool admittedWrites = false;  // an admitted apply of the changed page writes something
  void (*change)(TweakHarness&) = nullptr;   // how the page is changed; nullptr: ChangeEveryControl
  void (*seed)(TweakHarness&, int tweakId) = nullptr;  // stored beside the tweak's first stored state
};

// Each gate on every version, on a machine holding the tweak's first stored
// state, with every control changed: a refusal shows the gate's alert alone,
// writes and records nothing, leaves the box as the user set it (or puts it
// back where the gate reverts) and refuses a second Apply alike; an admitted
// apply shows no alert and records as the case says.
void SweepGates(std::span<const GateCase> gates, const GateSweep& sweep = {});

// A check box as a load leaves it over what is stored.
inline constexpr int kSecondNotLooked = -2;  // StoredCheck::second: box 1018 is not looked at
inline constexpr int kSecondHidden = -1;     // StoredCheck::second: box 1018 is hidden

struct StoredCheck {
  const char* what;
  int tweakId;
  std::vector<SeedValue> stored;
  int checked;  // the state of box controlId
  OsVersionRecord version = win::kXP;
  int controlId = 1013;
  int second = kSecondNotLooked;  // the state of box 1018 of a pair, or kSecondHidden
};

// Each case on a fresh machine: the load shows its box in the expected state.
void ExpectCheckedWhenStored(std::span<const StoredCheck> cases);

}  // namespace corvandel

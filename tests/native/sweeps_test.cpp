// Sweeps over every tweak with routines: registry faults on each call an apply
// makes, a machine where HKEY_LOCAL_MACHINE refuses everything, and odd data
// in each value a load reads. Whatever happens, nothing crashes, every handle
// is closed, and every value ends either as it was or as a clean apply leaves
// it: never half-written, never somewhere the tweak does not touch.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "pages/page_templates.h"
#include "services/registry_key.h"
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

// The first stored state of each tweak: its keys exist.
std::vector<StoredState> FirstStates() {
  std::vector<StoredState> first;
  std::set<int> seen;
  for (const StoredState& state : CatalogueStates())
    if (seen.insert(state.tweakId).second) first.push_back(state);
  return first;
}

// A registry snapshot as key -> presence and "key|value" -> data.
using Values = std::map<std::string, std::string>;

Values Split(const std::map<std::string, std::string>& snapshot) {
  Values values;
  for (const auto& [key, text] : snapshot) {
    values[key] = "(key)";
    for (std::size_t at = 0, end; (end = text.find(';', at)) != std::string::npos; at = end + 1) {
      const std::string entry = text.substr(at, end - at);
      const std::size_t eq = entry.find('=');
      values[key + "|" + entry.substr(0, eq)] = entry.substr(eq + 1);
    }
  }
  return values;
}

// Every key and value of `now` is as in `before` or as in `after`.
void ExpectEachAsBeforeOrAfter(const Values& before, const Values& after, const Values& now) {
  std::set<std::string> names;
  for (const Values* v : {&before, &after, &now})
    for (const auto& [name, data] : *v) names.insert(name);
  auto state = [](const Values& v, const std::string& name) {
    auto found = v.find(name);
    return found == v.end() ? std::string("(absent)") : found->second;
  };
  for (const std::string& name : names) {
    const std::string is = state(now, name);
    EXPECT_TRUE(is == state(before, name) || is == state(after, name))
        << name << " is " << is << ", was " << state(before, name) << ", a clean apply gives " << state(after, name);
  }
}

// One harness per tweak, reseeded with the state for each run.
class TweakRuns {
 public:
  explicit TweakRuns(const StoredState& state) : state_(state) { h.platform.version = state.version; }

  // A fresh machine holding the state, the tweak's page loaded and every
  // control changed, ready for Apply; the trace starts there.
  void PrepareChangedPage() {
    h.Reseed(state_.values);
    before = Split(h.Snapshot());
    h.Select(state_.tweakId);
    h.ChangeEveryControl();
    h.trace.Clear();
  }

  TweakHarness h;
  Values before;

 private:
  const StoredState& state_;
};

std::string Name(const StoredState& state) { return "TweakId " + std::to_string(state.tweakId) + " " + state.name; }

TEST(Sweeps, AFailingCallAnywhereInAnApplyLeavesEachValueAsBeforeOrAsAfter) {
  std::size_t faults = 0;
  for (const StoredState& state : FirstStates()) {
    SCOPED_TRACE(Name(state));
    TweakRuns runs(state);
    runs.PrepareChangedPage();
    runs.h.Apply();
    const unsigned calls = runs.h.trace.calls;
    const Values after = Split(runs.h.Snapshot());
    for (unsigned n = 1; n <= calls; ++n) {
      SCOPED_TRACE("call " + std::to_string(n) + " of " + std::to_string(calls) + " fails");
      runs.PrepareChangedPage();
      runs.h.registry.FailNthCall(n, n % 2 ? reg::kAccessDenied : reg::kFileNotFound);
      runs.h.Apply();  // checks that every handle is closed
      ExpectEachAsBeforeOrAfter(runs.before, after, Split(runs.h.Snapshot()));
      runs.h.Select(state.tweakId);
      EXPECT_EQ(0u, runs.h.registry.OpenHandleCount());
      ++faults;
    }
  }
  RecordProperty("faults", static_cast<int>(faults));
}

TEST(Sweeps, AMachineKeyThatRefusesEverythingStopsOnlyTheMachineSide) {
  constexpr unsigned kAll = MemoryRegistry::kOpen | MemoryRegistry::kCreate | MemoryRegistry::kSet | MemoryRegistry::kDelete;
  for (const StoredState& state : FirstStates()) {
    SCOPED_TRACE(Name(state));
    TweakRuns clean(state);
    clean.PrepareChangedPage();
    clean.h.Apply();
    const Values after = Split(clean.h.Snapshot());

    TweakRuns denied(state);
    denied.h.Reseed(state.values);
    const Values before = Split(denied.h.Snapshot());
    denied.h.registry.Deny(kAll, kHKLM, "");
    denied.h.Select(state.tweakId);
    denied.h.ChangeEveryControl();
    denied.h.Apply();
    const Values now = Split(denied.h.Snapshot());
    ExpectEachAsBeforeOrAfter(before, after, now);
    for (const auto& [name, data] : now) {
      if (name.rfind("HKLM", 0) == 0) {
        EXPECT_TRUE(before.count(name) && before.at(name) == data) << name;
      }
    }
    for (const auto& [name, data] : before) {
      if (name.rfind("HKLM", 0) == 0) {
        EXPECT_TRUE(now.count(name)) << name;
      }
    }
  }
}

// Odd forms of a stored value: type and bytes.
struct OddForm {
  const char* name;
  std::uint32_t type;  // reg::kNone: the value is removed
  std::vector<std::uint8_t> bytes;
};

std::vector<OddForm> OddForms() {
  std::vector<std::uint8_t> long202(202, 'A'), long203(203, 'A');
  long202.back() = 0;
  long203.back() = 0;
  return {
      {"absent", reg::kNone, {}},
      {"empty text", reg::kSz, {}},
      {"empty binary", reg::kBinary, {}},
      {"one byte", reg::kBinary, {1}},
      {"three byte number", reg::kDword, {1, 0, 0}},
      {"binary number", reg::kBinary, {1, 0, 0, 0}},
      {"binary text", reg::kBinary, {'Y', 'e', 's', 0}},
      {"multi text", 7 /* REG_MULTI_SZ */, {'a', 0, 'b', 0, 0}},
      {"text without zero", reg::kSz, {'1', '2'}},
      {"text 202 bytes", reg::kSz, long202},
      {"text 203 bytes", reg::kSz, long203},
      {"embedded zero", reg::kSz, {'1', 0, '2', 0}},
      {"number out of range", reg::kDword, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"number 7", reg::kDword, {7, 0, 0, 0}},
      {"text number", reg::kSz, {'9', '9', '9', '9', '9', '9', '9', '9', '9', '9', '9', 0}},
  };
}

// No edit, label or combo item shows a zero byte or more than the read buffer holds.
void ExpectSanePage(const PageModel& pages) {
  for (const PageTemplate& page : PageTemplates()) {
    if (!pages.IsPageVisible(page.id)) continue;
    for (const ControlTemplate& control : page.controls) {
      if (!pages.IsControlVisible(page.id, control.id)) continue;
      const std::string text = pages.GetText(page.id, control.id);
      EXPECT_EQ(std::string::npos, text.find('\0')) << "control " << control.id;
      if (control.kind == ControlKind::kEdit) {
        EXPECT_GE(kRegistryReadBuffer, text.size()) << "control " << control.id;
      }
      if (control.kind == ControlKind::kComboBox) {
        const int selected = pages.ComboGetCurSel(page.id, control.id);
        EXPECT_TRUE(selected >= -1 && selected < pages.ComboCount(page.id, control.id)) << "control " << control.id;
      }
    }
  }
}

bool Touched(const RegistryTrace& trace, const std::string& snapshotKey) {
  // "ROOT\path" of the snapshot against the keys the routines opened or created, and their subtrees.
  std::string upper = snapshotKey;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const std::map<RegKey, std::string> kRootNames = {
      {kHKCR, "HKCR\\"}, {kHKCU, "HKCU\\"}, {kHKLM, "HKLM\\"}, {kHKU, "HKU\\"}};
  for (const auto& [root, path] : trace.keys) {
    const std::string key = kRootNames.at(root) + path;
    if (upper == key || upper.rfind(key + "\\", 0) == 0) return true;
  }
  return false;
}

TEST(Sweeps, OddDataInAnyValueALoadReadsLoadsSanelyAndAppliesToAFixedPoint) {
  std::size_t tried = 0;
  for (const StoredState& state : FirstStates()) {
    SCOPED_TRACE(Name(state));
    TweakHarness h;
    h.platform.version = state.version;
    h.Reseed(state.values);
    h.trace.Clear();
    h.Select(state.tweakId);
    const std::set<TracedValue> read = h.trace.valuesRead;
    for (const TracedValue& value : read) {
      for (const OddForm& form : OddForms()) {
        SCOPED_TRACE(value.path + "|" + value.name + ": " + form.name);
        h.Reseed(state.values);
        if (form.type == reg::kNone)
          DeleteValueAt(h.registry, value.root, value.path, value.name);
        else
          h.Put(Raw(value.root, value.path.c_str(), value.name.c_str(), form.bytes, form.type));
        const Values before = Split(h.Snapshot());
        h.trace.Clear();
        h.Select(state.tweakId);
        EXPECT_EQ(0u, h.registry.OpenHandleCount());
        ExpectSanePage(h.pages);
        h.Apply();
        const auto once = h.Snapshot();
        for (const auto& [name, data] : Split(once)) {
          if (!Touched(h.trace, name.substr(0, name.find('|')))) {
            EXPECT_EQ(data, before.count(name) ? before.at(name) : "") << name;
          }
        }
        // What one untouched apply writes, the next one leaves alone.
        h.Select(state.tweakId);
        h.Apply();
        EXPECT_EQ(once, h.Snapshot());
        ++tried;
      }
    }
  }
  RecordProperty("odd values", static_cast<int>(tried));
}

}  // namespace
}  // namespace corvandel

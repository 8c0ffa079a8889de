// Properties of the whole tweak catalogue: every tweak with routines has them
// registered, and applying an untouched page writes back what is stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "nav/tree_model.h"
#include "tweak_harness.h"
#include "tweaks/catalogue.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

// The categories whose tweaks are built: those with routines.
std::vector<Category> BuiltCategories() {
  std::vector<Category> built;
  for (int c = 0; c < kCategoryCount; ++c)
    if (!CatalogueRoutines(static_cast<Category>(c)).empty()) built.push_back(static_cast<Category>(c));
  return built;
}


// The tweaks (not the overviews) with a load routine, applicable or load-only.
std::vector<int> TweaksWithRoutines(Category category) {
  std::vector<int> ids;
  for (const TreeRow& row : TreeRows()) {
    const bool tweak = row.kind == NodeKind::kTweak || row.kind == NodeKind::kRootTweak;
    if (CategoryOf(row.tweakId) == category && tweak && CatalogueDispatch().HasLoadRoutine(row.tweakId))
      ids.push_back(row.tweakId);
  }
  return ids;
}

TEST(Catalogue, EveryTweakWithRoutinesHasExactlyOneLoadAndApplyEntry) {
  for (Category category : BuiltCategories()) {
    const std::span<const TweakRoutines> routines = CatalogueRoutines(category);
    std::multiset<int> registered;
    for (const TweakRoutines& r : routines) {
      registered.insert(r.tweakId);
      EXPECT_TRUE(r.load) << "TweakId " << r.tweakId;
      // A null apply is a load-only tweak, which the tree must offer as such.
      const Routines offered = r.apply ? Routines::kLoadAndApply : Routines::kLoadOnly;
      EXPECT_EQ(offered, CatalogueDispatch()[r.tweakId].routines)
          << "TweakId " << r.tweakId << " has routines the tree does not offer";
    }
    for (int id : TweaksWithRoutines(category)) EXPECT_EQ(1u, registered.count(id)) << "TweakId " << id;
    EXPECT_TRUE(std::is_sorted(routines.begin(), routines.end(),
                               [](const TweakRoutines& a, const TweakRoutines& b) { return a.tweakId < b.tweakId; }));
  }
}

TEST(Catalogue, EveryTweakWithRoutinesHasAStoredStateToRoundTrip) {
  std::set<int> covered;
  for (const StoredState& state : CatalogueStates()) covered.insert(state.tweakId);
  for (Category category : BuiltCategories())
    for (int id : TweaksWithRoutines(category)) EXPECT_TRUE(covered.count(id)) << "TweakId " << id;
}

// Load, apply without touching the page: outside the program's own key and the
// history file, the registry is what it was, and no alert was shown.
class RoundTrip : public ::testing::TestWithParam<StoredState> {};

TEST_P(RoundTrip, ApplyingAnUntouchedPageWritesBackWhatIsStored) {
  const StoredState& state = GetParam();
  TweakHarness harness;
  harness.platform.version = state.version;
  harness.Put(state.values);
  const auto before = harness.Snapshot();
  harness.Select(state.tweakId);
  harness.Apply();
  EXPECT_TRUE(harness.Alerts().empty()) << harness.Alerts().front();
  EXPECT_EQ(before, harness.Snapshot());
}

std::string StateName(const ::testing::TestParamInfo<StoredState>& info) {
  std::string name = "Tweak" + std::to_string(info.param.tweakId) + "_";
  for (const char* c = info.param.name; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, RoundTrip, ::testing::ValuesIn(CatalogueStates()), StateName);

std::vector<Rewrite> AccessoriesRewrites() {
  constexpr const char* kInstaller = "Software\\Policies\\Microsoft\\Windows\\Installer";
  constexpr const char* kMirrorInstaller =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine\\Software\\Policies\\"
      "Microsoft\\Windows\\Installer";
  constexpr const char* kTasks = "Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0";
  return {
      {{2, "other command", {Sz(kHKCR, "Directory\\shell\\Command", "", "Prompt"), Sz(kHKCR, "Directory\\shell\\Command\\command", "", "cmd.exe /k pushd %1")}},
       "the command is always the interpreter of the running Windows"},
      {{20, "no -g", {Sz(kHKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug", "Debugger", "drwtsn32 -p %ld -e %ld")}},
       "the debugger is always written with \" -p %ld -e %ld -g\""},
      {{37, "values disagree", {Dw(kHKCU, kTasks, "Task Creation", 1), Dw(kHKCU, kTasks, "Task Deletion", 0)}},
       "one box writes both values"},
      {{39, "copies disagree", {Dw(kHKLM, kInstaller, "DisableMSI", 1), Dw(kHKCU, kMirrorInstaller, "DisableMSI", 2)}},
       "no choice shows unless the policy and its copy agree, and no choice removes both"},
      {{41, "other letters", {Sz(kHKLM, kInstaller, "Logging", "iwe"), Sz(kHKCU, kMirrorInstaller, "Logging", "iwe")}},
       "logging is always written with every letter"},
      {{46, "values disagree", {Dw(kHKCU, "Software\\Microsoft\\Notepad", "fSavePageSettings", 1), Dw(kHKCU, "Software\\Microsoft\\Notepad", "fSaveWindowPositions", 0)}},
       "one box writes both values"},
      {{47, "other data", {Sz(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "DEVMGR_SHOW_NONPRESENT_DEVICES", "0")}},
       "any data shows checked, and checked writes \"1\""},
      {{49, "no /play", {Sz(kHKCR, "AudioCD\\Shell\\Play\\Command", "", "cdplay.exe")}},
       "the player is always written with \"  /play %1\""},
  };
}

std::vector<Rewrite> DesignedRewrites() {
  std::vector<Rewrite> all = AccessoriesRewrites();
  for (auto rewrites : {AppearanceRewrites, DesktopRewrites, ExplorerRewrites, FileSystemRewrites, LoginRewrites,
                        StartupRewrites, StartMenuRewrites, SystemRewrites, TroubleshootingRewrites}) {
    std::vector<Rewrite> more = rewrites();
    all.insert(all.end(), more.begin(), more.end());
  }
  return all;
}

TEST(Catalogue, DesignedRewritesStillRewrite) {
  for (const Rewrite& rewrite : DesignedRewrites()) {
    SCOPED_TRACE("TweakId " + std::to_string(rewrite.state.tweakId) + " " + rewrite.state.name + ": " + rewrite.why);
    TweakHarness harness;
    harness.platform.version = rewrite.state.version;
    harness.Put(rewrite.state.values);
    const auto before = harness.Snapshot();
    harness.Select(rewrite.state.tweakId);
    harness.Apply();
    EXPECT_NE(before, harness.Snapshot());
  }
}

}  // namespace
}  // namespace corvandel

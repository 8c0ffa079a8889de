#include "tweaks/root_level/root_level.h"

#include <array>

#include "tweaks/reg_conventions.h"
#include "tweaks/root_level/root_level_tweaks.h"
#include "tweaks/shapes.h"

namespace corvandel {
namespace {

constexpr const char* kSetup = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";

using enum RecordPoint;

// clang-format off

constexpr EditRow kEdits[] = {
  //id  root   key             value         type      shown up to  written after  empty edit      gate     history  browse   note         label
  {307, kHKLM, Opened(kSetup), "SourcePath", reg::kSz, "",          "",            kSkipWhenEmpty, kNoGate, kAtGate, kBrowseFolder, NOTE_LOGOUT, "Source Directory:"},
};

constexpr std::array<TweakRoutines, 3> kOwnRoutines = {{
  {306, LoadSpecialFolders,  ApplySpecialFolders, {Browse::kFolder}},
  {308, LoadRegisteredOwner, ApplyRegisteredOwner},
  {309, LoadCoolSwitch,      ApplyCoolSwitch},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kEdits>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> RootLevelRoutines() { return kRoutines; }

}  // namespace corvandel

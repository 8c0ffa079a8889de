// The profile cases against GetPrivateProfileStringA.
#include "services/profile_win32.h"
#include "conformance/profile_conformance.h"

namespace corvandel {
namespace {

std::unique_ptr<IProfile> MakeWin32Profile() { return std::make_unique<Win32Profile>(); }

INSTANTIATE_TEST_SUITE_P(Win32, ProfileConformance, ::testing::Values(ProfileSide{"Win32", &MakeWin32Profile}),
                         ProfileSideName);

}  // namespace
}  // namespace corvandel

// The profile cases against the portable INI reader.
#include "services/profile_ini.h"
#include "conformance/profile_conformance.h"

namespace corvandel {
namespace {

std::unique_ptr<IProfile> MakeIniProfile() { return std::make_unique<IniProfile>(); }

INSTANTIATE_TEST_SUITE_P(Ini, ProfileConformance, ::testing::Values(ProfileSide{"Ini", &MakeIniProfile}),
                         ProfileSideName);

}  // namespace
}  // namespace corvandel

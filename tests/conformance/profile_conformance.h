// The profile seam's cases, run against every IProfile: the portable reader
// (natively and under Wine) and GetPrivateProfileStringA itself (under Wine).
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "services/profile.h"

namespace corvandel {

struct ProfileSide {
  const char* name;
  std::unique_ptr<IProfile> (*make)();
};

// One lookup in a file of the given bytes.
struct ProfileCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  const char* defaultText;
  std::size_t bufferSize;
  std::string expected;
};

class ProfileConformance : public ::testing::TestWithParam<ProfileSide> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The path (ANSI text) of a file in this test's scratch folder.
  std::string PathOf(const std::string& name) const;
  std::string Write(const std::string& name, const std::string& content) const;
  // Writes each case to its own file and looks it up.
  void ExpectCases(const std::vector<ProfileCase>& cases);

  std::unique_ptr<IProfile> profile_;
  std::filesystem::path folder_;
};

std::string ProfileSideName(const ::testing::TestParamInfo<ProfileSide>& info);
inline void PrintTo(const ProfileSide& side, std::ostream* out) { *out << side.name; }

}  // namespace corvandel

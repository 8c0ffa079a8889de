#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "services/os_version.h"
#include "services/platform_fake.h"

namespace corvandel {
namespace {

struct VersionCase {
  const char* name;
  OsVersionRecord record;
  bool win95, win98, winMe, winNT4, win2000, winXP;
};

// platform 1 = the 95 family, 2 = NT, 0 = Win32s.
constexpr VersionCase kVersions[] = {
    //  name              platform major minor  95     98     Me     NT4    2000   XP
    {"Windows 95",        {1, 4, 0},   true,  false, false, false, false, false},
    {"Windows 98",        {1, 4, 10},  false, true,  false, false, false, false},
    {"Windows Me",        {1, 4, 90},  false, false, true,  false, false, false},
    {"unknown 9x minor",  {1, 4, 3},   false, false, false, false, false, false},
    {"Windows NT 3.51",   {2, 3, 51},  false, false, false, false, false, false},
    {"Windows NT 4.0",    {2, 4, 0},   false, false, false, true,  false, false},
    {"NT 4 minor 1",      {2, 4, 1},   false, false, false, true,  false, false},
    {"Windows 2000",      {2, 5, 0},   false, false, false, false, true,  false},
    {"Windows XP",        {2, 5, 1},   false, false, false, false, false, true},
    {"5.2 release",       {2, 5, 2},   false, false, false, false, false, true},
    {"Windows Vista",     {2, 6, 0},   false, false, false, false, false, false},
    {"Windows 7",         {2, 6, 1},   false, false, false, false, false, false},
    {"Win32s 3.10",       {0, 3, 10},  false, false, false, false, false, false},
    {"failed query",      {0, 0, 0},   false, false, false, false, false, false},
    {"unknown platform",  {3, 5, 1},   false, false, false, false, false, false},
};

class OsVersionTest : public testing::TestWithParam<VersionCase> {};

TEST_P(OsVersionTest, PredicatesAndAnyOfMatchTheVersionTable) {
  const VersionCase& c = GetParam();
  SettablePlatform platform;
  platform.version = c.record;
  const COsVersion os(platform);
  EXPECT_EQ(c.win95, os.IsWin95());
  EXPECT_EQ(c.win98, os.IsWin98());
  EXPECT_EQ(c.winMe, os.IsWinMe());
  EXPECT_EQ(c.winNT4, os.IsWinNT4());
  EXPECT_EQ(c.win2000, os.IsWin2000());
  EXPECT_EQ(c.winXP, os.IsWinXP());

  EXPECT_EQ(c.win95, os.IsAnyOf(Versions::k95));
  EXPECT_EQ(c.win98, os.IsAnyOf(Versions::k98));
  EXPECT_EQ(c.winMe, os.IsAnyOf(Versions::kMe));
  EXPECT_EQ(c.winNT4, os.IsAnyOf(Versions::kNT4));
  EXPECT_EQ(c.win2000, os.IsAnyOf(Versions::k2000));
  EXPECT_EQ(c.winXP, os.IsAnyOf(Versions::kXP));
  const bool known = c.win95 || c.win98 || c.winMe || c.winNT4 || c.win2000 || c.winXP;
  EXPECT_EQ(known, os.IsAnyOf(Versions::k95 | Versions::k98 | Versions::kMe | Versions::kNT4 | Versions::k2000 |
                              Versions::kXP));
  EXPECT_FALSE(os.IsAnyOf(Versions::kNone));
}

INSTANTIATE_TEST_SUITE_P(EveryWindows, OsVersionTest, testing::ValuesIn(kVersions),
                         [](const testing::TestParamInfo<VersionCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST(OsVersion, ReadsTheVersionOnceOnConstruction) {
  SettablePlatform platform;
  platform.version = {2, 5, 0};
  const COsVersion os(platform);
  platform.version = {2, 5, 1};
  EXPECT_TRUE(os.IsWin2000());
  EXPECT_TRUE(COsVersion(platform).IsWinXP());
}

}  // namespace
}  // namespace corvandel

// What the portable INI reader decides where GetPrivateProfileStringA under
// Wine gives no steady answer to compare with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "services/ansi_text.h"
#include "services/profile_ini.h"

namespace corvandel {
namespace {

using namespace std::string_literals;

TEST(IniProfile, DropsTheOddLastByteOfAUtf16File) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "corvandel-profile-odd-byte.ini";
  std::ofstream(path, std::ios::binary) << "\xFF\xFE[\0s\0]\0\n\0k\0=\0x\0y"s;
  EXPECT_EQ("x", IniProfile().GetString("s", "k", "def", 1024, AnsiFromPath(path)));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace corvandel

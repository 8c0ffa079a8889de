// What the portable INI reader decides where GetPrivateProfileStringA under
// Wine gives no steady answer to compare with.
#include <gtest/gtest.h>

#include <chrono>
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

// The reader keeps the last file it read: a change of size or of the time of
// last change, even within one second, makes it read the file again.
TEST(IniProfile, ReadsAChangedFileAgain) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() / "corvandel-profile-changed.ini";
  const std::string file = AnsiFromPath(path);
  IniProfile profile;
  std::ofstream(path, std::ios::binary) << "[s]\nk=aa\n";
  const fs::file_time_type stamp = fs::last_write_time(path);
  EXPECT_EQ("aa", profile.GetString("s", "k", "def", 1024, file));

  std::ofstream(path, std::ios::binary) << "[s]\nk=bb\n";  // same size
  fs::last_write_time(path, stamp + std::chrono::milliseconds(1));
  EXPECT_EQ("bb", profile.GetString("s", "k", "def", 1024, file));

  std::ofstream(path, std::ios::binary) << "[s]\nk=cccc\n";  // same time
  fs::last_write_time(path, stamp + std::chrono::milliseconds(1));
  EXPECT_EQ("cccc", profile.GetString("s", "k", "def", 1024, file));

  fs::remove(path);
  EXPECT_EQ("def", profile.GetString("s", "k", "def", 1024, file));
  std::ofstream(path, std::ios::binary) << "[s]\nk=cccc\n";  // back, as it was when last read
  fs::last_write_time(path, stamp + std::chrono::milliseconds(1));
  EXPECT_EQ("cccc", profile.GetString("s", "k", "def", 1024, file));
  fs::remove(path);
}

}  // namespace
}  // namespace corvandel

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
// last change makes it read the file again, and a file changed just before it
// was read is read again at every lookup, its time being too coarse to tell.
TEST(IniProfile, ReadsAChangedFileAgain) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() / "corvandel-profile-changed.ini";
  const std::string file = AnsiFromPath(path);
  const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  IniProfile profile;
  auto write = [&](const std::string& text, fs::file_time_type stamp) {
    std::ofstream(path, std::ios::binary) << text;
    fs::last_write_time(path, stamp);
  };
  write("[s]\nk=aa\n", past);
  EXPECT_EQ("aa", profile.GetString("s", "k", "def", 1024, file));
  write("[s]\nk=bb\n", past + std::chrono::seconds(10));  // same size
  EXPECT_EQ("bb", profile.GetString("s", "k", "def", 1024, file));
  write("[s]\nk=cccc\n", past + std::chrono::seconds(10));  // same time
  EXPECT_EQ("cccc", profile.GetString("s", "k", "def", 1024, file));
  fs::remove(path);
  EXPECT_EQ("def", profile.GetString("s", "k", "def", 1024, file));

  // Changed now: same size, and the same time as far as the file system can tell.
  const fs::file_time_type now = fs::file_time_type::clock::now();
  write("[s]\nk=dd\n", now);
  EXPECT_EQ("dd", profile.GetString("s", "k", "def", 1024, file));
  write("[s]\nk=ee\n", now);
  EXPECT_EQ("ee", profile.GetString("s", "k", "def", 1024, file));
  fs::remove(path);
}

}  // namespace
}  // namespace corvandel

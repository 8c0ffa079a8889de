// What the portable INI reader decides where GetPrivateProfileStringA under
// Wine gives no steady answer to compare with, and many lookups in one file
// read once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

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

// One file read once answers every lookup: the first section of a name and
// the first line of a key name win, however the lookups come. Then the file
// changes, and the same lookups follow the new text.
TEST(IniProfile, AnswersManyLookupsFromOneReading) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() / "corvandel-profile-lookups.ini";
  const fs::path other = fs::temp_directory_path() / "corvandel-profile-other.ini";
  const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  auto write = [&](const fs::path& where, const std::string& text, fs::file_time_type stamp) {
    std::ofstream(where, std::ios::binary) << text;
    fs::last_write_time(where, stamp);
    return AnsiFromPath(where);
  };
  const std::string file = write(path,
      "top=before any header\n"
      "TOP=again\n"
      "[]\n"
      "empty=under an empty header\n"
      " [ Sec ] trailing text\n"
      "Key = first \n"
      "key=second\n"
      "\tKEY\t=third\n"
      "bare\n"
      "bare=after the bare name\n"
      "[other]\n"
      "key=other's\n"
      "[SEC]\n"
      "key=second section\n"
      "late=only in the second section\n"
      "[a]b] ; note\n"
      "x=1\n",
      past);
  const std::string otherFile = write(other, "[sec]\nkey=other file\n", past);
  IniProfile profile;
  struct Lookup {
    const char* section;
    const char* key;
    const char* expected;
  };
  auto expectAll = [&](const std::vector<Lookup>& lookups) {
    for (const Lookup& c : lookups)
      EXPECT_EQ(c.expected, profile.GetString(c.section, c.key, "def", 1024, file)) << c.section << '/' << c.key;
  };
  expectAll({
      {"",        "top",   "before any header"},
      {" ",       " Top ", "before any header"},
      {"",        "empty", "def"},  // an empty header repeats the section before any header
      {"sec",     "key",   "first"},
      {"SEC",     " kEy ", "first"},
      {" Sec\t",  "KEY",   "first"},
      {"sec",     "late",  "def"},  // in a later section of the same name
      {"sec",     "bare",  "def"},  // the line without '=' comes first
      {"sec",     "top",   "def"},
      {"other",   "KEY",   "other's"},
      {"a]b",     "x",     "1"},
      {"a",       "x",     "def"},
      {"missing", "key",   "def"},
  });
  // Another file in between is read on its own.
  EXPECT_EQ("other file", profile.GetString("sec", "key", "def", 1024, otherFile));
  EXPECT_EQ("first", profile.GetString("sec", "key", "def", 1024, file));

  write(path, "[other]\nkey=changed\n[sec]\nlate=now in the first\nkey=moved\n", past + std::chrono::seconds(10));
  expectAll({
      {"sec",   "key",  "moved"},
      {"sec",   "late", "now in the first"},
      {"other", "key",  "changed"},
      {"",      "top",  "def"},
      {"a]b",   "x",    "def"},
  });
  fs::remove(path);
  fs::remove(other);
}

}  // namespace
}  // namespace corvandel

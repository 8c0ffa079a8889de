#include "conformance/profile_conformance.h"

#include <cstdint>
#include <fstream>
#include <random>

#include "services/ansi_text.h"

// The expected results are what Wine's GetPrivateProfileStringA gives. Where
// Windows may well read otherwise, the case says so.

namespace corvandel {

using namespace std::string_literals;

namespace {

constexpr std::size_t kBuffer = 1024;  // what language lookups use
constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

}  // namespace

void ProfileConformance::SetUp() {
  profile_ = GetParam().make();
  std::random_device random;
  folder_ = std::filesystem::temp_directory_path() /
            ("corvandel-profile-" + std::to_string(random()) + "-" + std::to_string(random()));
  std::filesystem::create_directories(folder_);
}

void ProfileConformance::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string ProfileConformance::PathOf(const std::string& name) const {
  return AnsiFromPath(folder_) + kSeparator + name;
}

std::string ProfileConformance::Write(const std::string& name, const std::string& content) const {
  const std::string path = PathOf(name);
  std::ofstream(PathFromAnsi(path), std::ios::binary) << content;
  return path;
}

void ProfileConformance::ExpectCases(const std::vector<ProfileCase>& cases) {
  int index = 0;
  for (const ProfileCase& c : cases) {
    const std::string path = Write("case" + std::to_string(index++) + ".ini", c.content);
    EXPECT_EQ(c.expected, profile_->GetString(c.section, c.key, c.defaultText, c.bufferSize, path)) << c.name;
  }
}

std::string ProfileSideName(const ::testing::TestParamInfo<ProfileSide>& info) { return info.param.name; }

TEST_P(ProfileConformance, LineEndsReadAlike) {
  ExpectCases({
      {"LF",                     "[s]\na=1\nb=2\n",           "s", "b", "def", kBuffer, "2"},
      {"CRLF",                   "[s]\r\na=1\r\nb=2\r\n",     "s", "b", "def", kBuffer, "2"},
      {"CR",                     "[s]\ra=1\rb=2\r",           "s", "b", "def", kBuffer, "2"},
      {"CR then section",        "[s]\ra=1\r[t]\rb=2\r",      "t", "b", "def", kBuffer, "2"},
      {"mixed",                  "[s]\ra=1\rb=2\nc=3\rd=4\n", "s", "c", "def", kBuffer, "3"},
      {"CR ends the value",      "[s]\ra=1\rb=2\nc=3\n",      "s", "a", "def", kBuffer, "1"},
      {"no final line end",      "[s]\nb=2",                  "s", "b", "def", kBuffer, "2"},
      {"blank lines",            "\n\n[s]\n\r\n\n b=2\n\n",   "s", "b", "def", kBuffer, "2"},
  });
}

TEST_P(ProfileConformance, NamesMatchWithoutCaseAndBlanks) {
  ExpectCases({
      {"section and key case",   "[SeC]\nKeY=v\n",              "sec",   "KEY",   "def", kBuffer, "v"},
      {"blanks in the file",     "  [ s ]\t\n\t k \t=\t v \t\n", "s",     "k",     "def", kBuffer, "v"},
      {"blanks in the query",    "[s]\nk=v\n",                  "\t s ", " k\t",  "def", kBuffer, "v"},
      {"vertical tab, form feed","[s]\n\vk\f=\fv\v\n",          "s",     "k",     "def", kBuffer, "v"},
      {"Ctrl+Z is a blank",      "[s]\nk=v\x1A\n\x1A",          "s",     "k",     "def", kBuffer, "v"},
      {"inner blanks stay",      "[a b]\nc d = e  f \n",        "a b",   "c d",   "def", kBuffer, "e  f"},
      {"inner blanks must match","[s]\nc d=e\n",                "s",     "c  d",  "def", kBuffer, "def"},
      {"no-break space is text", "[s]\n\xA0k=v\xA0\n",          "s",     "\xA0k", "def", kBuffer, "v\xA0"},
      {"0x1C is text",           "[s]\nk=v\x1C\n",              "s",     "k",     "def", kBuffer, "v\x1C"},
      // Only ASCII letters fold: Wine compares E-acute and e-acute as different.
      {"non-ASCII case differs", "[\xC9t\xE9]\nk=v\n",          "\xE9T\xC9", "k", "def", kBuffer, "def"},
      {"non-ASCII same case",    "[\xC9t\xE9]\nk=v\n",          "\xC9T\xE9", "K", "def", kBuffer, "v"},
  });
}

TEST_P(ProfileConformance, SectionHeaders) {
  ExpectCases({
      {"text after the bracket", "[u]junk\ny=2\n",              "u",     "y", "def", kBuffer, "2"},
      {"comment after header",   "[t] ; note\nk=2\n",           "t",     "k", "def", kBuffer, "2"},
      {"last bracket closes",    "[a]b]\nz=3\n",                "a]b",   "z", "def", kBuffer, "3"},
      {"last bracket, not first","[a]b]\nz=3\n",                "a",     "z", "def", kBuffer, "def"},
      {"unclosed is a key line", "[a]\n[nob\nw=4\n",            "a",     "w", "def", kBuffer, "4"},
      {"unclosed opens nothing", "[a]\n[nob\nw=4\n",            "nob",   "w", "def", kBuffer, "def"},
      {"keys before any header", "k=0\n[s]\nk=1\n",             "",      "k", "def", kBuffer, "0"},
      {"header keys are apart",  "k=0\n[s]\nk=1\n",             "s",     "k", "def", kBuffer, "1"},
      // An empty header names the section the keys before any header form.
      {"empty header is a repeat","k=0\n[]\nk=1\nj=2\n",        "",      "j", "def", kBuffer, "def"},
      {"empty header alone",     "[]\nk=1\n",                   "",      "k", "def", kBuffer, "def"},
      {"no such section",        "[s]\nk=1\n",                  "t",     "k", "def", kBuffer, "def"},
      {"key of another section", "[s]\nk=1\n[t]\nj=2\n",       "s",     "j", "def", kBuffer, "def"},
  });
}

// Nothing marks a comment: a line starting with ';' is a key whose name
// starts with ';', so it never answers for the name after the ';'.
// (Whether Windows would answer a lookup of ";c" itself is not known here.)
TEST_P(ProfileConformance, SemicolonLines) {
  ExpectCases({
      {"commented key",          "[s]\n;c=1\n",                 "s", "c",   "def", kBuffer, "def"},
      {"commented after blanks", "[s]\n  ;c=1\n",               "s", "c",   "def", kBuffer, "def"},
      {"read as a key",          "[s]\n  ;c=1\n",               "s", ";c",  "def", kBuffer, "1"},
      {"inside a value",         "[s]\nk=v ; c\n",              "s", "k",   "def", kBuffer, "v ; c"},
      {"commented header",       "[s]\n;[t]\nk=1\n",            "s", "k",   "def", kBuffer, "1"},
  });
}

// Windows may merge a repeated section into the first; Wine does not look
// past the first, and neither do we.
TEST_P(ProfileConformance, FirstOfDuplicatesWins) {
  ExpectCases({
      {"first section's key",    "[s]\na=1\n[t]\n[S]\na=2\nb=3\n", "s", "a", "def", kBuffer, "1"},
      {"second section unread",  "[s]\na=1\n[t]\n[S]\na=2\nb=3\n", "s", "b", "def", kBuffer, "def"},
      {"first key wins",         "[s]\nj=1\nJ=2\n",                "s", "j", "def", kBuffer, "1"},
      {"key without '=' wins",   "[s]\nk\nk=v\n",                  "s", "k", "def", kBuffer, "def"},
  });
}

TEST_P(ProfileConformance, KeyLines) {
  ExpectCases({
      {"no '=' is no value",     "[s]\nk\n",                    "s", "k",  "def", kBuffer, "def"},
      {"empty value",            "[s]\nk=\n",                   "s", "k",  "def", kBuffer, ""},
      {"blank value",            "[s]\nk=   \t\n",              "s", "k",  "def", kBuffer, ""},
      {"first '=' splits",       "[s]\na==b\n",                 "s", "a",  "def", kBuffer, "=b"},
      {"empty name",             "[s]\n=v\n",                   "s", "",   "def", kBuffer, "v"},
      {"blank name",             "[s]\n  = v\n",                "s", " ",  "def", kBuffer, "v"},
      {"name with brackets",     "[s]\nx[1]=v\n",               "s", "x[1]", "def", kBuffer, "v"},
  });
}

TEST_P(ProfileConformance, QuotesAreStripped) {
  ExpectCases({
      {"double quotes",          "[s]\nk=\"abc\"\n",            "s", "k", "def", kBuffer, "abc"},
      {"single quotes",          "[s]\nk='abc'\n",              "s", "k", "def", kBuffer, "abc"},
      {"quotes keep blanks",     "[s]\nk= \" x \" \n",          "s", "k", "def", kBuffer, " x "},
      {"unmatched quotes stay",  "[s]\nk=\"abc'\n",             "s", "k", "def", kBuffer, "\"abc'"},
      {"one quote stays",        "[s]\nk=\"\n",                 "s", "k", "def", kBuffer, "\""},
      {"empty quotes",           "[s]\nk=\"\"\n",               "s", "k", "def", kBuffer, ""},
      {"inner quote stays",      "[s]\nk=\"a\"b\"\n",           "s", "k", "def", kBuffer, "a\"b"},
      {"leading quote only",     "[s]\nk=\"ab\n",               "s", "k", "def", kBuffer, "\"ab"},
      {"default in quotes",      "[s]\n",                       "s", "k", "\"dq\"",   kBuffer, "dq"},
      {"default in apostrophes", "[s]\n",                       "s", "k", "'dq'",     kBuffer, "dq"},
      {"default, blank first",   "[s]\n",                       "s", "k", " \"a\"",   kBuffer, " \"a\""},
      {"default, one quote",     "[s]\n",                       "s", "k", "\"",       kBuffer, "\""},
      {"default, empty quotes",  "[s]\n",                       "s", "k", "\"\"",     kBuffer, ""},
  });
}

TEST_P(ProfileConformance, DefaultTrailingSpaces) {
  ExpectCases({
      {"trailing spaces go",     "[s]\n", "s", "k", "ab  ",        kBuffer, "ab"},
      {"then quotes go",         "[s]\n", "s", "k", "\"dq\"  ",    kBuffer, "dq"},
      {"leading spaces stay",    "[s]\n", "s", "k", "  x  ",       kBuffer, "  x"},
      {"a tab is no space",      "[s]\n", "s", "k", "x\t",         kBuffer, "x\t"},
      {"a tab shields quotes",   "[s]\n", "s", "k", "\"a\" \t",    kBuffer, "\"a\" \t"},
      {"all spaces keep one",    "[s]\n", "s", "k", "   ",         kBuffer, " "},
      {"empty default",          "[s]\n", "s", "k", "",            kBuffer, ""},
      {"value wins over default","[s]\nk=v\n", "s", "k", "\"dq\"", kBuffer, "v"},
  });
}

TEST_P(ProfileConformance, BufferCutsTheResult) {
  ExpectCases({
      {"value cut",              "[s]\nk=abcdef\n",   "s", "k", "def",         4, "abc"},
      {"value just fits",        "[s]\nk=abc\n",      "s", "k", "def",         4, "abc"},
      {"one character buffer",   "[s]\nk=abc\n",      "s", "k", "def",         1, ""},
      {"no buffer",              "[s]\nk=abc\n",      "s", "k", "def",         0, ""},
      {"default cut",            "[s]\n",             "s", "k", "abcdef",      4, "abc"},
      {"quoted default cut",     "[s]\n",             "s", "k", "\"abcdef\"",  4, "abc"},
      {"quoted value cut",       "[s]\nk=\"abc\"\n",  "s", "k", "def",         3, "ab"},
      // Wine drops the last character when the buffer holds the unquoted
      // value exactly (Windows probably gives "abc"); one more and it is whole.
      {"quoted value just fits", "[s]\nk=\"abc\"\n",  "s", "k", "def",         4, "ab"},
      {"quoted value, one more", "[s]\nk=\"abc\"\n",  "s", "k", "def",         5, "abc"},
      {"quoted default just fits","[s]\n",            "s", "k", "\"ab\"",      3, "a"},
      {"quoted default, one more","[s]\n",            "s", "k", "\"ab\"",      4, "ab"},
  });
}

TEST_P(ProfileConformance, LargeBuffersReturnWholeValues) {
  const std::string value(100000, 'x');
  const std::string file = Write("big.ini", "[s]\nk=" + value + "y\nj=\"" + value + "\"\n");
  EXPECT_EQ(value + "y", profile_->GetString("s", "k", "def", 1 << 20, file));
  EXPECT_EQ(value + "y", profile_->GetString("s", "k", "def", SIZE_MAX, file));
  EXPECT_EQ(value, profile_->GetString("s", "j", "def", SIZE_MAX, file));
  EXPECT_EQ(value.substr(0, 99999), profile_->GetString("s", "k", "def", 100000, file));
  // The quoted value's buffer sizes on either side of its length.
  EXPECT_EQ(value.substr(0, 99999), profile_->GetString("s", "j", "def", 100001, file));
  EXPECT_EQ(value, profile_->GetString("s", "j", "def", 100002, file));
  // Quoted values whose length is one short of a likely allocation step come
  // whole from a bigger buffer.
  for (std::size_t length : {255u, 1023u, 4095u}) {
    const std::string step = Write("step" + std::to_string(length) + ".ini", "[s]\nk='" + value.substr(0, length) + "'\n");
    EXPECT_EQ(length, profile_->GetString("s", "k", "def", 1 << 20, step).size()) << length;
  }
}

TEST_P(ProfileConformance, MissingFilesGiveTheDefault) {
  const std::string missingFile = PathOf("missing.ini");
  const std::string missingFolder = PathOf("absent") + kSeparator + "missing.ini";
  const std::string directory = PathOf("folder.ini");
  std::filesystem::create_directory(PathFromAnsi(directory));
  const std::string present = Write("present.ini", "[s]\nk=v\n");
  // A missing file in an existing folder reads as an empty file, so the
  // default loses its quotes; a path that cannot be opened at all leaves
  // them. Windows may differ here.
  const struct {
    const char* name;
    std::string path;
    const char* defaultText;
    std::size_t bufferSize;
    std::string expected;
  } cases[] = {
      {"missing file",            missingFile,   "def",          kBuffer, "def"},
      {"missing file, quotes",    missingFile,   "\"dq\"",       kBuffer, "dq"},
      {"missing file, spaces",    missingFile,   "ab  ",         kBuffer, "ab"},
      {"missing file, cut",       missingFile,   "abcdef",       4,       "abc"},
      {"missing folder",          missingFolder, "def",          kBuffer, "def"},
      {"missing folder, quotes",  missingFolder, "\"dq\"",       kBuffer, "\"dq\""},
      {"missing folder, spaces",  missingFolder, "ab  ",         kBuffer, "ab"},
      {"missing folder, cut",     missingFolder, "\"abcdef\"",   3,       "\"a"},
      {"a directory",             directory,     "\"dq\"",       kBuffer, "\"dq\""},
      {"empty path",              "",            "\"dq\"",       kBuffer, "\"dq\""},
      {"present file",            present,       "def",          kBuffer, "v"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, profile_->GetString("s", "k", c.defaultText, c.bufferSize, c.path)) << c.name;
}

TEST_P(ProfileConformance, AnsiBytesAreKept) {
  ExpectCases({
      {"high bytes",   "[s]\nk=\xC3\xA9\x80\x81\x8D\x8F\x90\x9D\xFF\n", "s", "k", "def", kBuffer, "\xC3\xA9\x80\x81\x8D\x8F\x90\x9D\xFF"},
      {"high names",   "[\xC4\x80]\n\x80\x9F=v\n",                    "\xC4\x80", "\x80\x9F", "def", kBuffer, "v"},
      {"high default", "[s]\n",                                       "s", "k", "\x80\xFF", kBuffer, "\x80\xFF"},
  });
}

TEST_P(ProfileConformance, ByteOrderMarks) {
  ExpectCases({
      {"UTF-8 mark, first header", "\xEF\xBB\xBF[s]\r\nk=1\r\n",            "s", "k", "def", kBuffer, "1"},
      {"UTF-8 to ANSI",    "\xEF\xBB\xBF[s]\nk=\xC3\xA9\xE2\x82\xAC\xC5\xA0\xE2\x80\x9C\xC3\xBF\n", "s", "k", "def", kBuffer, "\xE9\x80\x8A\x93\xFF"},
      {"UTF-8 names",      "\xEF\xBB\xBF[\xC3\xA9t\xC3\xA9]\n\xE2\x82\xAC=v\n", "\xE9t\xE9", "\x80", "def", kBuffer, "v"},
      {"UTF-8 unmapped",   "\xEF\xBB\xBF[s]\nk=<\xE4\xB8\xAD>\n",               "s", "k", "def", kBuffer, "<?>"},
      {"UTF-8 beyond BMP", "\xEF\xBB\xBF[s]\nk=<\xF0\x9F\x98\x80>\n",           "s", "k", "def", kBuffer, "<\?\?>"},
      {"UTF-8 nameless mark line", "\xEF\xBB\xBF\xEF\xBB\xBF[s]\nk=1\n",        "s", "k", "def", kBuffer, "def"},
      {"UTF-8 mark only",  "\xEF\xBB\xBF",                                       "s", "k", "\"d\"", kBuffer, "d"},
      // Bytes that are not UTF-8: one '?' for each stretch the converter gives up on.
      {"stray bytes",      "\xEF\xBB\xBF[s]\nk=<\x80\x80\xF5\xC0>\n",        "s", "k", "def", kBuffer, "<\?\?\?\?>"},
      {"cut sequence",     "\xEF\xBB\xBF[s]\nk=<\xE2\x82>\n",                "s", "k", "def", kBuffer, "<?>"},
      {"overlong",         "\xEF\xBB\xBF[s]\nk=<\xC0\x80\xE0\x80\x80>\n",    "s", "k", "def", kBuffer, "<\?\?\?\?>"},
      {"surrogate",        "\xEF\xBB\xBF[s]\nk=<\xED\xA0\x80>\n",            "s", "k", "def", kBuffer, "<\?\?>"},
      {"beyond U+10FFFF",  "\xEF\xBB\xBF[s]\nk=<\xF4\x90\x80\x80>\n",        "s", "k", "def", kBuffer, "<\?\?\?>"},
      {"cut at file end",  "\xEF\xBB\xBF[s]\nk=x\xE2" "a",                   "s", "k", "def", kBuffer, "x?"},
      // The buffer counts UTF-16 units: a character beyond the BMP takes two.
      {"cut inside a pair","\xEF\xBB\xBF[s]\nk=\xC3\xA9\xF0\x9F\x98\x80z\n", "s", "k", "def", 3,       "\xE9?"},
      {"UTF-16LE",  "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0\xAC\x20\x00\x4E\r\0\n\0"s, "s", "k", "def", kBuffer, "\xE9\x80?"},
      {"UTF-16BE",  "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0\xE9\x20\xAC\0\n"s,                 "s", "k", "def", kBuffer, "\xE9\x80"},
      {"UTF-16 lone surrogate", "\xFF\xFE[\0s\0]\0\n\0k\0=\0\x3D\xD8x\0"s,           "s", "k", "def", kBuffer, "?x"},
      {"UTF-16 without a mark", "[\0s\0]\0\n\0k\0=\0v\0"s,                           "s", "k", "def", kBuffer, "def"},
  });
}

TEST_P(ProfileConformance, NulBytesEndNamesAndValues) {
  ExpectCases({
      {"NUL in a value",       "[s]\na=x\0y\nd=3\n"s,        "s", "a", "def", kBuffer, "x"},
      {"line after a NUL",     "[s]\na=x\0y\nd=3\n"s,        "s", "d", "def", kBuffer, "3"},
      {"NUL in a key",         "[s]\nb\0c=2\n"s,             "s", "b", "def", kBuffer, "2"},
      {"NUL at the file end",  "[s]\na=xy\n\0\0"s,           "s", "a", "def", kBuffer, "xy"},
      {"NUL in the section",   "[s\0t]\na=1\n"s,             "s", "a", "def", kBuffer, "1"},
      {"NUL in the default",   "[s]\n",                       "s", "a", "ab\0cd", kBuffer, "ab"},
  });
  const std::string file = Write("query.ini", "[s]\nk=v\n");
  EXPECT_EQ("v", profile_->GetString("s\0junk"s, "k\0junk"s, "def", kBuffer, file));
  EXPECT_EQ("v", profile_->GetString("s", "k", "def", kBuffer, file + "\0junk"s));
}

TEST_P(ProfileConformance, SurvivesAwkwardFiles) {
  std::string binary;
  for (int round = 0; round < 64; ++round)
    for (int byte = 0; byte < 256; ++byte) binary.push_back(static_cast<char>(byte * 7 + round));
  const std::string longLine(1 << 20, 'q');
  // A name handed to the A function must stay under 32767 characters: Wine's
  // conversion to UTF-16 refuses longer ones (and crashes on such a key).
  const std::string longName(30000, 'n');
  ExpectCases({
      {"binary then a section",  binary + "\n[s]\nk=v\n",            "s", "k", "def", kBuffer, "v"},
      {"huge line then section", longLine + "\n[s]\nk=v\n",          "s", "k", "def", kBuffer, "v"},
      {"huge key line",          "[s]\n" + longLine + "=1\nk=v\n",   "s", "k", "def", kBuffer, "v"},
      {"huge header",            "[" + longName + "]\nk=v\n",        longName.c_str(), "k", "def", kBuffer, "v"},
      {"huge key",               "[s]\n" + longName + "=v\n",        "s", longName.c_str(), "def", kBuffer, "v"},
      {"carriage returns only",  std::string(200000, '\r'),          "s", "k", "def", kBuffer, "def"},
      {"brackets only",          std::string(100000, '['),           "s", "k", "def", kBuffer, "def"},
  });
}

TEST_P(ProfileConformance, FileIsReadAfreshOnEveryCall) {
  const std::string file = Write("lang.ini", "[s]\nk=before\n");
  EXPECT_EQ("before", profile_->GetString("s", "k", "def", kBuffer, file));
  Write("lang.ini", "[s]\nk=after, and longer\n");
  EXPECT_EQ("after, and longer", profile_->GetString("s", "k", "def", kBuffer, file));
  std::filesystem::remove(PathFromAnsi(file));
  EXPECT_EQ("def", profile_->GetString("s", "k", "def", kBuffer, file));
}

TEST_P(ProfileConformance, PathsAreAnsi) {
  const std::string folder = PathOf("Sprache \xE9\x80");
  std::filesystem::create_directory(PathFromAnsi(folder));
  const std::string file = folder + kSeparator + "Fran\xE7" "ais.ini";
  std::ofstream(PathFromAnsi(file), std::ios::binary) << "[s]\nk=oui\n";
  EXPECT_EQ("oui", profile_->GetString("s", "k", "def", kBuffer, file));
}

}  // namespace corvandel

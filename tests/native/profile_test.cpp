// corvandel-cli profile save and profile apply: the profile's text, and what
// applying it does to a registry file.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/options.h"
#include "nav/profile.h"
#include "cli_fixture.h"
#include "history/change_history.h"
#include "nav/tree_model.h"
#include "registry_contents.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

TEST(ProfileText, ArgumentsAreQuotedWhereNeededAndReadBackAsWritten) {
  EXPECT_EQ("1013=1", ProfileArgument("1013=1"));
  EXPECT_EQ("\"1021=TAB key\"", ProfileArgument("1021=TAB key"));
  const std::string texts[] = {"", "plain", "two words", "tab\there", "quote \" and \\ back",
                               "line\r\nbreak", std::string("\x80\xff\x01", 3), "#1", "  edges  "};
  for (const std::string& text : texts) {
    std::string error;
    const auto lines = ParseProfile("2 " + ProfileArgument("1015=" + text) + " 1013=1\n", "p.txt", CatalogueDispatch(), &error);
    ASSERT_TRUE(lines) << error;
    ASSERT_EQ(1u, lines->size());
    ASSERT_EQ(2u, lines->front().settings.size());
    EXPECT_EQ(text, lines->front().settings[0].value);
    EXPECT_EQ(1015, lines->front().settings[0].controlId);
  }
}

TEST(ProfileText, CommentsAndBlankLinesAreSkippedAndLinesKeepTheirNumbers) {
  std::string error;
  const auto lines =
      ParseProfile("# a title\r\n\r\n   \t\r\n  # indented\r\n3 1013=1\r\n80 1009[2]=1 click:1016", "p", CatalogueDispatch(), &error);
  ASSERT_TRUE(lines) << error;
  ASSERT_EQ(2u, lines->size());
  EXPECT_EQ(5, (*lines)[0].lineNumber);
  EXPECT_EQ(3, (*lines)[0].tweakId);
  EXPECT_EQ(6, (*lines)[1].lineNumber);
  EXPECT_EQ(Setting::kRowCheck, (*lines)[1].settings[0].kind);
  EXPECT_EQ(Setting::kClick, (*lines)[1].settings[1].kind);
}

// A profile as Notepad saves it: every encoding and line end reads as the
// same lines; a character the ANSI code page lacks refuses the profile.
TEST(ProfileText, ProfilesAreReadInTheEncodingsAndLineEndsNotepadSaves) {
  // Every character here is its own code point: the UTF-16 forms are made
  // by hand, a byte to a unit.
  const std::string text = "# Caf\xE9\n2 \"1015=Caf\xE9 here\" 1013=1\n\n3 1013=0\n";
  const auto utf16 = [&](const std::string& lines, bool little) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : lines) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
  };
  const auto utf8 = [](const std::string& lines) {
    std::string bytes;
    for (char c : lines) bytes += c == '\xE9' ? std::string("\xC3\xA9") : std::string(1, c);
    return bytes;
  };
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string lines = text;
    for (std::size_t at = 0; (at = lines.find('\n', at)) != std::string::npos; at += std::strlen(end))
      lines.replace(at, 1, end);
    const std::pair<const char*, std::string> files[] = {
        {"ANSI", lines},
        {"UTF-8", utf8(lines)},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8(lines)},
        {"UTF-16LE", utf16(lines, true)},
        {"UTF-16BE", utf16(lines, false)},
    };
    for (const auto& [name, bytes] : files) {
      SCOPED_TRACE(std::string(name) + (end[0] == '\n' ? " LF" : end[1] ? " CR LF" : " CR"));
      std::string error;
      const auto parsed = ParseProfile(bytes, "p.txt", CatalogueDispatch(), &error);
      ASSERT_TRUE(parsed) << error;
      ASSERT_EQ(2u, parsed->size());
      EXPECT_EQ(2, (*parsed)[0].lineNumber);
      EXPECT_EQ("Caf\xE9 here", (*parsed)[0].settings[0].value);
      EXPECT_EQ(4, (*parsed)[1].lineNumber);
      EXPECT_EQ(3, (*parsed)[1].tweakId);
    }
  }
  std::string error;
  EXPECT_FALSE(ParseProfile("# x\r\r2 \"1015=\xE6\x97\xA5\"\r", "p.txt", CatalogueDispatch(), &error));
  EXPECT_EQ("p.txt:3: a character that the ANSI code page (Windows-1252) lacks", error);
  EXPECT_FALSE(ParseProfile("\xFF\xFE" "2", "p.txt", CatalogueDispatch(), &error));
  EXPECT_EQ("p.txt: a UTF-16 file with an odd number of bytes", error);
}

TEST(ProfileText, BadLinesAreNamedByFileAndLine) {
  struct Case {
    const char* line;
    const char* error;
  };
  const Case cases[] = {
      {"999 1013=1", "p.txt:2: \"999\" is not the TweakId of a tweak with an \"Apply Changes\" button"},
      {"0", "p.txt:2: \"0\" is not the TweakId of a tweak with an \"Apply Changes\" button"},  // an overview
      {"x3 1013=1", "p.txt:2: \"x3\" is not the TweakId of a tweak with an \"Apply Changes\" button"},
      {"3 1013", "p.txt:2: bad setting \"1013\": expected ID=VALUE, ID[ROW]=0|1 or click:ID"},
      {"3 \"1013=1", "p.txt:2: a quoted argument has no closing quote"},
      {"3 \"1013=\\q\"", "p.txt:2: unknown escape in a quoted argument"},
      {"3 \"1015=\\x4\"", "p.txt:2: \\x needs two hexadecimal digits"},
      {"3 \"1013=1\"x", "p.txt:2: a blank must follow a closing quote"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseProfile(std::string("# ok\n") + c.line + "\n3 1013=1\n", "p.txt", CatalogueDispatch(), &error)) << c.line;
    EXPECT_EQ(c.error, error);
  }
}

class ProfileTest : public CliAppTest {
 protected:
  // A few keys every Windows machine has, which tweaks open but do not create.
  static constexpr const char* kMachine =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace]\r\n";

  // Saves every tweak's page and applies it again until the registry stays
  // as it is: on a new registry an untouched apply writes values into keys
  // that other tweaks create, so it takes more than one pass.
  void Settle(const std::string& reg) {
    for (int pass = 0; pass < 3; ++pass) {
      ASSERT_EQ(kExitOk, Run({"profile", "save", File("settle.txt"), "--registry", reg})) << err.str();
      Run({"profile", "apply", File("settle.txt"), "--registry", reg});
      ASSERT_NE(std::string::npos, out.str().find(", failed 0\n")) << out.str();  // refusals only
    }
  }

  // A settled machine with tweaks of each kind of control set away from what
  // a new registry loads.
  std::string ChangedMachine() {
    const std::string reg = WriteReg("r.reg", kMachine);
    Settle(reg);
    const std::vector<std::vector<std::string>> changes = {
        {"3", "1013=1"},
        {"2", "1013=1", "1015=Command Prompt Here"},
        {"8", "1021=TAB key", "1022=#3"},
        {"5", "1007=#3"},
        {"12", "1015=echo \"a b\" \\\\server\\x"},
        {"80", "1009[2]=1", "1009[8]=1"},
        {"82", "1013=1", "1021=#30"},
    };
    for (std::vector<std::string> change : changes) {
      change.insert(change.begin(), "apply");
      change.insert(change.end(), {"--registry", reg});
      EXPECT_EQ(kExitOk, Run(change)) << err.str();
    }
    Settle(reg);
    return reg;
  }

  std::string ShowAll(const std::string& reg) {
    std::vector<std::string> args = {"show"};
    for (const TreeRow& row : TreeRows())
      if (CatalogueDispatch().HasApplyRoutine(row.tweakId)) args.push_back(std::to_string(row.tweakId));
    args.insert(args.end(), {"--registry", reg});
    EXPECT_EQ(kExitOk, Run(args)) << err.str();
    return out.str();
  }
};

TEST_F(ProfileTest, ApplyingWhatWasSavedOnTheSameRegistryChangesNothing) {
  const std::string reg = ChangedMachine();
  const std::optional<std::string> before = ReadWholeFile(reg);
  ASSERT_EQ(kExitOk, Run({"profile", "save", File("p.txt"), "--registry", reg})) << err.str();
  const std::string profile = *ReadWholeFile(File("p.txt"));
  for (const char* line : {"# Allow UNC Paths at the Command Prompt\r\n3 1013=1\r\n",
                           "\r\n8 \"1021=TAB key\" 1022=Ctrl-D\r\n", "\r\n5 1007=#3\r\n",
                           "\r\n12 \"1015=echo \\\"a b\\\" \\\\\\\\server\\\\x\"\r\n",
                           "\r\n80 1009[0]=0 1009[1]=0 1009[2]=1 1009[3]=0"})
    EXPECT_NE(std::string::npos, profile.find(line)) << line;
  Run({"profile", "apply", File("p.txt"), "--registry", reg});
  EXPECT_EQ(before, ReadWholeFile(reg));
}

TEST_F(ProfileTest, SavedOnOneRegistryAndAppliedOnAnotherGivesTheSameStates) {
  const std::string source = ChangedMachine();
  ASSERT_EQ(kExitOk, Run({"profile", "save", File("p.txt"), "2", "3", "5", "8", "12", "80", "82",
                          "--registry", source}))
      << err.str();
  const std::string target = WriteReg("t.reg", kMachine);
  Settle(target);
  ASSERT_EQ(kExitOk, Run({"profile", "apply", File("p.txt"), "--registry", target})) << err.str();
  EXPECT_EQ("applied 7, refused 0, failed 0", Lines().back());
  // Every tweak, not only those of the profile: applying it touches nothing else.
  Run({"profile", "save", File("all.txt"), "--registry", source});
  Run({"profile", "apply", File("all.txt"), "--registry", target});
  EXPECT_EQ(ShowAll(source), ShowAll(target));
}

// A registry file's contents, and those of another file imported over them,
// outside the program's own key.
std::map<std::string, std::set<std::string>> Loaded(const std::string& file, const std::string& over = "") {
  MemoryRegistry registry;
  std::string error;
  EXPECT_TRUE(LoadRegistryFile(file, registry, &error)) << error;
  if (!over.empty()) {
    EXPECT_TRUE(LoadRegistryFile(over, registry, &error)) << error;
  }
  auto contents = RegistryContents(registry);
  contents.erase(RegistryKeyName(reg::kCurrentUser, kProgramKey));
  return contents;
}

// Every tweak set on a new machine, and then on that machine again: the
// changes file imported over a copy of the registry as it was gives the
// registry as the run left it, and a run that changes nothing lists nothing.
TEST_F(ProfileTest, TheChangesFileOverTheRegistryBeforeTheRunGivesTheRegistryAfterIt) {
  const std::string source = ChangedMachine();
  ASSERT_EQ(kExitOk, Run({"profile", "save", File("p.txt"), "--registry", source})) << err.str();
  const std::string target = WriteReg("t.reg", kMachine);
  const std::string before = WriteReg("before.reg", kMachine);
  Run({"profile", "apply", File("p.txt"), "--registry", target, "--changes", File("c.reg")});
  ASSERT_NE(std::string::npos, out.str().find(", failed 0\n")) << out.str();
  const std::string changes = *ReadWholeFile(File("c.reg"));
  EXPECT_EQ(0u, changes.find("REGEDIT4\r\n; The changes made by: corvandel-cli profile apply "));
  // The program's own values, written when it first starts, are no change of the run.
  EXPECT_EQ(std::string::npos, changes.find(kProgramKey));
  EXPECT_NE(Loaded(before), Loaded(target));
  EXPECT_EQ(Loaded(target), Loaded(before, File("c.reg")));

  // A second pass sets what needed a key the first one created; a third changes nothing.
  Run({"profile", "apply", File("p.txt"), "--registry", target});
  Run({"profile", "apply", File("p.txt"), "--registry", target, "--changes", File("c.reg")});
  EXPECT_EQ(2u, SplitLines(*ReadWholeFile(File("c.reg"))).size()) << *ReadWholeFile(File("c.reg"));
}

TEST_F(ProfileTest, ApplyReportsEachLineUnderItsTitleAndCountsThem) {
  const std::string reg = MachineReg();
  scratch.Write("p.txt",
                "# refused: an empty path\n20 1015=\n"
                "# failed: a hidden control\n3 1013=1 1018=1\n"
                "82 1013=1 1021=#30\n");
  EXPECT_EQ(kExitRefused, Run({"profile", "apply", File("p.txt"), "--registry", reg}));
  EXPECT_EQ((std::vector<std::string>{
                "20 Specify the Alternat Debugging Utility",
                "alert \"A L E R T\" \"Please Set the Alternate Program Path\"",
                "3 Allow UNC Paths at the Command Prompt",
                "failed (line 4): control 1018 is hidden",
                "82 Change the Screen Saver Grace Period",
                "applied 1, refused 1, failed 1",
            }),
            Lines());
  EXPECT_EQ("corvandel-cli: 2 of 3 lines of " + File("p.txt") + " were not applied\n", err.str());
  // What applied is kept.
  ASSERT_EQ(kExitOk, Run({"show", "82", "--registry", reg}));
  EXPECT_NE(std::string::npos, out.str().find("1021 combo 30 \"30\""));
}

TEST_F(ProfileTest, ABadLineRefusesTheWholeProfile) {
  const std::string reg = MachineReg();
  const std::optional<std::string> before = ReadWholeFile(reg);
  scratch.Write("p.txt", "82 1013=1 1021=#30\n3 1013=1 1018\n");
  EXPECT_EQ(kExitFileError, Run({"profile", "apply", File("p.txt"), "--registry", reg}));
  EXPECT_EQ("corvandel-cli: " + File("p.txt") +
                ":2: bad setting \"1018\": expected ID=VALUE, ID[ROW]=0|1 or click:ID\n",
            err.str());
  EXPECT_EQ("", out.str());
  EXPECT_EQ(before, ReadWholeFile(reg));

  EXPECT_EQ(kExitFileError, Run({"profile", "apply", File("none.txt"), "--registry", reg}));
  EXPECT_EQ(kExitUsage, Run({"profile", "save", File("p.txt"), "0", "--registry", reg}));
  EXPECT_EQ("corvandel-cli: bad TweakId \"0\": expected a tweak with an \"Apply Changes\" button\n", err.str());
  EXPECT_EQ(kExitUsage, Run({"profile", "apply", File("p.txt"), "3", "--registry", reg}));
}

}  // namespace
}  // namespace corvandel

// corvandel-cli as a user runs it: whole command lines over registry files.
#include <gtest/gtest.h>

#include <cstdlib>
#ifdef CORVANDEL_CLI_PATH
#include <sys/wait.h>
#endif
#include <filesystem>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/options.h"
#include "nav/tree_model.h"
#include "scratch_folder.h"
#include "services/file_text.h"
#include "services/profile_ini.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CliAppTest : public ::testing::Test {
 protected:
  CliAppTest() {
    host.platform.programFolder = scratch.Ansi();
    host.platform.today = {2007, 3, 7};
    host.profile = std::make_unique<IniProfile>();
  }

  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return RunCli(args, host, out, err);
  }
  std::vector<std::string> Lines() const { return SplitLines(out.str()); }

  std::string File(const std::string& name) const { return scratch.Ansi() + "\\" + name; }
  std::string WriteReg(const std::string& name, const std::string& content) {
    scratch.Write(name, content);
    return File(name);
  }
  // A machine's registry has HKEY_CURRENT_USER\Software, where the program
  // keeps its own values.
  std::string MachineReg() { return WriteReg("r.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n"); }

  CliHost host;
  ScratchFolder scratch;
  std::ostringstream out, err;
};

TEST_F(CliAppTest, TreeShowsEveryNodeIndentedUnderItsParent) {
  ASSERT_EQ(kExitOk, Run({"tree", "--registry", File("missing.reg")})) << err.str();
  const auto lines = Lines();
  ASSERT_EQ(270u, lines.size());
  const std::vector<std::string> first(lines.begin(), lines.begin() + 5);
  EXPECT_EQ((std::vector<std::string>{"0 Accessories", "  1 Command Processor",
                                      "    2 Add Command Prompt Option to Every Folder",
                                      "    3 Allow UNC Paths at the Command Prompt",
                                      "    5 Change the Command Prompt Colors"}),
            first);
  EXPECT_EQ("  13 Dr Watson", lines[12]);
  // Each line's parent is the nearest line above it indented one level less.
  std::vector<int> open;  // the ids of the lines above, by depth
  for (const std::string& line : lines) {
    const std::size_t indent = line.find_first_not_of(' ');
    ASSERT_EQ(0u, indent % 2) << line;
    const std::size_t depth = indent / 2;
    ASSERT_LE(depth, open.size()) << line;
    const int id = std::stoi(line.substr(indent));
    const TreeRow* row = FindTreeRow(id);
    ASSERT_NE(nullptr, row) << line;
    EXPECT_EQ(depth == 0 ? kNoParent : open[depth - 1], row->parentId) << line;
    open.resize(depth);
    open.push_back(id);
  }
  EXPECT_TRUE(err.str().empty());
  EXPECT_FALSE(fs::exists(PathFromAnsi(File("missing.reg"))));  // only apply writes the file
}

TEST_F(CliAppTest, TreeShowsTheLanguageFilesTexts) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Corvandel]\r\n\"Language\"=\"Deutsch\"\r\n");
  scratch.Write("Language\\Deutsch.ini", "[1004]\r\n12=Eingabeaufforderung\r\n");
  ASSERT_EQ(kExitOk, Run({"tree", "--registry", reg}));
  EXPECT_EQ("  1 Eingabeaufforderung", Lines()[1]);
}

TEST_F(CliAppTest, ShowSelectsEachNodeInTurnAndPrintsItsPage) {
  const std::string reg = MachineReg();
  const std::string before = *ReadWholeFile(reg);
  ASSERT_EQ(kExitOk, Run({"show", "1", "4", "0", "--registry", reg})) << err.str();
  const std::vector<std::string> expected = {
      "page CListCheckPage",
      "1006 static \"Command Processor:\\nEnhancements for the Command Processor and DOS prompt.\"",
      "1007 list columns=\"Name\",\"Data Modified\" rows=10 selected=-1",
      "1007[0] \"Add Command Prompt Option to Every Folder\" \"3/7/2007\"",
  };
  const auto lines = Lines();
  ASSERT_GT(lines.size(), 15u);
  EXPECT_EQ(expected, std::vector<std::string>(lines.begin(), lines.begin() + 4));
  EXPECT_EQ("1007[9] \"Run Startup Programs in Command Prompt\" \"3/7/2007\"", lines[12]);
  EXPECT_EQ("page none", lines[13]);  // 4 is a row of the table, not a node
  EXPECT_EQ("page CListCheckPage", lines[14]);
  EXPECT_EQ("1006 static \"Accessories:\\nTweak and Settings for Windows Accessories and Components.\"", lines[15]);

  // The history was built beside the program, as the window does on its first
  // start; the registry file is read, not written.
  const auto history = ReadWholeFile(File("DFile.kvd"));
  ASSERT_TRUE(history);
  EXPECT_EQ(310u, SplitLines(*history).size());
  EXPECT_EQ(before, ReadWholeFile(reg));
}

TEST_F(CliAppTest, ApplyOfANodeWithoutApplyChangesIsAUsageError) {
  const std::string reg = MachineReg();
  const std::string before = *ReadWholeFile(reg);
  EXPECT_EQ(kExitUsage, Run({"apply", "1", "--registry", reg}));
  EXPECT_EQ("corvandel-cli: TweakId 1 has no \"Apply Changes\" button: nothing to apply\n", err.str());
  EXPECT_EQ("", out.str());
  EXPECT_EQ(before, ReadWholeFile(reg));
}

TEST_F(CliAppTest, ErrorsAreOneLineOnStandardErrorWithTheirStatus) {
  const std::string bad = WriteReg("bad.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software]\r\nDisableUNCCheck=1\r\n");
  const std::string good = MachineReg();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string error;
  };
  const Case cases[] = {
      {{"show", "3", "--registry", bad}, kExitFileError, bad + ":3: cannot read this line"},
      {{"apply", "3", "1013=1", "--registry", bad}, kExitFileError, bad + ":3: cannot read this line"},
      {{"show", "3"}, kExitUsage, "--registry FILE is required: this build has no system registry"},
      {{"show", "310", "--registry", good}, kExitUsage, "bad TweakId \"310\""},
      {{"apply", "3", "1013", "--registry", good}, kExitUsage, "bad setting \"1013\""},
      {{"apply", "0", "1013=1", "--registry", good}, kExitUsage, "TweakId 0 has no \"Apply Changes\" button"},
      {{"show", "3", "--registry", scratch.Ansi()}, kExitFileError, scratch.Ansi() + ": cannot read the file"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.status, Run(c.args)) << c.error;
    const auto lines = SplitLines(err.str());
    ASSERT_EQ(1u, lines.size()) << err.str();
    EXPECT_EQ("corvandel-cli: " + c.error, lines[0].substr(0, 15 + c.error.size())) << lines[0];
    EXPECT_EQ("", out.str()) << c.error;
  }
}

TEST_F(CliAppTest, HelpPrintsTheUsage) {
  ASSERT_EQ(kExitOk, Run({"--help"}));
  EXPECT_EQ(std::string(kCliUsage), Lines()[0]);
}

TEST_F(CliAppTest, SystemRegistryIsUsedWithoutARegistryFile) {
  auto* system = new MemoryRegistry;
  host.systemRegistry.reset(system);
  ASSERT_EQ(kExitOk, Run({"show", "0"})) << err.str();
  // Start-up wrote the program's own values into the system registry.
  std::vector<std::uint8_t> language;
  EXPECT_FALSE(system->Get(reg::kCurrentUser, "Software\\Corvandel", "Language", nullptr, &language));  // no Software key
  RegKey key = 0;
  system->CreateKey(reg::kCurrentUser, "Software", &key);
  system->CloseKey(key);
  ASSERT_EQ(kExitOk, Run({"show", "0"})) << err.str();
  EXPECT_TRUE(system->Get(reg::kCurrentUser, "Software\\Corvandel", "Language", nullptr, &language));
  EXPECT_EQ(std::vector<std::uint8_t>({'E', 'n', 'g', 'l', 'i', 's', 'h'}), language);
}

#ifdef CORVANDEL_CLI_PATH
// The built program, run as a user would from a shell.
TEST_F(CliAppTest, BuiltProgramRunsFromTheShell) {
  const std::string outFile = File("out.txt"), errFile = File("err.txt");
  const std::string program = std::string("'") + CORVANDEL_CLI_PATH + "'";
  const auto run = [&](const std::string& args) {
    const std::string command = program + " " + args + " >'" + AnsiFromPath(PathFromAnsi(outFile)) + "' 2>'" +
                                AnsiFromPath(PathFromAnsi(errFile)) + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  const std::string reg = AnsiFromPath(PathFromAnsi(MachineReg()));
  const std::string home = AnsiFromPath(scratch.path());
  EXPECT_EQ(0, run("tree --registry '" + reg + "' --home '" + home + "'"));
  EXPECT_EQ(270u, SplitLines(*ReadWholeFile(outFile)).size());
  EXPECT_EQ(2, run("show 999 --registry '" + reg + "'"));
  EXPECT_EQ("corvandel-cli: bad TweakId \"999\": expected a number from 0 to 309\n", ReadWholeFile(errFile));
  EXPECT_EQ(1, run("show 0 --registry '" + home + "'"));
}
#endif

}  // namespace
}  // namespace corvandel

// corvandel-cli as a user runs it: whole command lines over registry files.
#include <gtest/gtest.h>

#include <cstdlib>
#ifdef CORVANDEL_CLI_PATH
#include <sys/wait.h>
#endif
#include <filesystem>
#include <sstream>

#include "cli/cli_app.h"
#include "cli_fixture.h"
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

// A language file translates the titles table: descriptions show its titles,
// the tree keeps its own texts and takes the TweakIds it gives.
TEST_F(CliAppTest, TreeKeepsItsTextsUnderALanguageFileThatRenamesRows) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Corvandel]\r\n\"Language\"=\"Deutsch\"\r\n");
  scratch.Write("Language\\Deutsch.ini",
                "[1004]\r\n12=Eingabeaufforderung\r\n22=Eingabeaufforderung in jedem Ordner\r\n"
                "31=4\r\n42=Zeile 3 als 4\r\n");
  ASSERT_EQ(kExitOk, Run({"tree", "--registry", reg})) << err.str();
  const auto lines = Lines();
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ("  1 Command Processor", lines[1]);
  EXPECT_EQ("    2 Add Command Prompt Option to Every Folder", lines[2]);
  EXPECT_EQ("    4 Allow UNC Paths at the Command Prompt", lines[3]);
  EXPECT_EQ(std::string::npos, out.str().find("Eingabe"));

  ASSERT_EQ(kExitOk, Run({"show", "2", "--registry", reg})) << err.str();
  EXPECT_NE(std::string::npos, out.str().find("\n1006 static \"Eingabeaufforderung in jedem Ordner:\\n")) << out.str();
  ASSERT_EQ(kExitOk, Run({"show", "1", "--registry", reg})) << err.str();
  EXPECT_NE(std::string::npos, out.str().find("1006 static \"Eingabeaufforderung:\\n")) << out.str();
  // The overview lists rows by their table titles.
  EXPECT_NE(std::string::npos, out.str().find("1007[0] \"Eingabeaufforderung in jedem Ordner\"")) << out.str();
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

TEST_F(CliAppTest, ErrorsAreOneLineOnStandardErrorWithTheirStatus) {
  const std::string bad = WriteReg("bad.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software]\r\nDisableUNCCheck=1\r\n");
  const std::string good = MachineReg();
  const std::string before = *ReadWholeFile(good);
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string error;
  };
  const Case cases[] = {
      {{"show", "3", "--registry", bad}, kExitFileError, bad + ":3: cannot read this line"},
      {{"apply", "3", "1013=1", "--registry", bad}, kExitFileError, bad + ":3: cannot read this line"},
      {{"show", "3"}, kExitUsage, "--registry FILE is required: this build has no system registry"},
      {{"apply", "3", "1013=1"}, kExitUsage, "--registry FILE is required: this build has no system registry"},
      {{"apply", "3", "1013", "--registry", good}, kExitUsage, "bad setting \"1013\""},
      {{"apply", "1", "--registry", good}, kExitUsage, "TweakId 1 has no \"Apply Changes\" button: nothing to apply"},
      {{"show", "3", "--registry", scratch.Ansi()}, kExitFileError, scratch.Ansi() + " is a folder"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.status, Run(c.args)) << c.error;
    const auto lines = SplitLines(err.str());
    ASSERT_EQ(1u, lines.size()) << err.str();
    EXPECT_EQ("corvandel-cli: " + c.error, lines[0].substr(0, 15 + c.error.size())) << lines[0];
    EXPECT_EQ("", out.str()) << c.error;
    EXPECT_EQ(before, ReadWholeFile(good)) << c.error;
  }
}

// Without a system registry the tree is shown over an empty one: no history
// is started and no file is written.
TEST_F(CliAppTest, TreeNeedsNoRegistry) {
  ASSERT_EQ(kExitOk, Run({"tree", "--home", scratch.Ansi()})) << err.str();
  const auto lines = Lines();
  ASSERT_EQ(270u, lines.size());
  EXPECT_EQ("  1 Command Processor", lines[1]);
  EXPECT_EQ("", err.str());
  EXPECT_TRUE(fs::is_empty(scratch.path()));
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

// Golden runs over Accessories tweaks. The expected pages hold the captions,
// notes and alert texts the catalogue gives these tweaks.

const std::string kUncDescription =
    "1006 static \"Allow UNC Paths at the Command Prompt:\\nWhen the command prompt starts with a network (UNC) path "
    "as its current folder, it shows a warning and switches to the Windows folder. This tweak turns that check off, "
    "so the command prompt can start in a network folder without the warning.\"";
const std::string kUncNote =
    "1024 static \"Note:\\n\\tyou may need to restart or log out of Windows for the change to take effect.\\nIf you "
    "enable this feature and start a Console that has a current directory of an UNC name, start applications from "
    "that Console, and then close the Console, it could cause problems in the applications started from that "
    "Console.\"";
const std::string kCommandProcessorKey = "Software\\Microsoft\\Command Processor";

std::optional<std::vector<std::uint8_t>> ValueIn(const std::string& regFile, RegKey root, const std::string& path,
                                                 const std::string& name, std::uint32_t* type = nullptr) {
  MemoryRegistry registry;
  std::string error;
  EXPECT_TRUE(LoadRegistryFile(regFile, registry, &error)) << error;
  std::vector<std::uint8_t> data;
  if (!registry.Get(root, path, name, type, &data)) return std::nullopt;
  return data;
}

TEST_F(CliAppTest, ApplyWritesTheValueIntoTheFileAndRecordsTheHistoryInHome) {
  const std::string reg =
      WriteReg("r.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "6", "--registry", reg, "--home", scratch.Ansi(), "--today", "2007-03-07"}))
      << err.str();
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--registry", reg, "--home", scratch.Ansi(), "--today", "2008-05-06"}))
      << err.str();
  EXPECT_EQ((std::vector<std::string>{"page CMultiCheckPage", kUncDescription,
                                      "1013 check 1 \"Allow UNC paths and remove the warning message\"", kUncNote,
                                      "1016 button \"Apply Changes\""}),
            Lines());
  EXPECT_EQ("", err.str());

  const std::string text = *ReadWholeFile(reg);
  EXPECT_NE(std::string::npos, text.find("[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
                                         "\"EnableExtensions\"=dword:00000001\r\n"
                                         "\"DisableUNCCheck\"=dword:00000001\r\n"))
      << text;
  std::uint32_t type = 0;
  EXPECT_EQ(std::vector<std::uint8_t>({1, 0, 0, 0}),
            ValueIn(reg, reg::kCurrentUser, kCommandProcessorKey, "DisableUNCCheck", &type));
  EXPECT_EQ(reg::kDword, type);

  const std::string history = *ReadWholeFile(File("DFile.kvd"));
  EXPECT_NE(std::string::npos, history.find("win_tweak(\"Allow UNC Paths at the Command Prompt\",5/6/2008)\r\n"));
  EXPECT_NE(std::string::npos, history.find("win_tweak(\"Disable Command Processor Extentions\",3/7/2007)\r\n"));
  // The next run reads the dates back: the flag that the history was built
  // travelled in the registry file.
  ASSERT_EQ(kExitOk, Run({"show", "1", "--registry", reg, "--today", "2009-01-01"}));
  const auto lines = Lines();
  EXPECT_EQ("1007[1] \"Allow UNC Paths at the Command Prompt\" \"5/6/2008\"", lines[4]);
  EXPECT_EQ("1007[3] \"Disable Command Processor Extentions\" \"3/7/2007\"", lines[6]);
}

// A file written back changes only where the registry changed: keys it named
// stay as they were, even where they hold nothing, and no key appears that the
// run did not create.
TEST_F(CliAppTest, ApplyWritesBackOnlyWhatChanged) {
  const std::string original =
      "REGEDIT4\r\n\r\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
      "\"CompletionChar\"=dword:00000009\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Command Processor]\r\n"
      "\"CompletionChar\"=dword:00000004\r\n\r\n";
  const std::string reg = WriteReg("r.reg", original);
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--registry", reg})) << err.str();
  EXPECT_EQ(
      "REGEDIT4\r\n\r\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
      "\"CompletionChar\"=dword:00000009\r\n"
      "\"DisableUNCCheck\"=dword:00000001\r\n\r\n"  // the tweak's value
      "[HKEY_CURRENT_USER\\Software\\Corvandel]\r\n"  // the program's own values, new with the history,
      "\"Language\"=hex(1):45,6e,67,6c,69,73,68\r\n"    // after the other keys under Software
      "\"DateModefiedFlage\"=dword:00000001\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Command Processor]\r\n"
      "\"CompletionChar\"=dword:00000004\r\n\r\n",
      ReadWholeFile(reg));
  // Applied again with nothing to change, the file stays byte for byte.
  const std::string once = *ReadWholeFile(reg);
  ASSERT_EQ(kExitOk, Run({"apply", "3", "--registry", reg})) << err.str();
  EXPECT_EQ(once, ReadWholeFile(reg));
}

TEST_F(CliAppTest, RefusedVersionAlertsAndPutsTheCheckBoxBack) {
  const std::string reg = WriteReg("r.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--windows", "98", "--registry", reg})) << err.str();
  EXPECT_EQ((std::vector<std::string>{"alert \"A L E R T\" \"This Tweak is active only on Windows NT/2000/XP\"",
                                      "page CMultiCheckPage", kUncDescription,
                                      "1013 check 0 \"Allow UNC paths and remove the warning message\"", kUncNote,
                                      "1016 button \"Apply Changes\""}),
            Lines());
  EXPECT_FALSE(ValueIn(reg, reg::kCurrentUser, kCommandProcessorKey, "DisableUNCCheck"));
  // Windows 2000 by its record is admitted.
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--windows", "2.5.0", "--registry", reg}));
  EXPECT_EQ(std::vector<std::uint8_t>({1, 0, 0, 0}), ValueIn(reg, reg::kCurrentUser, kCommandProcessorKey, "DisableUNCCheck"));
}

TEST_F(CliAppTest, ShowReadsTheFileIntoThePage) {
  const std::string reg = WriteReg("r.reg",
                                   "Windows Registry Editor Version 5.00\r\n\r\n"
                                   "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
                                   "\"DisableUNCCheck\"=dword:00000001\r\n\"CompletionChar\"=dword:00000004\r\n");
  ASSERT_EQ(kExitOk, Run({"show", "3", "8", "--registry", reg})) << err.str();
  const auto lines = Lines();
  ASSERT_EQ(13u, lines.size()) << out.str();
  EXPECT_EQ("1013 check 1 \"Allow UNC paths and remove the warning message\"", lines[2]);
  EXPECT_EQ("page CComboCheckPage", lines[5]);
  EXPECT_EQ("1014 static \"Command Completion(Current User)\"", lines[7]);
  EXPECT_EQ("1021 combo 3 \"Ctrl-D\" items=5", lines[8]);
  EXPECT_EQ("1019 static \"Command Completion(All Users)\"", lines[9]);
  EXPECT_EQ("1022 combo -1 \"\" items=5", lines[10]);
}

TEST_F(CliAppTest, ApplySetsCombosListsAndEditsAsAUserWould) {
  const std::string reg =
      WriteReg("r.reg",
               "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"
               "\"Debugger\"=\"drwtsn32 -p %ld -e %ld -g\"\r\n");
  // Combo boxes by item text and by index.
  ASSERT_EQ(kExitOk, Run({"apply", "8", "1021=TAB key", "1022=#3", "--registry", reg})) << err.str();
  EXPECT_EQ(std::vector<std::uint8_t>({9, 0, 0, 0}), ValueIn(reg, reg::kCurrentUser, kCommandProcessorKey, "CompletionChar"));
  EXPECT_EQ(std::vector<std::uint8_t>({4, 0, 0, 0}), ValueIn(reg, reg::kLocalMachine, kCommandProcessorKey, "CompletionChar"));
  // A list row by its item text: the selected row's index is stored.
  ASSERT_EQ(kExitOk, Run({"apply", "5", "1007=0A", "--registry", reg})) << err.str();
  EXPECT_EQ(std::vector<std::uint8_t>({10, 0, 0, 0}), ValueIn(reg, reg::kCurrentUser, kCommandProcessorKey, "DefaultColor"));
  EXPECT_NE(std::string::npos, out.str().find("rows=16 selected=10\n")) << out.str();
  // The browse button fills the edit with the dialog's answer, in quotes.
  ASSERT_EQ(kExitOk, Run({"apply", "20", "click:1023", "--browse", "C:\\Debuggers\\windbg.exe", "--registry", reg}))
      << err.str();
  EXPECT_NE(std::string::npos, out.str().find("1015 edit \"\\\"C:\\\\Debuggers\\\\windbg.exe\\\"\"\n")) << out.str();
  const std::string debugger = "\"C:\\Debuggers\\windbg.exe\" -p %ld -e %ld -g";  // written without its zero
  EXPECT_EQ(std::vector<std::uint8_t>(debugger.begin(), debugger.end()),
            ValueIn(reg, reg::kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug", "Debugger"));
}

TEST_F(CliAppTest, RequiredEditLeftEmptyAlertsAndWritesNothing) {
  const std::string reg = WriteReg("r.reg", "REGEDIT4\r\n[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "2", "1013=1", "--registry", reg})) << err.str();
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ("alert \"A L E R T\" \"Please Set the Command Prompt Menu Name\"", lines[0]);
  EXPECT_EQ("1013 check 0 \"Enable Command Prompt menu option\"", lines[3]);
  MemoryRegistry registry;
  std::string error;
  ASSERT_TRUE(LoadRegistryFile(reg, registry, &error));
  EXPECT_FALSE(registry.KeyExists(reg::kClassesRoot, "Directory\\shell\\Command"));

  ASSERT_EQ(kExitOk, Run({"apply", "2", "1013=1", "1015=Command Prompt Here", "--registry", reg})) << err.str();
  const std::string label = "Command Prompt Here", command = "cmd.exe /k cd %1";
  EXPECT_EQ(std::vector<std::uint8_t>(label.begin(), label.end()),
            ValueIn(reg, reg::kClassesRoot, "Directory\\shell\\Command", ""));
  EXPECT_EQ(std::vector<std::uint8_t>(command.begin(), command.end()),
            ValueIn(reg, reg::kClassesRoot, "Directory\\shell\\Command\\command", ""));
}

TEST_F(CliAppTest, SettingsForControlsTheTweakDoesNotShowAreErrorsAndNothingIsWritten) {
  const std::string reg = WriteReg("r.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n");
  const std::string before = *ReadWholeFile(reg);
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{"apply", "3", "1013=1", "1018=1"}, "corvandel-cli: control 1018 is hidden\n"},
      {{"apply", "3", "1015=x"}, "corvandel-cli: the page shown has no control 1015\n"},
      {{"apply", "3", "1013=2"}, "corvandel-cli: control 1013 is a check box: give it 0 or 1\n"},
      {{"apply", "8", "1021=#5"}, "corvandel-cli: combo box 1021 has no item \"#5\" (it has 5)\n"},
      {{"apply", "5", "1007=#16"}, "corvandel-cli: list view 1007 has no row \"#16\" (it has 16)\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--registry", reg});
    EXPECT_EQ(kExitUsage, Run(args)) << c.error;
    EXPECT_EQ(c.error, err.str());
    EXPECT_EQ("", out.str());
    EXPECT_EQ(before, ReadWholeFile(reg)) << c.error;
  }
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

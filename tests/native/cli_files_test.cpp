// corvandel-cli and the files of a command: all or nothing, one run at a
// time, nothing rewritten that did not change, and every refusal named.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/options.h"
#include "cli_fixture.h"
#include "history/change_history.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCmdKey = "Software\\Microsoft\\Command Processor";
const std::string kMachine = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
                             "\"DisableUNCCheck\"=dword:00000000\r\n";

std::optional<std::uint32_t> Dword(const std::string& reg, const char* name) {
  MemoryRegistry registry;
  std::string error;
  if (!LoadRegistryFile(reg, registry, &error)) return std::nullopt;
  return RegistryKey::Open(registry, reg::kCurrentUser, kCmdKey).ReadDword(name);
}

// The file layer failing at one step of one of the command's files: the
// backup, the changes file, the registry file, the history. Whatever
// fails, the files are all as they were, and the error names the file.
TEST_F(CliAppTest, AFileFailingAtAnyStepOfAnApplyChangesNothing) {
  struct Case {
    const char* file;  // part of the failing path
    FileStep step;
  };
  const Case cases[] = {
      {"\\Backup\\", FileStep::kWrite}, {"c.reg", FileStep::kWrite},  {"r.reg", FileStep::kWrite},
      {"DFile.kvd", FileStep::kWrite},  {"\\Backup\\", FileStep::kReplace}, {"c.reg", FileStep::kReplace},
      {"r.reg", FileStep::kReplace},    {"DFile.kvd", FileStep::kReplace},
  };
  const std::string reg = WriteReg("r.reg", kMachine);
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--registry", reg, "--changes", File("c.reg")})) << err.str();
  host.platform.today = {2008, 1, 2};  // so that the history changes too
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + (c.step == FileStep::kWrite ? " write" : " replace"));
    const auto before = FolderContents(scratch.path());
    host.fileFaults = [&](FileStep step, const std::string& path) -> std::optional<std::string> {
      if (step == c.step && path.find(c.file) != std::string::npos) return "No space left on device";
      return std::nullopt;
    };
    EXPECT_EQ(kExitFileError, Run({"apply", "3", "1013=0", "--registry", reg, "--changes", File("c.reg")}));
    EXPECT_NE(std::string::npos, err.str().find(c.file)) << err.str();
    EXPECT_NE(std::string::npos, err.str().find(": cannot write: No space left on device")) << err.str();
    EXPECT_EQ(1u, SplitLines(err.str()).size()) << err.str();
    EXPECT_EQ(before, FolderContents(scratch.path()));
  }
  host.fileFaults = nullptr;
  const auto before = FolderContents(scratch.path());
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=0", "--registry", reg, "--changes", File("c.reg")})) << err.str();
  const auto after = FolderContents(scratch.path());
  EXPECT_EQ(before.size() + 1, after.size());  // the new backup
  for (const char* changed : {"r.reg", "c.reg", "DFile.kvd"}) EXPECT_NE(before.at(changed), after.at(changed));
  EXPECT_EQ(0u, Dword(reg, "DisableUNCCheck"));
}

// With the system registry a backup is written before the change; when it
// cannot be, the change is not made.
TEST_F(CliAppTest, AnApplyWhoseBackupCannotBeWrittenChangesNothing) {
  auto machine = std::make_unique<MemoryRegistry>();
  RegistryKey::Create(*machine, reg::kCurrentUser, kCmdKey).WriteDword("DisableUNCCheck", 0);
  MemoryRegistry& registry = *machine;
  host.systemRegistry = std::move(machine);
  host.fileFaults = [](FileStep, const std::string& path) -> std::optional<std::string> {
    if (path.find("\\Backup\\") != std::string::npos) return "Permission denied";
    return std::nullopt;
  };
  EXPECT_EQ(kExitFileError, Run({"apply", "3", "1013=1"}));
  EXPECT_EQ("", out.str());
  EXPECT_EQ(1u, SplitLines(err.str()).size()) << err.str();
  EXPECT_NE(std::string::npos, err.str().find("_3.reg: cannot write: Permission denied; nothing was changed"));
  EXPECT_EQ(0u, RegistryKey::Open(registry, reg::kCurrentUser, kCmdKey).ReadDword("DisableUNCCheck"));
  EXPECT_FALSE(fs::exists(scratch.path() / "Backup") && !fs::is_empty(scratch.path() / "Backup"));
}

TEST_F(CliAppTest, AnApplyThatChangesNothingLeavesTheFileAsItIs) {
  // Written back, this file would lose its comment and its letter case.
  const std::string text = "REGEDIT4\r\n; kept\r\n[hkey_current_user\\Software\\Microsoft\\Command Processor]\r\n"
                           "\"DisableUNCCheck\"=dword:00000001\r\n";
  const std::string reg = WriteReg("r.reg", text);
  const auto written = fs::last_write_time(PathFromAnsi(reg));
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--registry", reg})) << err.str();
  EXPECT_EQ(text, ReadWholeFile(reg));
  EXPECT_EQ(written, fs::last_write_time(PathFromAnsi(reg)));
}

TEST_F(CliAppTest, FilesACommandCannotUseAreNamedWithTheReason) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    void (*setUp)(const fs::path& folder);
    std::string error;  // after "corvandel-cli: " and the scratch folder
  };
  const Case cases[] = {
      {"a folder as the registry", {"show", "3", "--registry", "r.reg"},
       [](const fs::path& at) { fs::create_directory(at / "r.reg"); }, "r.reg is a folder"},
      {"a folder to apply to", {"apply", "3", "1013=1", "--registry", "r.reg"},
       [](const fs::path& at) { fs::create_directory(at / "r.reg"); }, "r.reg is a folder"},
      {"a read-only registry file", {"apply", "3", "1013=1", "--registry", "m.reg"},
       [](const fs::path& at) { fs::permissions(at / "m.reg", fs::perms::owner_read); }, "m.reg is read-only"},
      {"changes into a missing folder", {"apply", "3", "1013=1", "--registry", "m.reg", "--changes", "no\\c.reg"},
       nullptr, "no\\c.reg: cannot write: "},
      {"a folder as the profile", {"profile", "apply", "p", "--registry", "m.reg"},
       [](const fs::path& at) { fs::create_directory(at / "p"); }, "p is a folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    folder.Write("m.reg", kMachine);
    if (c.setUp) c.setUp(folder.path());
    const auto before = FolderContents(folder.path());
    std::vector<std::string> args = c.args;
    for (std::string& arg : args)
      if (arg.find(".reg") != std::string::npos || arg == "p") arg = folder.Ansi() + "\\" + arg;
    EXPECT_EQ(kExitFileError, Run(args));
    EXPECT_EQ(0u, err.str().find("corvandel-cli: " + folder.Ansi() + "\\" + c.error)) << err.str();
    EXPECT_EQ(before, FolderContents(folder.path()));
  }
}

#ifdef CORVANDEL_CLI_PATH
// The built program started twice at once on one file: each change is in
// the file, or its run said it was refused; none is lost.
TEST_F(CliAppTest, TwoRunsAtOnceLoseNoChange) {
  const std::string program = std::string("'") + CORVANDEL_CLI_PATH + "'";
  const std::string folder = scratch.path().string();
  const std::string reg = folder + "/r.reg";
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    WriteReg("r.reg", kMachine);
    const std::string common = " --registry '" + reg + "' --home '" + folder + "'";
    const std::string command = "cd '" + folder + "' && { " + program + " apply 3 1013=1" + common +
                                " >/dev/null 2>e1; echo $? >s1; } & { cd '" + folder + "' && " + program +
                                " apply 9 1013=1" + common + " >/dev/null 2>e2; echo $? >s2; } & wait";
    ASSERT_EQ(0, std::system(("sh -c \"" + command + "\"").c_str()));
    for (const auto& [status, errors, value] : {std::tuple{"s1", "e1", "DisableUNCCheck"},
                                                 std::tuple{"s2", "e2", "DelayedExpansion"}}) {
      const std::string exit = ReadWholeFile(File(status)).value_or("?");
      if (exit == "0\n") {
        EXPECT_EQ(1u, Dword(reg, value)) << value;
      } else {
        EXPECT_EQ("1\n", exit);
        EXPECT_NE(std::string::npos, ReadWholeFile(File(errors))->find(" is in use by another run"));
      }
    }
  }
}
#endif

}  // namespace
}  // namespace corvandel

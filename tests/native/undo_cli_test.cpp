// corvandel-cli's backups, undo, refused keys and changes files, whole command lines.
#include <gtest/gtest.h>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

constexpr const char* kCmd = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n";

TEST_F(CliAppTest, ApplyLeavesABackupThatUndoPutsBackAndBackupsLists) {
  const std::string reg = WriteReg("r.reg", std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n") + kCmd +
                                                "\"DisableUNCCheck\"=dword:00000000\r\n");
  ASSERT_EQ(kExitOk, Run({"--registry", reg, "apply", "3", "1013=1"})) << err.str();
  ASSERT_EQ(kExitOk, Run({"--registry", reg, "backups"}));
  EXPECT_EQ(std::vector<std::string>{"2007-03-07_000001_3.reg 3 \"Allow UNC Paths at the Command Prompt\""}, Lines());

  ASSERT_EQ(kExitOk, Run({"--registry", reg, "undo", "3"})) << err.str();
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ("restored 2007-03-07_000001_3.reg", Lines()[0]);
  EXPECT_NE(std::string::npos, out.str().find("1013 check 0 "));
  MemoryRegistry saved;
  std::string error;
  ASSERT_TRUE(LoadRegistryFile(reg, saved, &error)) << error;
  EXPECT_EQ(0u, RegistryKey::Open(saved, reg::kCurrentUser, "Software\\Microsoft\\Command Processor")
                    .ReadDword("DisableUNCCheck"));

  ASSERT_EQ(kExitOk, Run({"--registry", reg, "backups", "3"}));
  ASSERT_EQ(2u, Lines().size());
  EXPECT_EQ(0u, Lines()[0].find("2007-03-07_000002_3.reg 3 "));  // the undo's own, first
  ASSERT_EQ(kExitOk, Run({"--registry", reg, "backups", "4"}));
  EXPECT_TRUE(Lines().empty());

  EXPECT_EQ(kExitFileError, Run({"--registry", reg, "undo", "4"}));
  EXPECT_NE(std::string::npos, err.str().find("TweakId 4 has no backup in "));
  EXPECT_EQ(kExitUsage, Run({"--registry", reg, "undo"}));
  EXPECT_EQ(kExitUsage, Run({"--registry", reg, "backups", "3", "4"}));
  EXPECT_EQ(kExitUsage, Run({"--registry", reg, "undo", "310"}));
}

TEST_F(CliAppTest, RefusedKeysArePrintedAsAnAlertAndExitWithStatusThree) {
  auto machine = std::make_unique<MemoryRegistry>();
  RegistryKey::Create(*machine, reg::kCurrentUser, "Software").IsOpen();
  machine->Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kCreate | MemoryRegistry::kSet | MemoryRegistry::kDelete,
                reg::kLocalMachine, "");
  host.systemRegistry = std::move(machine);
  EXPECT_EQ(kExitRefused, Run({"apply", "32", "1013=1", "1018=1"}));
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ(0u, Lines()[0].find("alert \"A L E R T\" \"These keys could not be changed:\\n\\nHKEY_LOCAL_MACHINE\\\\"));
  EXPECT_NE(std::string::npos, err.str().find("administrator rights are needed"));
}

// --changes: an apply and its undo each write what they changed, and only that.
TEST_F(CliAppTest, ApplyAndUndoWriteTheirChangesAsARegistryFile) {
  const std::string reg = WriteReg("r.reg", std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n") + kCmd +
                                                "\"DisableUNCCheck\"=dword:00000000\r\n\"Other\"=dword:00000005\r\n");
  const std::string changes = File("c.reg");
  const std::string change = std::string(kCmd) + "\"DisableUNCCheck\"=dword:0000000";
  ASSERT_EQ(kExitOk, Run({"--registry", reg, "apply", "3", "1013=1", "--changes", changes})) << err.str();
  EXPECT_EQ("REGEDIT4\r\n; The changes made by: corvandel-cli --registry " + reg + " apply 3 1013=1 --changes " +
                changes + "\r\n\r\n" + change + "1\r\n",
            ReadWholeFile(changes));
  ASSERT_EQ(kExitOk, Run({"--registry", reg, "undo", "3", "--changes", changes})) << err.str();
  EXPECT_NE(std::string::npos, ReadWholeFile(changes)->find("\r\n\r\n" + change + "0\r\n"));

  // Nothing applied, nothing written; a file that cannot be written is a file error.
  scratch.Write("c.reg", "kept");
  EXPECT_EQ(kExitUsage, Run({"--registry", reg, "apply", "3", "1013=2", "--changes", changes}));
  EXPECT_EQ("kept", ReadWholeFile(changes));
  EXPECT_EQ(kExitFileError, Run({"--registry", reg, "apply", "3", "1013=1", "--changes", File("none\\c.reg")}));
  EXPECT_EQ(kExitUsage, Run({"--registry", reg, "show", "3", "--changes", changes}));
  EXPECT_NE(std::string::npos, err.str().find("--changes is for apply, undo and profile apply"));
}

// What got through is written when the registry refused the rest.
TEST_F(CliAppTest, ARefusedApplyWritesTheChangesThatGotThrough) {
  auto machine = std::make_unique<MemoryRegistry>();
  RegistryKey::Create(*machine, reg::kCurrentUser, "Software").IsOpen();
  machine->Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kCreate | MemoryRegistry::kSet | MemoryRegistry::kDelete,
                reg::kLocalMachine, "");
  host.systemRegistry = std::move(machine);
  EXPECT_EQ(kExitRefused, Run({"apply", "32", "1013=1", "1018=1", "--changes", File("c.reg")}));
  const std::string written = *ReadWholeFile(File("c.reg"));
  EXPECT_NE(std::string::npos, written.find("\r\n[HKEY_CURRENT_USER\\")) << written;
  EXPECT_EQ(std::string::npos, written.find("HKEY_LOCAL_MACHINE")) << written;
}

}  // namespace
}  // namespace corvandel

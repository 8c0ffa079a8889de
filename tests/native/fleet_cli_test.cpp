// corvandel-cli for fleets: check, --dry-run and the Group Policy formats of
// --changes, whole command lines.
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "cli/options.h"
#include "cli_fixture.h"
#include "registry_contents.h"
#include "services/ansi_text.h"
#include "services/file_text.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

constexpr const char* kUncOff =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n"
    "\"DisableUNCCheck\"=dword:00000000\r\n";
constexpr const char* kUncLine =
    "  HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor\\DisableUNCCheck: dword:00000000 -> dword:00000001";

class FleetCliTest : public CliAppTest {
 protected:
  bool Exists(const std::string& name) const { return std::filesystem::exists(PathFromAnsi(File(name))); }
  // Nothing written beside the program: no history, no backup.
  void ExpectNoProgramFiles() const {
    EXPECT_FALSE(Exists("DFile.kvd"));
    EXPECT_FALSE(Exists("Backup"));
  }
};

TEST_F(FleetCliTest, CheckReportsDriftThenComplianceAndWritesNothing) {
  const std::string reg = WriteReg("r.reg", kUncOff);
  const std::string profile = WriteReg("p.txt", "# UNC\r\n3 1013=1\r\n");
  EXPECT_EQ(kExitDrifted, Run({"check", profile, "--registry", reg}));
  EXPECT_EQ((std::vector<std::string>{"3 Allow UNC Paths at the Command Prompt", kUncLine,
                                      "compliant 0, drifted 1, refused 0"}),
            Lines());
  EXPECT_EQ(kUncOff, ReadWholeFile(reg));
  ExpectNoProgramFiles();

  ASSERT_EQ(kExitDrifted, Run({"--json", "check", profile, "--registry", reg}));
  const auto document = nlohmann::json::parse(out.str());
  EXPECT_EQ(1, document["drifted"]);
  EXPECT_EQ("drifted", document["tweaks"][0]["status"]);
  EXPECT_EQ("dword:00000000", document["tweaks"][0]["changes"][0]["stored"]);

  ASSERT_EQ(kExitOk, Run({"profile", "apply", profile, "--registry", reg}));
  EXPECT_EQ(kExitOk, Run({"check", profile, "--registry", reg}));
  EXPECT_EQ(std::vector<std::string>{"compliant 1, drifted 0, refused 0"}, Lines());
  // A line the tweak answers with a message box is never compliant.
  EXPECT_EQ(kExitRefused, Run({"check", profile, "--registry", reg, "--windows", "98"}));
  EXPECT_EQ("compliant 0, drifted 0, refused 1", Lines().back());
}

TEST_F(FleetCliTest, ALongCheckPutsItsSummaryFirstToo) {
  const std::string reg = WriteReg("r.reg", kUncOff);
  std::string lines;
  for (int i = 0; i < 20; ++i) lines += "3 1013=1\r\n3 1013=0\r\n";
  EXPECT_EQ(kExitDrifted, Run({"check", WriteReg("p.txt", lines), "--registry", reg}));
  EXPECT_EQ("compliant 0, drifted 40, refused 0", Lines().front());
  EXPECT_EQ(Lines().front(), Lines().back());
}

TEST_F(FleetCliTest, DryRunPrintsTheWritesAndChangesNothingButTheChangesFile) {
  const std::string reg = WriteReg("r.reg", kUncOff);
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--dry-run", "--registry", reg, "--changes", File("c.reg")}));
  ASSERT_GE(Lines().size(), 2u);
  EXPECT_EQ(std::string(kUncLine).substr(2), Lines()[0]);
  EXPECT_EQ("page CMultiCheckPage", Lines()[1]);
  EXPECT_EQ(kUncOff, ReadWholeFile(reg));
  ExpectNoProgramFiles();
  const auto changes = ReadWholeFile(File("c.reg"));
  ASSERT_TRUE(changes);
  EXPECT_NE(std::string::npos, changes->find("\"DisableUNCCheck\"=dword:00000001"));

  ASSERT_EQ(kExitOk, Run({"profile", "apply", WriteReg("p.txt", "3 1013=1\r\n"), "--dry-run", "--registry", reg}));
  EXPECT_EQ((std::vector<std::string>{"3 Allow UNC Paths at the Command Prompt", std::string(kUncLine).substr(2),
                                      "applied 1, refused 0, failed 0"}),
            Lines());
  EXPECT_EQ(kUncOff, ReadWholeFile(reg));
}

TEST_F(FleetCliTest, DryRunOnTheSystemRegistryPredictsRefusedKeys) {
  auto machine = std::make_unique<MemoryRegistry>();
  RegistryKey::Create(*machine, reg::kCurrentUser, "Software").IsOpen();
  machine->Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kCreate | MemoryRegistry::kSet | MemoryRegistry::kDelete,
                reg::kLocalMachine, "");
  MemoryRegistry& system = *machine;
  host.systemRegistry = std::move(machine);
  EXPECT_EQ(kExitRefused, Run({"apply", "32", "1013=1", "1018=1", "--dry-run"}));
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ(0u, Lines()[0].find("HKEY_CURRENT_USER\\"));
  EXPECT_NE(std::string::npos, out.str().find("\nrefused HKEY_LOCAL_MACHINE\\"));
  EXPECT_NE(std::string::npos, out.str().find("alert \"A L E R T\" \"These keys could not be changed:"));
  EXPECT_NE(std::string::npos, err.str().find("predicted: the registry would refuse"));
  EXPECT_FALSE(system.KeyExists(reg::kCurrentUser, "Software\\Corvandel"));
  ExpectNoProgramFiles();
}

// On the system registry the change is made before its changes file is
// written: a format that cannot hold it puts the registry back.
TEST_F(FleetCliTest, AChangeAPolicyFileCannotHoldIsPutBackOnTheSystemRegistry) {
  auto machine = std::make_unique<MemoryRegistry>();
  RegistryKey::Create(*machine, reg::kCurrentUser, "Software").IsOpen();
  RegistryKey::Create(*machine, reg::kUsers, ".DEFAULT\\Control Panel\\Desktop").IsOpen();
  MemoryRegistry& system = *machine;
  host.systemRegistry = std::move(machine);
  ASSERT_EQ(kExitOk, Run({"show", "159"}));  // the program's own first-run values
  const auto before = RegistryContents(system);
  EXPECT_EQ(kExitUsage, Run({"apply", "159", "1013=1", "--changes", File("gpo"), "--changes-format", "pol"}));
  EXPECT_NE(std::string::npos, err.str().find("HKEY_USERS\\.DEFAULT")) << err.str();
  EXPECT_NE(std::string::npos, err.str().find("; the registry was put back as it was"));
  EXPECT_EQ(before, RegistryContents(system));
  EXPECT_FALSE(Exists("gpo"));
}

TEST_F(FleetCliTest, ChangesFormatsWriteTheirFiles) {
  const std::string reg = WriteReg("r.reg", kUncOff);
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--dry-run", "--registry", reg, "--changes", File("gpo"),
                          "--changes-format", "pol"}))
      << err.str();
  EXPECT_FALSE(Exists("gpo\\Machine"));
  const auto pol = ReadWholeFile(File("gpo\\User\\Registry.pol"));
  ASSERT_TRUE(pol);
  EXPECT_EQ(0u, pol->find("PReg"));
  ASSERT_EQ(kExitOk, Run({"apply", "3", "1013=1", "--dry-run", "--registry", reg, "--changes", File("r.xml"),
                          "--changes-format=gpp"}));
  const auto xml = ReadWholeFile(File("r.xml"));
  ASSERT_TRUE(xml);
  EXPECT_NE(std::string::npos, xml->find("name=\"DisableUNCCheck\" type=\"REG_DWORD\" value=\"00000001\""));

  EXPECT_EQ(kExitUsage, Run({"apply", "3", "--registry", reg, "--changes", File("x"), "--changes-format", "adm"}));
  EXPECT_EQ(kExitUsage, Run({"apply", "3", "--registry", reg, "--changes-format", "pol"}));
  EXPECT_EQ(kExitUsage, Run({"show", "3", "--registry", reg, "--dry-run"}));
  EXPECT_EQ(kExitUsage, Run({"check", "--registry", reg}));
}

}  // namespace
}  // namespace corvandel

namespace corvandel {
namespace {

TEST_F(FleetCliTest, DiffComparesTweakByTweak) {
  const std::string a = WriteReg("a.reg", kUncOff);
  const std::string b = WriteReg("b.reg", std::string(kUncOff).replace(std::string(kUncOff).find("00000000"), 8, "00000001"));
  const std::string copy = WriteReg("copy.reg", kUncOff);
  EXPECT_EQ(kExitOk, Run({"diff", a, copy}));
  EXPECT_EQ(0u, Lines().back().find("same "));
  EXPECT_NE(std::string::npos, Lines().back().find(", different 0"));

  EXPECT_EQ(kExitDrifted, Run({"diff", a, b, "3", "8"}));
  EXPECT_EQ((std::vector<std::string>{"3 Allow UNC Paths at the Command Prompt", "  1013 check: 0 | 1",
                                      "same 1, different 1"}),
            Lines());
  ASSERT_EQ(kExitDrifted, Run({"--json", "diff", a, b, "3"}));
  const auto document = nlohmann::json::parse(out.str());
  EXPECT_EQ(1, document["tweaks"][0]["controls"][0]["b"]["state"]);

  // Against a profile: the machine as the profile would leave it.
  EXPECT_EQ(kExitDrifted, Run({"diff", a, "--profile", WriteReg("p.txt", "3 1013=1\r\n")}));
  EXPECT_EQ("same 0, different 1", Lines().back());
  EXPECT_EQ(kExitOk, Run({"diff", b, "--profile", File("p.txt")}));
  EXPECT_EQ(kUncOff, ReadWholeFile(a));
  ExpectNoProgramFiles();
  EXPECT_EQ(kExitUsage, Run({"diff", a}));
  EXPECT_EQ(kExitUsage, Run({"diff", a, b, "--registry", a}));
}

}  // namespace
}  // namespace corvandel

// The front end's host on Windows: the system registry and the machine's own
// answers, read once at start.
#include "cli/cli_app.h"
#include "services/platform_win32.h"
#include "services/profile_win32.h"
#include "services/registry_win32.h"

namespace corvandel {

CliHost DetectHost() {
  Win32Platform machine;
  CliHost host;
  host.platform.version = machine.Version();
  host.platform.windowsDirectory = machine.WindowsDirectory();
  host.platform.appDataFolder = machine.AppDataFolder();
  host.platform.profileFolder = machine.ProfileFolder();
  for (const std::string& root : machine.LogicalDrives()) host.platform.drives[root] = machine.DriveType(root);
  host.platform.today = machine.TodayUtc();
  host.platform.programFolder = machine.ProgramFolder();
  host.systemRegistry = std::make_unique<Win32Registry>();
  host.profile = std::make_unique<Win32Profile>();
  return host;
}

}  // namespace corvandel

// The front end's host where there is no Windows: registry files only, and
// the answers of a Windows XP machine without drives.
#include <chrono>
#include <filesystem>
#include <system_error>

#include "cli/cli_app.h"
#include "services/ansi_text.h"
#include "services/profile_ini.h"

namespace corvandel {

CliHost DetectHost() {
  CliHost host;  // SettablePlatform answers as Windows XP in C:\WINDOWS, with no drives
  const std::chrono::year_month_day today(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
  host.platform.today = {static_cast<int>(today.year()), static_cast<int>(static_cast<unsigned>(today.month())),
                         static_cast<int>(static_cast<unsigned>(today.day()))};
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  host.platform.programFolder = AnsiFromPath(error ? std::filesystem::current_path(error) : program.parent_path());
  host.profile = std::make_unique<IniProfile>();
  return host;
}

}  // namespace corvandel

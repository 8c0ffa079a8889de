// corvandel-cli over any argument vector (arguments separated by line feeds)
// against a small registry file: an exit status of its four, and an error is
// one line. Arguments that name files are kept inside the scratch folder.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "fuzz_support.h"
#include "services/profile_ini.h"

using namespace corvandel;

namespace {

constexpr const char* kRegistry =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n\"CompletionChar\"=dword:00000009\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\DrWatson]\r\n\"NumberOfCrashes\"=dword:0000000a\r\n";

bool NamesAFile(const std::string& arg) {
  return arg.rfind("--registry", 0) == 0 || arg.rfind("--home", 0) == 0 || arg.find('/') != std::string::npos ||
         arg.find('\\') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
  for (std::string arg; std::getline(lines, arg);)
    if (!NamesAFile(arg)) args.push_back(arg);
  const std::string registry = fuzz::WriteScratchFile("r.reg", kRegistry);
  args.insert(args.end(), {"--registry", registry, "--home", fuzz::ScratchFolder()});

  CliHost host;
  host.platform.programFolder = fuzz::ScratchFolder();
  host.platform.today = {2007, 3, 7};
  host.profile = std::make_unique<IniProfile>();
  std::ostringstream out, err;
  const int status = RunCli(args, host, out, err);
  FUZZ_CHECK(status >= 0 && status <= 3);
  const std::string error = err.str();
  FUZZ_CHECK(error.find('\n') == std::string::npos || error.find('\n') == error.size() - 1);
  return 0;
}

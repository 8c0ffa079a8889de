// corvandel-cli run in process over registry files in a scratch program
// folder, for tests of whole command lines.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "scratch_folder.h"
#include "services/profile_ini.h"

namespace corvandel {

inline std::vector<std::string> SplitLines(const std::string& text) {
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

}  // namespace corvandel

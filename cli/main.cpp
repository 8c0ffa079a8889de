// corvandel-cli: the headless front end (see cli/cli_app.h).
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/options.h"

int main(int argc, char** argv) {
  try {
    corvandel::CliHost host = corvandel::DetectHost();
    return corvandel::RunCli(std::vector<std::string>(argv + 1, argv + argc), host, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    // A file too large for this machine's memory: one line, like every other failure.
    std::cerr << "corvandel-cli: out of memory\n";
    return corvandel::kExitFileError;
  }
}

// corvandel-cli: the headless front end (see cli/cli_app.h).
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  corvandel::CliHost host = corvandel::DetectHost();
  return corvandel::RunCli(std::vector<std::string>(argv + 1, argv + argc), host, std::cout, std::cerr);
}

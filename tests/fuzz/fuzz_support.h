// What the fuzz targets share: a scratch program folder made once per
// process, and a check that stops the run (a finding) when a property fails.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvandel::fuzz {

// A folder of its own under the system's temporary folder, made on first use
// and left to the system when the process ends.
const std::string& ScratchFolder();

// Writes bytes to a file in the scratch folder (subfolders made); its path.
std::string WriteScratchFile(const std::string& name, const std::string& bytes);

}  // namespace corvandel::fuzz

// A property that must hold for every input: a failure is a finding.
#define FUZZ_CHECK(condition)                                                       \
  do {                                                                              \
    if (!(condition)) {                                                             \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                 \
    }                                                                               \
  } while (false)

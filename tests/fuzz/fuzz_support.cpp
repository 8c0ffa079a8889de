#include "fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace corvandel::fuzz {

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("corvandel-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = std::filesystem::path(ScratchFolder()) / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

}  // namespace corvandel::fuzz

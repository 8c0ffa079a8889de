// A folder of one test's own under the system's temporary folder, removed
// with everything in it when the test ends. Files are named the way the
// program names them: ANSI text with backslashes.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <system_error>

#include "services/ansi_text.h"
#include "services/file_text.h"

namespace corvandel {

class ScratchFolder {
 public:
  ScratchFolder() {
    // Random names keep tests that run at the same time out of each other's way.
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("corvandel-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The folder's path as the program keeps it, e.g. as its program folder.
  std::string Ansi() const { return AnsiFromPath(path_); }

  // Writes (or replaces) a file given relative to the folder, e.g.
  // "Language\\English.ini", creating the folders on the way.
  void Write(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = PathFromAnsi(Ansi() + "\\" + relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
  }

 private:
  std::filesystem::path path_;
};

// Every name under a folder with what it holds ("(folder)" for a folder), to
// see that nothing else changed and nothing was left behind.
inline std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    contents[entry.path().lexically_relative(folder).generic_string()] =
        entry.is_directory() ? "(folder)" : ReadWholeFile(AnsiFromPath(entry.path())).value_or("(unreadable)");
  return contents;
}

}  // namespace corvandel

#include "services/file_text.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "services/ansi_text.h"

namespace corvandel {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(PathFromAnsi(path), std::ios::binary);
  if (!in) return std::nullopt;
  // Read in blocks; a read error (a folder opens like a file on POSIX systems
  // and fails at the first read) leaves the stream bad.
  std::string text;
  std::vector<char> block(1 << 16);
  do {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    text.append(block.data(), static_cast<std::size_t>(in.gcount()));
  } while (in);
  if (in.bad()) return std::nullopt;
  return text;
}

bool WriteAllBytes(std::ostream& out, std::string_view bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return static_cast<bool>(out);
}

bool ReplaceFileContent(const std::string& path, std::string_view content, const FileWriter& write) {
  std::error_code error;
  const std::filesystem::path target = PathFromAnsi(path);
  const std::filesystem::path temporary = PathFromAnsi(path + ".tmp");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const bool written = write(out, content);
    out.close();  // a full disk may show only when the last block goes out
    if (!written || out.fail()) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace corvandel

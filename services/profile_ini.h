// The portable INI reader: GetPrivateProfileStringA's results, measured
// under Wine, without Windows.
#pragma once

#include <cstdint>
#include <filesystem>

#include "services/profile.h"

namespace corvandel {

// Language files are read one lookup at a time (about a thousand at start-up)
// and may change while the program runs: the last file read is kept decoded,
// and read again when its size or time of last change differs from when it
// was read (a file changed in the two seconds before it was read is always
// read again, as such times are coarse). The path is used as given;
// callers pass full paths (Windows would look for a bare file name in the
// Windows folder, which a portable reader cannot mirror). A file with a UTF-8
// or UTF-16 byte-order mark is converted to ANSI; where Windows would pick a
// look-alike for a character ANSI lacks, this reader gives '?'.
// What a lookup gives when its file cannot be read at all (a missing folder,
// a folder in the file's place): the default without its trailing blanks,
// cut to bufferSize - 1, quotes and all. GetPrivateProfileStringA gives the same.
std::string UnreadableFileResult(const std::string& defaultText, std::size_t bufferSize);

// Whether file stands in a missing folder, so that no lookup in it can find
// anything and each gives UnreadableFileResult.
bool InMissingFolder(const std::string& file);

class IniProfile : public IProfile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultText, std::size_t bufferSize,
                        const std::string& file) override;

 private:
  // The last regular file read: its path, its stamp when read, its text.
  struct CachedFile {
    std::string path;
    std::filesystem::file_time_type lastWrite;
    std::uintmax_t size = 0;
    std::u16string text;
  };
  // The file's text, or null when it cannot be read; a missing file in an
  // existing folder reads as empty.
  const std::u16string* FileText(const std::string& file);

  CachedFile cache_;
  bool cached_ = false;
};

}  // namespace corvandel

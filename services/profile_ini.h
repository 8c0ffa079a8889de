// The portable INI reader: GetPrivateProfileStringA's results, measured
// under Wine, without Windows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "services/profile.h"

namespace corvandel {

// Language files are read one lookup at a time (about a thousand at start-up)
// and may change while the program runs: the last file read is kept decoded,
// and read again when its size or time of last change differs from when it
// was read (a file changed in the two seconds before it was read is always
// read again, as such times are coarse). Each text read is indexed once, so a
// lookup costs the same whatever the file's size. The path is used as given;
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
  // Where a key line's value lies in the file's text.
  struct ValueSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
  };
  // The first line of each key name in a section, by the name with ASCII
  // letters in upper case; no span for a line without '='.
  using SectionKeys = std::unordered_map<std::u16string, std::optional<ValueSpan>>;

  // The last regular file read: its path, its stamp when read, its text and
  // the text's index, built once per text.
  struct CachedFile {
    std::string path;
    std::filesystem::file_time_type lastWrite;
    std::uintmax_t size = 0;
    std::u16string text;
    // The first section of each name, by the name with ASCII letters in upper
    // case; the lines before the first header form the section with the empty
    // name.
    std::unordered_map<std::u16string, SectionKeys> sections;

    // Keeps newText and its index, or on failure (bad_alloc) the text and
    // index it had.
    void SetText(std::u16string newText);

    // The value of key in section (both trimmed), or nothing when the section
    // or key is missing or the key's line has no '='.
    std::optional<std::u16string_view> Find(std::u16string_view section, std::u16string_view key) const;
  };
  // The file read and indexed, or null when it cannot be read; a missing file
  // in an existing folder reads as empty.
  const CachedFile* ReadFile(const std::string& file);

  CachedFile cache_;
  bool cached_ = false;
};

}  // namespace corvandel

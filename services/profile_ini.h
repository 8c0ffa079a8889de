// The portable INI reader: GetPrivateProfileStringA's results, measured
// under Wine, without Windows.
#pragma once

#include "services/profile.h"

namespace corvandel {

// Reads the file afresh on every call: language files are read one lookup at
// a time and may change while the program runs. The path is used as given;
// callers pass full paths (Windows would look for a bare file name in the
// Windows folder, which a portable reader cannot mirror). A file with a UTF-8
// or UTF-16 byte-order mark is converted to ANSI; where Windows would pick a
// look-alike for a character ANSI lacks, this reader gives '?'.
class IniProfile : public IProfile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultText, std::size_t bufferSize,
                        const std::string& file) override;
};

}  // namespace corvandel

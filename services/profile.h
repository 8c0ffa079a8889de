// The profile seam: INI reads with GetPrivateProfileStringA's semantics.
#pragma once

#include <cstddef>
#include <string>

namespace corvandel {

class IProfile {
 public:
  virtual ~IProfile() = default;

  // GetPrivateProfileStringA(section, key, defaultText, buffer, bufferSize,
  // file): the value, or defaultText when the file, section or key is missing,
  // cut to bufferSize - 1 characters.
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& defaultText, std::size_t bufferSize,
                                const std::string& file) = 0;
};

}  // namespace corvandel

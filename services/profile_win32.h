// The profile seam over the real GetPrivateProfileStringA.
#pragma once

#include "services/profile.h"

namespace corvandel {

class Win32Profile : public IProfile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultText, std::size_t bufferSize,
                        const std::string& file) override;
};

}  // namespace corvandel

#include "services/os_version.h"

namespace corvandel {

bool COsVersion::IsAnyOf(Versions admitted) const {
  auto admits = [admitted](Versions v) { return (static_cast<unsigned>(admitted) & static_cast<unsigned>(v)) != 0; };
  return (admits(Versions::k95) && IsWin95()) || (admits(Versions::k98) && IsWin98()) ||
         (admits(Versions::kMe) && IsWinMe()) || (admits(Versions::kNT4) && IsWinNT4()) ||
         (admits(Versions::k2000) && IsWin2000()) || (admits(Versions::kXP) && IsWinXP());
}

}  // namespace corvandel

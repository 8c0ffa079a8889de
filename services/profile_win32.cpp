#include "services/profile_win32.h"

#include <windows.h>

#include <algorithm>

namespace corvandel {

std::string Win32Profile::GetString(const std::string& section, const std::string& key,
                                    const std::string& defaultText, std::size_t bufferSize,
                                    const std::string& file) {
  if (bufferSize == 0) return {};  // the call would write nothing, not even the NUL
  // A caller's buffer size need not be allocated in full: start small and
  // double while the result may have been cut. A result is whole once it is
  // at least two short of the buffer: Wine cuts a quoted value one short
  // when the buffer just holds it, so one short is not proof enough.
  const std::size_t limit = std::min<std::size_t>(bufferSize, MAXDWORD);
  std::size_t size = std::min<std::size_t>(limit, 1024);
  std::string buffer;
  for (;;) {
    buffer.assign(size, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                                  buffer.data(), static_cast<DWORD>(size), file.c_str());
    if (length + 2 < size || size == limit) {
      buffer.resize(std::min<std::size_t>(length, size - 1));
      return buffer;
    }
    size = size > limit / 2 ? limit : size * 2;
  }
}

}  // namespace corvandel

// Files of the source tree (data/Skin, test fixtures) as the running test
// program can open them. The tree's place comes from the build
// (CORVANDEL_SOURCE_DIR): this header's own __FILE__ is relative to the build
// folder when ccache rewrites paths; under Wine the Unix root is drive Z:.
#pragma once

#include <string>

namespace corvandel {

inline std::string SourceTreePath(const std::string& relative) {
  std::string path = std::string(CORVANDEL_SOURCE_DIR) + "/" + relative;
#ifdef _WIN32
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

}  // namespace corvandel

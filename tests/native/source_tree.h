// Files of the source tree (data/Skin, test fixtures) as the running test
// program can open them, wherever it runs from. The tree's place comes from
// the build (CORVANDEL_SOURCE_DIR, absolute; under Wine on drive Z:), not
// from __FILE__, which ccache makes relative to the build folder.
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

// Files of the source tree (data/Skin, test fixtures) as the running test
// program can open them. The build names the tree's place (under Wine the
// Unix root is drive Z:); the header's own path would not do, as a compiler
// cache may make it relative to the build folder.
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

// Files of the source tree (data/Skin, test fixtures) as the running test
// program can open them. The tree's place comes from the build, which gives
// it to the test programs (under Wine as a path on drive Z:): __FILE__ will
// not do, since a compiler cache may make it relative to the build folder.
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

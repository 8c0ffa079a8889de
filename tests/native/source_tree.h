// Files of the source tree (data/Skin, test fixtures) as the running test
// program can open them. The tree's place comes from this header's own path;
// under Wine the Unix root is drive Z:.
#pragma once

#include <string>

namespace corvandel {

inline std::string SourceTreePath(const std::string& relative) {
  std::string path = __FILE__;
  path = path.substr(0, path.rfind("tests/native/source_tree.h")) + relative;
#ifdef _WIN32
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

}  // namespace corvandel

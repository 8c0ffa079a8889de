// The program builds its paths the Windows way ("<folder>\DFile.kvd"). On
// Windows they are used as they are; the native build of the portable code
// (tests, the headless front end) opens them with forward slashes.
#pragma once

#include <string>

namespace corvandel {

inline std::string NativePath(std::string path) {
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return path;
}

}  // namespace corvandel

// Reads one of the program's small data files ("skin.skn", "Splash.spl")
// whole, telling a missing file from one that cannot be read.
#pragma once

#include <cstddef>
#include <string>

namespace corvandel {

enum class SmallFileRead { kRead, kMissing, kUnreadable };

// kUnreadable also covers a file larger than limit bytes.
SmallFileRead ReadSmallFile(const std::string& path, std::size_t limit, std::string& contents);

}  // namespace corvandel

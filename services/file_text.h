// Whole files read and written as bytes, named the way the program names
// them (ANSI text with backslashes, see PathFromAnsi).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvandel {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes content beside the file (path + ".tmp") and then puts it in the
// file's place, so a crash or a full disk never leaves a truncated file: the
// old content stays until the new one is complete. False when it failed.
bool ReplaceFileContent(const std::string& path, std::string_view content);

}  // namespace corvandel

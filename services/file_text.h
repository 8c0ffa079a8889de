// Whole files read and written as bytes, named the way the program names
// them (ANSI text with backslashes, see PathFromAnsi).
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace corvandel {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Puts bytes into an open file; false when the write failed.
using FileWriter = std::function<bool(std::ostream& out, std::string_view bytes)>;
bool WriteAllBytes(std::ostream& out, std::string_view bytes);

// Writes content beside the file (path + ".tmp") and then puts it in the
// file's place, so a crash or a full disk never leaves a truncated file: the
// old content stays until the new one is complete. False when it failed. A
// temporary file left by a killed process is written over. (write is how the
// bytes reach the file: a test passes one that fails part of the way.)
bool ReplaceFileContent(const std::string& path, std::string_view content, const FileWriter& write = WriteAllBytes);

}  // namespace corvandel

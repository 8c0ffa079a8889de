// The program's built-in string table (the STRINGTABLE resource), readable
// without Win32 so that portable code and tests see exactly what LoadStringA
// sees in the executable.
#pragma once

#include <span>
#include <string_view>

namespace corvandel {

struct BuiltinStringEntry {
  int id;
  const char* text;
};

// Every entry, in ID order.
std::span<const BuiltinStringEntry> BuiltinStrings();

// The text of a string ID; empty for an ID the table lacks.
std::string_view BuiltinString(int id);

}  // namespace corvandel

#include "services/builtin_strings.h"

#include "res/string_table.h"

namespace corvandel {

namespace {

#define CORVANDEL_STRING_ENTRY(id, text) {id, text},
constexpr BuiltinStringEntry kStrings[] = {CORVANDEL_STRINGS(CORVANDEL_STRING_ENTRY)};
#undef CORVANDEL_STRING_ENTRY

}  // namespace

std::span<const BuiltinStringEntry> BuiltinStrings() { return kStrings; }

std::string_view BuiltinString(int id) {
  for (const auto& entry : kStrings)
    if (entry.id == id) return entry.text;
  return {};
}

}  // namespace corvandel

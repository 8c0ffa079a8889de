// The built-in titles-and-descriptions table: one row per category, group and
// tweak, in tree order, so that a row's index is its TweakId.
#pragma once

#include <string_view>

#include "services/tweak_entry.h"

namespace corvandel {

// The 310 built-in rows, each with tweakId equal to its index.
TweakTable BuildTweakTable();

// The built-in title of row tweakId, whatever a language file makes of it;
// empty outside 0..309.
std::string_view BuiltInTitle(int tweakId);

// The row at index tweakId, or nullptr when the table has no such row. A
// language file can set any number as a TweakId, so callers never index the
// table directly with one.
const TweakEntry* FindRow(const TweakTable& table, int tweakId);

}  // namespace corvandel

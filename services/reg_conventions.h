// Conventions shared by the catalogue routines: the two scopes of a Current
// User / All Users pair, how a check box or a combo box maps to a stored
// value, and the standard note texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "services/registry.h"

namespace corvandel {

// The roots by the short names the catalogue tables use.
inline constexpr RegKey kHKCR = reg::kClassesRoot;
inline constexpr RegKey kHKCU = reg::kCurrentUser;
inline constexpr RegKey kHKLM = reg::kLocalMachine;
inline constexpr RegKey kHKU = reg::kUsers;

// A pair is loaded and written Current User first, then All Users.
enum class Scope { kCurrentUser, kAllUsers };
inline constexpr std::array<Scope, 2> kBothScopes = {Scope::kCurrentUser, Scope::kAllUsers};
constexpr RegKey RootOf(Scope scope) { return scope == Scope::kCurrentUser ? reg::kCurrentUser : reg::kLocalMachine; }

// How a two-state check box is stored.
enum class CheckEncoding {
  kDirect,    // checked writes 1, unchecked 0
  kInverted,  // checked writes 0, unchecked 1
  kRaw,       // the check state itself (the same as direct for a two-state box)
};

constexpr std::uint32_t CheckToValue(CheckEncoding encoding, int state) {
  const bool checked = state == 1;
  switch (encoding) {
    case CheckEncoding::kInverted: return checked ? 0 : 1;
    case CheckEncoding::kRaw: return static_cast<std::uint32_t>(state);
    case CheckEncoding::kDirect: break;
  }
  return checked ? 1 : 0;
}

// Checked when the stored value is the one that checking writes; an absent
// value leaves the box unchecked.
constexpr int CheckFromValue(CheckEncoding encoding, std::optional<std::uint32_t> value) {
  return value && *value == CheckToValue(encoding, 1) ? 1 : 0;
}

// A combo whose items stand for stored values: item i writes map[i]; a stored
// value outside the map leaves the combo with no selection (-1).
template <typename T>
std::optional<T> ComboIndexToValue(std::span<const T> map, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= map.size()) return std::nullopt;
  return map[static_cast<std::size_t>(index)];
}

template <typename T>
int ComboValueToIndex(std::span<const T> map, const std::optional<T>& value) {
  if (!value) return -1;
  for (std::size_t i = 0; i < map.size(); ++i)
    if (map[i] == *value) return static_cast<int>(i);
  return -1;
}

// The standard notes shown in note label 1024.
inline constexpr const char* NOTE_LOGOUT =
    "Note:\n\tyou may need to restart or log out of Windows for the change to take effect.";
inline constexpr const char* NOTE_LOGOUT_CAP =
    "Note:\n\tYou may need to restart or log out of Windows for the change to take effect.";
inline constexpr const char* NOTE_LOGOUT_NODOT =
    "Note:\n\tYou may need to restart or log out of Windows for the change to take effect";
inline constexpr const char* NOTE_RESTART = "Note:\n\tRestart Windows for the change to take effect.";
inline constexpr const char* NOTE_RESTART_NODOT = "Note:\n\tRestart Windows for the change to take effect";

}  // namespace corvandel

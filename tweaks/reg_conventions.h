// The catalogue's vocabulary: the roots by their short names, the two scopes
// of a Current User / All Users pair and the standard note texts.
#pragma once

#include "services/registry.h"

namespace corvandel {

// The roots by the short names the catalogue tables use.
inline constexpr RegKey kHKCR = reg::kClassesRoot;
inline constexpr RegKey kHKCU = reg::kCurrentUser;
inline constexpr RegKey kHKLM = reg::kLocalMachine;
inline constexpr RegKey kHKU = reg::kUsers;

// A pair is loaded and written Current User first, then All Users.
enum class Scope { kCurrentUser, kAllUsers };
constexpr RegKey RootOf(Scope scope) { return scope == Scope::kCurrentUser ? reg::kCurrentUser : reg::kLocalMachine; }

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

// Registry.pol: the registry half of a Group Policy object, one file for the
// machine (HKEY_LOCAL_MACHINE, in the object's Machine folder) and one for
// the user (HKEY_CURRENT_USER, in its User folder), as the Group Policy
// registry extension documents it. The file is the signature "PReg", the
// version 1 (a little-endian DWORD), then one record per instruction:
//
//   [KEY;VALUE;TYPE;SIZE;DATA]
//
// the brackets and semicolons as UTF-16LE characters, KEY (without its root)
// and VALUE as zero-terminated UTF-16LE text, TYPE and SIZE as little-endian
// DWORDs, DATA as SIZE bytes (text as zero-terminated UTF-16LE).
//
// What a change becomes:
//  - a value set: a record of its type and data (text converted from the
//    program's ANSI code page, ended by a zero where it was stored without);
//  - a value removed: VALUE "**del.NAME", REG_SZ, an empty text;
//  - a key removed: on its parent, VALUE "**DeleteKeys", REG_SZ, the key's
//    name as the list of keys to remove;
//  - a new key without values: VALUE empty, type 0, no data (only the key is
//    created).
// HKEY_CLASSES_ROOT is written to the machine's file under Software\Classes,
// where Windows keeps the machine-wide classes it shows there; HKEY_USERS has
// no file and is refused.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "services/reg_file.h"

namespace corvandel {

struct PolicyFiles {
  std::optional<std::string> machine;  // none: no change for it
  std::optional<std::string> user;
};

// The changes as Registry.pol bytes, or nothing with *error naming the key
// of the first change no such file can hold.
std::optional<PolicyFiles> PolicyFileBytes(const std::vector<RegChange>& changes, std::string* error);

}  // namespace corvandel

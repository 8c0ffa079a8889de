// Registry files (.reg): the text in which the registry editor exports keys
// and imports them, read into and written from the in-memory registry. This
// is how the headless front end edits a machine's settings offline.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "services/registry_memory.h"

namespace corvandel {

inline constexpr std::string_view kRegedit4Header = "REGEDIT4";
inline constexpr std::string_view kRegedit5Header = "Windows Registry Editor Version 5.00";

// The keys a registry file names as [sections], matched as the registry
// matches names (any case). Written back, each stays a section of its own.
class RegistryFileKeys {
 public:
  void Add(RegKey root, std::string_view path);
  bool Contains(RegKey root, std::string_view path) const;

 private:
  std::set<std::pair<RegKey, std::string>> keys_;  // paths in upper case
};

// One change a registry file asks for, in the order the file gives them: a
// [ROOT\path] section creates the key, [-ROOT\path] deletes it with all below
// it, a value line sets a value or ("name"=-) deletes it.
struct RegChange {
  enum Kind { kCreateKey, kDeleteKey, kSetValue, kDeleteValue };
  Kind kind;
  RegKey root;
  std::string path;
  std::string name;
  std::uint32_t type = reg::kNone;
  std::vector<std::uint8_t> data;
  bool operator==(const RegChange&) const = default;
};

// Reads a registry file's bytes into its changes (see ImportRegistryText);
// false with *error on a fault.
bool ParseRegistryText(std::string_view bytes, const std::string& fileName, std::vector<RegChange>* changes,
                       std::string* error);
// Makes the changes in order, as the registry editor imports them. A key
// that is not there is already deleted; a failed call skips that change.
void ApplyRegistryChanges(const std::vector<RegChange>& changes, IRegistry& registry);
// The changes as a "REGEDIT4" file (CR LF line ends) that imports as exactly
// these changes, values in the form ExportRegistryText writes them; each
// line of comment becomes a "; " line after the header (line breaks in it
// become blanks).
std::string RegistryChangesText(const std::vector<RegChange>& changes, const std::vector<std::string>& comment);
// "HKEY_LOCAL_MACHINE" and the like, joined with the path when there is one.
std::string RegistryKeyName(RegKey root, std::string_view path);

// Imports a registry file's bytes as the registry editor does: a [ROOT\path]
// section creates the key, its value lines set values, [-ROOT\path] deletes
// the key with everything under it (the value lines after it are skipped) and
// "name"=- deletes a value. Roots by full name or as HKCR, HKCU, HKLM, HKU.
//
// Reads "REGEDIT4" files (8-bit, ANSI) and "Windows Registry Editor Version
// 5.00" files (UTF-16LE with a byte-order mark, UTF-8 with one, or 8-bit).
// Names and texts are kept in the program's ANSI code page. In a version 5.00
// file the hex(1), hex(2) and hex(7) bytes are UTF-16LE text, as that editor
// writes them, and are stored as ANSI (an odd last byte has no character and
// is dropped); a REGEDIT4 file's bytes are stored as they are.
//
// The whole file is read before anything changes: on an error the registry is
// left as it was and *error says "<fileName>:<line>: <what>".
//
// named, when given, receives the keys the file names as [sections].
bool ImportRegistryText(std::string_view bytes, const std::string& fileName, MemoryRegistry& registry,
                        std::string* error, RegistryFileKeys* named = nullptr);

// The whole registry as a "REGEDIT4" file (CR LF line ends), which imports
// into a new MemoryRegistry as exactly the same registry. Keys in the order
// the registry enumerates them. A key is a section when it holds values, when
// `kept` names it, or when it has no subkeys (so empty keys stay); a key with
// subkeys and no values is left to them, as importing a subkey creates it,
// and so is a key that every MemoryRegistry has (a root, HKEY_USERS\.DEFAULT)
// while it holds nothing. So a file in this form, read with the keys it names
// and written back with them, changes only where the registry changed.
// Values in the order they were created:
//  - REG_SZ as "text" when its bytes are the text and exactly one zero, and
//    the text holds no zero and no line break; otherwise hex(1): of the bytes;
//  - REG_DWORD of exactly four bytes as dword:;
//  - REG_BINARY as hex:, every other value as hex(N): of its bytes.
// Value names escape \ and " (and a line break as \r or \n). A key name
// holding a line break cannot be written: false, and *error says which.
bool ExportRegistryText(const MemoryRegistry& registry, std::string* text, std::string* error,
                        const RegistryFileKeys& kept = {});

// The same over files named in ANSI. A file that cannot be read is an error
// naming it. Saving replaces the file whole (see ReplaceFileContent).
bool LoadRegistryFile(const std::string& path, MemoryRegistry& registry, std::string* error,
                      RegistryFileKeys* named = nullptr);
bool SaveRegistryFile(const MemoryRegistry& registry, const std::string& path, std::string* error,
                      const RegistryFileKeys& kept = {});

}  // namespace corvandel

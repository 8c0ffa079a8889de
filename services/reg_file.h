// Registry files (.reg): the text in which the registry editor exports keys
// and imports them, read into and written from the in-memory registry. This
// is how the headless front end edits a machine's settings offline.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "services/file_system.h"
#include "services/registry_memory.h"

namespace corvandel {

inline constexpr std::string_view kRegedit4Header = "REGEDIT4";
inline constexpr std::string_view kRegedit5Header = "Windows Registry Editor Version 5.00";

// The deepest key the registry allows: 512 levels below a root.
inline constexpr std::size_t kMaxKeyDepth = 512;

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

// Reads a registry file's bytes into its changes (see RegistryFile::Read);
// false with *error on a fault.
bool ParseRegistryText(std::string_view bytes, const std::string& fileName, std::vector<RegChange>* changes,
                       std::string* error);
// Makes the changes in order, as the registry editor imports them. A key
// that is not there is already deleted; a failed call skips that change.
void ApplyRegistryChanges(const std::vector<RegChange>& changes, IRegistry& registry);
// The changes as a registry file that imports as exactly these changes, for
// people to read: "REGEDIT4" (CR LF line ends) unless a name or text holds
// Unicode kept from a version 5.00 file, which only that form can hold
// (UTF-16LE with its byte-order mark). Each line of comment becomes a "; "
// line after the header (line breaks in it become blanks), and text stored
// without its zero, which only hex(1): or hex(2): bytes can give exactly, is
// shown beside them as a "; "text"" line.
std::string RegistryChangesText(const std::vector<RegChange>& changes, const std::vector<std::string>& comment);
// "HKEY_LOCAL_MACHINE" and the like, joined with the path when there is one.
std::string RegistryKeyName(RegKey root, std::string_view path);

// A registry file as it was read, kept so that it can be written back with
// the registry's changes and nothing else changed.
//
// Reading imports it as the registry editor does: a [ROOT\path] section
// creates the key, its value lines set values, [-ROOT\path] deletes the key
// with everything under it (the value lines after it are skipped) and
// "name"=- deletes a value. Roots by full name or as HKCR, HKCU, HKLM, HKU;
// HKEY_CURRENT_CONFIG, HKEY_DYN_DATA and HKEY_PERFORMANCE_DATA, which no
// tweak uses, are read (and must be well formed) but not imported: their
// lines stay as they stand.
//
// "REGEDIT4" files are 8-bit ANSI; "Windows Registry Editor Version 5.00"
// files UTF-16LE with a byte-order mark, UTF-8 with one, or 8-bit. Names and
// texts are kept in the program's ANSI code page, with the characters it
// lacks kept as NarrowKeepingUnicode keeps them. In a version 5.00 file the
// hex(1), hex(2) and hex(7) bytes are UTF-16LE text, as that editor writes
// them, and are stored the same way (an odd last byte has no character and
// is dropped); a REGEDIT4 file's bytes are stored as they are.
//
// The whole file is read before anything changes: on an error the registry is
// left as it was and *error says "<fileName>:<line>: <what>". A key deeper
// than kMaxKeyDepth is such an error.
class RegistryFile {
 public:
  enum class Encoding { kAnsi, kUtf16Le, kUtf8 };

  // A failed Read leaves this as a file that was never read.
  bool Read(std::string bytes, const std::string& fileName, MemoryRegistry& registry, std::string* error);
  // The same from an open file, read a window at a time rather than held
  // whole, and kept open to copy the lines a rewrite keeps from it.
  bool Read(std::unique_ptr<OpenFile> file, const std::string& fileName, MemoryRegistry& registry,
            std::string* error);

  // The file written back with `made` worked in (RecordedChanges::made of
  // everything done to the registry since Read): every line of a key the
  // changes do not touch byte for byte, in its place, comments and deletion
  // lines included; a changed value's line replaced in place, a new value at
  // the end of its key's section, a new key's section after its parent's
  // keys, a deleted key's sections removed. The file keeps its header, its
  // encoding and its line ends. False when a change cannot be written in
  // this file's form (*error says which).
  // The same, handing the file to put piece by piece rather than making it
  // whole; false also when a put fails.
  using PutBytes = std::function<bool(std::string_view bytes)>;
  bool Rewrite(const std::vector<RegChange>& made, const PutBytes& put, std::string* error) const;
  bool Rewrite(const std::vector<RegChange>& made, std::string* bytes, std::string* error) const;

  Encoding encoding() const { return encoding_; }
  bool version5() const { return version5_; }

  // Where a file's bytes come from when it is not held whole: appends up to
  // size bytes from offset to *into, fewer only at its end; false with *reason.
  using ByteSource = std::function<bool(std::uint64_t offset, std::size_t size, std::string* into, std::string* reason)>;

  // Where a physical line lies in the file.
  struct Line {
    std::size_t begin, end;  // the original bytes, line end included
  };
  // One entry per logical line of the file.
  struct Block {
    enum Kind : std::uint8_t { kHeader, kBlank, kComment, kSection, kValue } kind;
    bool deletion = false;  // [-KEY] or "name"=-
    std::size_t begin = 0, end = 0;  // its bytes, from its first line to its last line's end
    std::size_t section = 0;  // a value's section block
    std::string name;         // a value's name; a section's key as RegistryKeyName gives it
  };

 private:
  friend class RegistryFileRewriter;

  bool Import(const std::string& fileName, MemoryRegistry& registry, std::string* error);
  ByteSource Source() const;
  // The file's bytes from begin to end, handed to put in pieces.
  bool PutOriginal(std::size_t begin, std::size_t end, const PutBytes& put, std::string* error) const;

  std::string bytes_;              // the file, when given whole
  std::unique_ptr<OpenFile> file_;  // or where it is read from
  std::size_t size_ = 0;
  Encoding encoding_ = Encoding::kAnsi;
  bool version5_ = false;
  std::string newline_ = "\r\n";
  bool lastLineEnded_ = true;
  std::vector<Block> blocks_;
  // Section blocks by key in upper case: the ones that create the key, the
  // ones that delete it.
  std::map<std::string, std::vector<std::size_t>> sections_, deletions_;
};

// The whole registry as a "REGEDIT4" file (CR LF line ends), which imports
// into a new MemoryRegistry as exactly the same registry: what a registry
// file that did not exist before is written as. Keys in the order the
// registry enumerates them. A key is a section when it holds values or has no
// subkeys (so empty keys stay); a key with subkeys and no values is left to
// them, as importing a subkey creates it, and so is a key that every
// MemoryRegistry has (a root, HKEY_USERS\.DEFAULT) while it holds nothing.
// Values in the order they were created:
//  - REG_SZ as "text" when its bytes are the text and exactly one zero, and
//    the text holds no zero and no line break; otherwise hex(1): of the bytes;
//  - REG_DWORD of exactly four bytes as dword:;
//  - REG_BINARY as hex:, every other value as hex(N): of its bytes.
// Value names escape \ and " (and a line break as \r or \n). A key name
// holding a line break cannot be written: false, and *error says which.
bool ExportRegistryText(const MemoryRegistry& registry, std::string* text, std::string* error);

// The same over files named in ANSI. A file that cannot be read is an error
// naming it; file, when given, keeps what was read to write it back.
bool LoadRegistryFile(const std::string& path, MemoryRegistry& registry, std::string* error,
                      RegistryFile* file = nullptr);

}  // namespace corvandel

// The registry in memory, with the Windows registry's own semantics for the
// calls the program makes, so that routines can be run and checked without
// Windows. Where Wine and Windows differ, this follows Windows.
//
//  - Key and value names match case-insensitively (ASCII letters folded to
//    upper case, as the hive orders them) and keep the case they were created
//    with. Subkeys enumerate in that order; values in the order they were
//    first set.
//  - Values are a type and the bytes written, nothing added or removed: a
//    REG_SZ set without its terminating zero reads back without it. (The real
//    RegSetValueExA, on Windows and Wine alike, looks one byte past text that
//    does not end in a zero and stores that byte too when it is a zero; that
//    read past the caller's count is not copied here.) On reading text that
//    lacks its zero, one is put after it, uncounted, where the buffer has room.
//  - The four roots always exist and cannot be deleted; HKEY_USERS starts with
//    ".DEFAULT". HKEY_CLASSES_ROOT is a root of its own, not a view of
//    HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
//  - Handles: ConnectRegistry hands out a new handle to the root, which must be
//    closed like any other, so that a root handle left open shows in
//    OpenHandleCount. (Wine hands back the predefined value itself; a caller
//    that uses and closes what it got works the same with either.) OpenKeyEx
//    and CreateKey with an empty path hand back a predefined root itself and a
//    new handle for any other key; OpenKey with an empty path hands back the
//    key passed in. Closing a predefined root succeeds and does nothing.
//    Handle values are never reused, so a closed handle stays invalid.
//  - A deleted key's open handles stay valid but every call on them except
//    CloseKey fails with kKeyDeleted; a key created later under the same name
//    is a different key.
//  - A path is split at backslashes, empty parts skipped; a leading backslash
//    is kBadPathname.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "services/registry.h"

namespace corvandel {

class MemoryRegistry : public IRegistry {
 public:
  // What Deny refuses. kOpen: any call that hands out a handle (ConnectRegistry
  // for the root's own path "", OpenKeyEx, OpenKey, CreateKey). kCreate:
  // creating a key. kSet: SetValueEx. kDelete: DeleteValue, DeleteValueByPath,
  // DeleteKey, DeleteTree (a tree holding a refused key is left whole). Access
  // is checked when the call is made, as for a key whose rights were changed
  // after it was opened. kFullAccess: OpenKeyEx asking for full access, not a
  // read-only one; with kCreate, kSet and kDelete it is what a user without
  // administrator rights meets under HKEY_LOCAL_MACHINE.
  //
  // A handle OpenKeyEx gives while read-only opens are on refuses SetValueEx
  // and DeleteValue, and creating a key below it; the calls that open the key
  // they work on themselves (DeleteKey, DeleteTree, DeleteValueByPath) go on.
  enum Op : unsigned { kOpen = 1u, kCreate = 2u, kSet = 4u, kDelete = 8u, kFullAccess = 16u };

  struct Value {
    std::string name;
    std::uint32_t type = reg::kNone;
    std::vector<std::uint8_t> data;
  };

  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(MemoryRegistry&&);

  RegResult ConnectRegistry(RegKey root, RegKey* result) override;
  RegResult OpenKeyEx(RegKey key, const char* subKey, RegKey* result) override;
  RegResult OpenKey(RegKey key, const char* subKey, RegKey* result) override;
  RegResult CreateKey(RegKey key, const char* subKey, RegKey* result) override;
  RegResult QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override;
  RegResult QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) override;
  RegResult SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t size) override;
  RegResult DeleteValue(RegKey key, const char* name) override;
  RegResult DeleteKey(RegKey key, const char* subKey) override;
  RegResult DeleteTree(RegKey key, const char* subKey) override;
  RegResult DeleteValueByPath(RegKey key, const char* subKey, const char* name) override;
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override;
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* dataSize) override;
  RegResult CloseKey(RegKey key) override;
  void SetReadOnlyOpens(bool readOnly) override { readOnlyOpens_ = readOnly; }

  // Fault injection, to exercise the routines' silent-failure paths.
  // Refuses ops (a mask of Op) with kAccessDenied at path below root and at
  // every key beneath it; path "" is the whole root. Refusals add up.
  void Deny(unsigned ops, RegKey root, std::string_view path);
  // The nth call from now (1, or 0, = the next one) fails with code and has no
  // effect. CloseKey is not counted and never fails, so that a test can still
  // check that every handle was closed.
  void FailNthCall(unsigned n, RegResult code);

  // Handles handed out and not yet closed (predefined roots are not counted).
  std::size_t OpenHandleCount() const { return handles_.size(); }

  // Inspection for tests and the .reg files: no handles, no faults, no counts.
  bool KeyExists(RegKey root, std::string_view path) const;
  // Holds what a new MemoryRegistry holds, with no handle open and no fault
  // or refusal set up.
  bool IsPristine() const;
  bool Get(RegKey root, std::string_view path, std::string_view name, std::uint32_t* type,
           std::vector<std::uint8_t>* data) const;
  // Visits the root (path "") and every key under it, parents first, subkeys
  // in EnumKey order; paths as created, joined with backslashes.
  using KeyVisitor = std::function<void(const std::string& path, const std::vector<Value>& values)>;
  void ForEachKey(RegKey root, const KeyVisitor& visit) const;

 private:
  struct Node;
  using NodePtr = std::shared_ptr<Node>;
  using Path = std::vector<std::string>;
  struct Denial {
    unsigned ops;
    RegKey root;
    Path path;
  };

  RegResult NextCallFault();
  RegResult Resolve(RegKey key, NodePtr* node) const;
  RegResult Acquire(RegKey key, const char* subKey, bool create, bool sameHandleForEmpty, RegKey* result);
  RegResult FindBelow(RegKey key, const char* subKey, NodePtr* node) const;
  RegResult Read(const Node& node, const char* name, std::uint32_t* type, std::uint8_t* data,
                 std::uint32_t* size) const;
  RegResult Remove(const NodePtr& node, bool wholeTree);
  bool Denied(unsigned op, const Node& node) const;
  bool Denied(unsigned op, RegKey root, const Path& path) const;
  bool DeniedInTree(unsigned op, const Node& node) const;
  RegKey NewHandle(NodePtr node);
  bool IsReadOnly(RegKey key) const { return readOnlyHandles_.count(key) > 0; }
  const Node* Find(RegKey root, std::string_view path) const;

  std::map<RegKey, NodePtr> roots_;
  std::map<RegKey, NodePtr> handles_;
  std::set<RegKey> readOnlyHandles_;  // opened by OpenKeyEx while read-only opens were on
  bool readOnlyOpens_ = false;
  RegKey nextHandle_ = 0x1000;
  std::vector<Denial> denials_;
  std::map<std::uint64_t, RegResult> failures_;  // call number -> code
  std::uint64_t calls_ = 0;
};

}  // namespace corvandel

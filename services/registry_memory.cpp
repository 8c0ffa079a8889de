#include "services/registry_memory.h"

#include <algorithm>
#include <iterator>

#include "services/ansi_text.h"

namespace corvandel {
namespace {

// The hive compares names folded to upper case, so "_x" sorts after "Zed".
unsigned char Folded(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) < Folded(y); });
  }
};

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    auto slash = path.find('\\');
    auto part = path.substr(0, slash);
    if (!part.empty()) parts.push_back(part);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
  }
  return parts;
}

RegResult SplitSubKey(const char* subKey, std::vector<std::string_view>* parts) {
  if (subKey && subKey[0] == '\\') return reg::kBadPathname;
  *parts = SplitPath(subKey ? subKey : "");
  return reg::kSuccess;
}

bool IsText(std::uint32_t type) { return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz; }

template <typename Values>
auto FindValue(Values& values, std::string_view name) {
  return std::find_if(values.begin(), values.end(), [&](const auto& v) { return EqualsIgnoringCase(v.name, name); });
}

}  // namespace

struct MemoryRegistry::Node {
  std::string name;
  RegKey root = 0;
  Node* parent = nullptr;  // null for a root and for a deleted key
  bool deleted = false;
  std::map<std::string, NodePtr, NameLess> subkeys;
  std::vector<Value> values;  // in the order first set

  Path PathFromRoot() const {
    Path path;
    for (const Node* n = this; n->parent; n = n->parent) path.push_back(n->name);
    std::reverse(path.begin(), path.end());
    return path;
  }

  // Handles may still hold this key or keys below it: mark them all, and let
  // go of what no handle holds.
  void Forget() {
    deleted = true;
    parent = nullptr;
    for (auto& entry : subkeys) entry.second->Forget();
    subkeys.clear();
    values.clear();
  }
};

MemoryRegistry::MemoryRegistry() {
  for (RegKey root : {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers}) {
    auto node = std::make_shared<Node>();
    node->root = root;
    roots_[root] = node;
  }
  RegKey profile = 0;
  CreateKey(reg::kUsers, ".DEFAULT", &profile);
  CloseKey(profile);
  calls_ = 0;
}

MemoryRegistry::~MemoryRegistry() = default;
MemoryRegistry& MemoryRegistry::operator=(MemoryRegistry&&) = default;

bool MemoryRegistry::IsPristine() const {
  if (!handles_.empty() || !denials_.empty() || !failures_.empty() || readOnlyOpens_) return false;
  return std::all_of(roots_.begin(), roots_.end(), [](const auto& root) {
    const Node& node = *root.second;
    if (!node.values.empty()) return false;
    if (node.root != reg::kUsers) return node.subkeys.empty();
    if (node.subkeys.size() != 1) return false;
    const Node& profile = *node.subkeys.begin()->second;
    return profile.name == ".DEFAULT" && profile.values.empty() && profile.subkeys.empty();
  });
}

RegResult MemoryRegistry::NextCallFault() {
  auto failure = failures_.find(++calls_);
  if (failure == failures_.end()) return reg::kSuccess;
  RegResult code = failure->second;
  failures_.erase(failure);
  return code;
}

void MemoryRegistry::FailNthCall(unsigned n, RegResult code) { failures_[calls_ + std::max(n, 1u)] = code; }

void MemoryRegistry::Deny(unsigned ops, RegKey root, std::string_view path) {
  Denial denial{ops, root, {}};
  for (auto part : SplitPath(path)) denial.path.emplace_back(part);
  denials_.push_back(std::move(denial));
}

bool MemoryRegistry::Denied(unsigned op, RegKey root, const Path& path) const {
  return std::any_of(denials_.begin(), denials_.end(), [&](const Denial& d) {
    return (d.ops & op) && d.root == root && d.path.size() <= path.size() &&
           std::equal(d.path.begin(), d.path.end(), path.begin(),
                      [](const std::string& a, const std::string& b) { return EqualsIgnoringCase(a, b); });
  });
}

bool MemoryRegistry::Denied(unsigned op, const Node& node) const {
  return !denials_.empty() && Denied(op, node.root, node.PathFromRoot());
}

bool MemoryRegistry::DeniedInTree(unsigned op, const Node& node) const {
  if (Denied(op, node)) return true;
  return std::any_of(node.subkeys.begin(), node.subkeys.end(),
                     [&](const auto& entry) { return DeniedInTree(op, *entry.second); });
}

RegKey MemoryRegistry::NewHandle(NodePtr node) {
  RegKey handle = nextHandle_;
  nextHandle_ += 4;  // never reused: a stale handle stays invalid
  handles_.emplace(handle, std::move(node));
  return handle;
}

RegResult MemoryRegistry::Resolve(RegKey key, NodePtr* node) const {
  if (auto root = roots_.find(key); root != roots_.end()) {
    *node = root->second;
    return reg::kSuccess;
  }
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return reg::kInvalidHandle;
  if (handle->second->deleted) return reg::kKeyDeleted;
  *node = handle->second;
  return reg::kSuccess;
}

RegResult MemoryRegistry::FindBelow(RegKey key, const char* subKey, NodePtr* node) const {
  if (RegResult r = Resolve(key, node)) return r;
  std::vector<std::string_view> parts;
  if (RegResult r = SplitSubKey(subKey, &parts)) return r;
  for (auto part : parts) {
    auto it = (*node)->subkeys.find(part);
    if (it == (*node)->subkeys.end()) return reg::kFileNotFound;
    *node = it->second;
  }
  return reg::kSuccess;
}

RegResult MemoryRegistry::Acquire(RegKey key, const char* subKey, bool create, bool sameHandleForEmpty,
                                  RegKey* result) {
  if (!result) return reg::kInvalidParameter;
  NodePtr node;
  if (RegResult r = Resolve(key, &node)) return r;
  std::vector<std::string_view> parts;
  if (RegResult r = SplitSubKey(subKey, &parts)) return r;
  if (parts.empty() && sameHandleForEmpty) {
    *result = key;
    return reg::kSuccess;
  }
  std::size_t found = 0;
  for (; found < parts.size(); ++found) {
    auto it = node->subkeys.find(parts[found]);
    if (it == node->subkeys.end()) break;
    node = it->second;
  }
  bool missing = found < parts.size();
  if (missing && !create) return reg::kFileNotFound;
  if (missing && IsReadOnly(key)) return reg::kAccessDenied;
  // Any key to be created lies at or above the target, so checking the target
  // refuses the whole call before anything is made.
  if (!denials_.empty()) {
    Path path = node->PathFromRoot();
    path.insert(path.end(), parts.begin() + static_cast<std::ptrdiff_t>(found), parts.end());
    if (Denied(kOpen, node->root, path) || (missing && Denied(kCreate, node->root, path))) return reg::kAccessDenied;
  }
  for (; found < parts.size(); ++found) {
    auto child = std::make_shared<Node>();
    child->name = std::string(parts[found]);
    child->root = node->root;
    child->parent = node.get();
    node = node->subkeys.emplace(child->name, child).first->second;
  }
  *result = NewHandle(std::move(node));
  return reg::kSuccess;
}

RegResult MemoryRegistry::Read(const Node& node, const char* name, std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* size) const {
  if (data && !size) return reg::kInvalidParameter;
  auto value = FindValue(node.values, name ? name : "");
  if (value == node.values.end()) return reg::kFileNotFound;
  if (type) *type = value->type;
  if (!size) return reg::kSuccess;
  auto needed = static_cast<std::uint32_t>(value->data.size());
  if (data && *size < needed) {
    *size = needed;
    return reg::kMoreData;
  }
  if (data) {
    std::copy(value->data.begin(), value->data.end(), data);
    // Text stored without its zero gets one after it, uncounted, where the
    // buffer has room, as RegQueryValueExA does.
    if (IsText(value->type) && needed > 0 && needed < *size && data[needed - 1] != 0) data[needed] = 0;
  }
  *size = needed;
  return reg::kSuccess;
}

RegResult MemoryRegistry::Remove(const NodePtr& target, bool wholeTree) {
  if (!target->parent) return reg::kAccessDenied;  // a root
  if (!wholeTree && !target->subkeys.empty()) return reg::kAccessDenied;
  if (wholeTree ? DeniedInTree(kDelete, *target) : Denied(kDelete, *target)) return reg::kAccessDenied;
  NodePtr node = target;  // target may be the very entry erased below
  node->parent->subkeys.erase(node->name);
  node->Forget();
  return reg::kSuccess;
}

RegResult MemoryRegistry::ConnectRegistry(RegKey root, RegKey* result) {
  if (result) *result = 0;
  if (RegResult fault = NextCallFault()) return fault;
  if (!result) return reg::kInvalidParameter;
  auto node = roots_.find(root);
  if (node == roots_.end()) return reg::kInvalidHandle;
  if (Denied(kOpen, root, {})) return reg::kAccessDenied;
  *result = NewHandle(node->second);
  return reg::kSuccess;
}

RegResult MemoryRegistry::OpenKeyEx(RegKey key, const char* subKey, RegKey* result) {
  if (result) *result = 0;
  if (RegResult fault = NextCallFault()) return fault;
  if (!readOnlyOpens_) {
    NodePtr node;
    if (FindBelow(key, subKey, &node) == reg::kSuccess && Denied(kFullAccess, *node)) return reg::kAccessDenied;
  }
  const RegResult r = Acquire(key, subKey, false, roots_.count(key) > 0, result);
  if (r == reg::kSuccess && readOnlyOpens_ && !roots_.count(*result)) readOnlyHandles_.insert(*result);
  return r;
}

RegResult MemoryRegistry::OpenKey(RegKey key, const char* subKey, RegKey* result) {
  if (result) *result = 0;
  if (RegResult fault = NextCallFault()) return fault;
  return Acquire(key, subKey, false, true, result);
}

RegResult MemoryRegistry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
  if (result) *result = 0;
  if (RegResult fault = NextCallFault()) return fault;
  return Acquire(key, subKey, true, roots_.count(key) > 0, result);
}

RegResult MemoryRegistry::QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                                       std::uint32_t* size) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = Resolve(key, &node)) return r;
  return Read(*node, name, type, data, size);
}

RegResult MemoryRegistry::QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) {
  if (RegResult fault = NextCallFault()) return fault;
  if (data && !size) return reg::kInvalidParameter;
  NodePtr node;
  if (RegResult r = FindBelow(key, subKey, &node)) return r;
  std::uint32_t room = size ? static_cast<std::uint32_t>(std::max<std::int32_t>(*size, 0)) : 0;
  RegResult r = Read(*node, "", nullptr, reinterpret_cast<std::uint8_t*>(data), size ? &room : nullptr);
  if (r == reg::kFileNotFound) {
    // A key without a default value reads as the empty text.
    r = data && room < 1 ? reg::kMoreData : reg::kSuccess;
    if (data && room >= 1) data[0] = '\0';
    room = 1;
  }
  if (size) *size = static_cast<std::int32_t>(room);
  return r;
}

RegResult MemoryRegistry::SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                                     std::uint32_t size) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = Resolve(key, &node)) return r;
  if (!data && size) return reg::kNoAccess;
  if (IsReadOnly(key) || Denied(kSet, *node)) return reg::kAccessDenied;
  std::vector<std::uint8_t> bytes(data, data + size);
  auto value = FindValue(node->values, name ? name : "");
  if (value == node->values.end()) {
    node->values.push_back({name ? name : "", type, std::move(bytes)});
  } else {
    value->type = type;  // the name keeps its first spelling, the value its place
    value->data = std::move(bytes);
  }
  return reg::kSuccess;
}

RegResult MemoryRegistry::DeleteValue(RegKey key, const char* name) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = Resolve(key, &node)) return r;
  if (IsReadOnly(key) || Denied(kDelete, *node)) return reg::kAccessDenied;
  auto value = FindValue(node->values, name ? name : "");
  if (value == node->values.end()) return reg::kFileNotFound;
  node->values.erase(value);
  return reg::kSuccess;
}

RegResult MemoryRegistry::DeleteKey(RegKey key, const char* subKey) {
  if (RegResult fault = NextCallFault()) return fault;
  if (!subKey) return reg::kInvalidParameter;
  NodePtr node;
  if (RegResult r = FindBelow(key, subKey, &node)) return r;
  return Remove(node, false);
}

RegResult MemoryRegistry::DeleteTree(RegKey key, const char* subKey) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = FindBelow(key, subKey, &node)) return r;
  return Remove(node, true);
}

RegResult MemoryRegistry::DeleteValueByPath(RegKey key, const char* subKey, const char* name) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = FindBelow(key, subKey, &node)) return r;
  if (Denied(kDelete, *node)) return reg::kAccessDenied;
  auto value = FindValue(node->values, name ? name : "");
  if (value == node->values.end()) return reg::kFileNotFound;
  node->values.erase(value);
  return reg::kSuccess;
}

RegResult MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = Resolve(key, &node)) return r;
  if (!name) return reg::kInvalidParameter;
  if (index >= node->subkeys.size()) return reg::kNoMoreItems;
  const std::string& subkey = std::next(node->subkeys.begin(), index)->second->name;
  if (nameSize <= subkey.size()) return reg::kMoreData;
  std::copy(subkey.begin(), subkey.end(), name);
  name[subkey.size()] = '\0';
  return reg::kSuccess;
}

RegResult MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  if (RegResult fault = NextCallFault()) return fault;
  NodePtr node;
  if (RegResult r = Resolve(key, &node)) return r;
  if (!name || !nameSize || (data && !dataSize)) return reg::kInvalidParameter;
  if (index >= node->values.size()) return reg::kNoMoreItems;
  const Value& value = node->values[index];
  if (*nameSize <= value.name.size()) return reg::kMoreData;
  auto needed = static_cast<std::uint32_t>(value.data.size());
  if (type) *type = value.type;
  if (data && *dataSize < needed) {
    *dataSize = needed;
    return reg::kMoreData;
  }
  std::copy(value.name.begin(), value.name.end(), name);
  name[value.name.size()] = '\0';
  *nameSize = static_cast<std::uint32_t>(value.name.size());
  if (data) std::copy(value.data.begin(), value.data.end(), data);
  if (dataSize) *dataSize = needed;
  return reg::kSuccess;
}

RegResult MemoryRegistry::CloseKey(RegKey key) {
  if (roots_.count(key)) return reg::kSuccess;
  readOnlyHandles_.erase(key);
  return handles_.erase(key) ? reg::kSuccess : reg::kInvalidHandle;
}

const MemoryRegistry::Node* MemoryRegistry::Find(RegKey root, std::string_view path) const {
  auto it = roots_.find(root);
  if (it == roots_.end()) return nullptr;
  const Node* node = it->second.get();
  for (auto part : SplitPath(path)) {
    auto child = node->subkeys.find(part);
    if (child == node->subkeys.end()) return nullptr;
    node = child->second.get();
  }
  return node;
}

bool MemoryRegistry::KeyExists(RegKey root, std::string_view path) const { return Find(root, path) != nullptr; }

bool MemoryRegistry::Get(RegKey root, std::string_view path, std::string_view name, std::uint32_t* type,
                         std::vector<std::uint8_t>* data) const {
  const Node* node = Find(root, path);
  if (!node) return false;
  auto value = FindValue(node->values, name);
  if (value == node->values.end()) return false;
  if (type) *type = value->type;
  if (data) *data = value->data;
  return true;
}

void MemoryRegistry::ForEachKey(RegKey root, const KeyVisitor& visit) const {
  const Node* top = Find(root, "");
  if (!top) return;
  std::function<void(const Node&, const std::string&)> walk = [&](const Node& node, const std::string& path) {
    visit(path, node.values);
    for (const auto& entry : node.subkeys)
      walk(*entry.second, path.empty() ? entry.second->name : path + '\\' + entry.second->name);
  };
  walk(*top, "");
}

}  // namespace corvandel

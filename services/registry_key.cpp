#include "services/registry_key.h"

namespace corvandel {

namespace {

// Connect, then open or create; a failed open releases the root at once.
template <typename OpenCall>
RegKey ConnectAndOpen(IRegistry& registry, RegKey root, RegKey* connected, OpenCall open) {
  *connected = 0;
  RegKey rootHandle = 0;
  if (registry.ConnectRegistry(root, &rootHandle) != reg::kSuccess) return 0;
  RegKey key = 0;
  if (open(rootHandle, &key) != reg::kSuccess) {
    registry.CloseKey(rootHandle);
    return 0;
  }
  *connected = rootHandle;
  return key;
}

}  // namespace

RegistryKey RegistryKey::Open(IRegistry& registry, RegKey root, const std::string& path) {
  RegKey connected = 0;
  RegKey key = ConnectAndOpen(registry, root, &connected,
                              [&](RegKey r, RegKey* k) { return registry.OpenKeyEx(r, path.c_str(), k); });
  return RegistryKey(registry, connected, key);
}

RegistryKey RegistryKey::Create(IRegistry& registry, RegKey root, const std::string& path) {
  RegKey connected = 0;
  RegKey key = ConnectAndOpen(registry, root, &connected,
                              [&](RegKey r, RegKey* k) { return registry.CreateKey(r, path.c_str(), k); });
  return RegistryKey(registry, connected, key);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(other.registry_), root_(other.root_), key_(other.key_) {
  other.root_ = 0;
  other.key_ = 0;
}

RegistryKey::~RegistryKey() {
  if (key_) registry_->CloseKey(key_);
  if (root_) registry_->CloseKey(root_);
}

RegistryKey RegistryKey::OpenSubKey(const std::string& path) const {
  RegKey sub = 0;
  if (!key_ || registry_->OpenKeyEx(key_, path.c_str(), &sub) != reg::kSuccess) sub = 0;
  return RegistryKey(*registry_, 0, sub);
}

RegistryKey RegistryKey::CreateSubKey(const std::string& path) const {
  RegKey sub = 0;
  if (!key_ || registry_->CreateKey(key_, path.c_str(), &sub) != reg::kSuccess) sub = 0;
  return RegistryKey(*registry_, 0, sub);
}

std::vector<std::string> RegistryKey::SubKeyNames(std::uint32_t first) const {
  std::vector<std::string> names;
  if (!key_) return names;
  char name[260];
  for (std::uint32_t index = first; registry_->EnumKey(key_, index, name, sizeof name) == reg::kSuccess; ++index)
    names.emplace_back(name);
  return names;
}

std::optional<std::vector<std::uint8_t>> RegistryKey::ReadBytes(const std::string& name) const {
  if (!key_) return std::nullopt;
  std::vector<std::uint8_t> buffer(kRegistryReadBuffer);
  std::uint32_t size = kRegistryReadBuffer;
  if (registry_->QueryValueEx(key_, name.c_str(), nullptr, buffer.data(), &size) != reg::kSuccess) return std::nullopt;
  buffer.resize(size);
  return buffer;
}

std::optional<std::uint32_t> RegistryKey::ReadDword(const std::string& name) const {
  auto bytes = ReadBytes(name);
  if (!bytes || bytes->size() != 4) return std::nullopt;
  const auto& b = *bytes;
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::optional<std::string> RegistryKey::ReadText(const std::string& name) const {
  auto bytes = ReadBytes(name);
  if (!bytes) return std::nullopt;
  std::string text(bytes->begin(), bytes->end());
  auto zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

bool RegistryKey::ReadFlag(const std::string& name) const { return ReadText(name) == "1"; }

void RegistryKey::WriteDword(const std::string& name, std::uint32_t value) const {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  if (key_) registry_->SetValueEx(key_, name.c_str(), reg::kDword, bytes, 4);
}

void RegistryKey::WriteText(const std::string& name, const std::string& text, std::uint32_t type) const {
  if (key_)
    registry_->SetValueEx(key_, name.c_str(), type, reinterpret_cast<const std::uint8_t*>(text.data()),
                          static_cast<std::uint32_t>(text.size()));
}

void RegistryKey::WriteBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  if (key_) registry_->SetValueEx(key_, name.c_str(), reg::kBinary, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

void RegistryKey::DeleteValue(const std::string& name) const {
  if (key_) registry_->DeleteValue(key_, name.c_str());
}

void RegistryKey::DeleteSubKey(const std::string& path) const {
  if (key_) registry_->DeleteKey(key_, path.c_str());
}

void RegistryKey::DeleteTree(const std::string& path) const {
  if (key_) registry_->DeleteTree(key_, path.c_str());
}

void DeleteValueAt(IRegistry& registry, RegKey root, const std::string& path, const std::string& name) {
  RegKey rootHandle = 0;
  if (registry.ConnectRegistry(root, &rootHandle) != reg::kSuccess) return;
  registry.DeleteValueByPath(rootHandle, path.c_str(), name.c_str());
  registry.CloseKey(rootHandle);
}

void DeleteTreeAt(IRegistry& registry, RegKey root, const std::string& path) {
  RegKey rootHandle = 0;
  if (registry.ConnectRegistry(root, &rootHandle) != reg::kSuccess) return;
  registry.DeleteTree(rootHandle, path.c_str());
  registry.CloseKey(rootHandle);
}

}  // namespace corvandel

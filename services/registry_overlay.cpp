#include "services/registry_overlay.h"

#include <vector>

#include "services/read_key.h"

namespace corvandel {
namespace {

// Registry names match with ASCII letters folded to upper case.
std::pair<RegKey, std::string> Folded(const std::pair<RegKey, std::string>& place) {
  std::string path = place.second;
  for (char& c : path)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return {place.first, path};
}

}  // namespace

OverlayRegistry::OverlayRegistry(IRegistry& base) : base_(base) { base_.SetReadOnlyOpens(true); }

bool OverlayRegistry::PlaceOf(RegKey key, const char* subKey, Place* place) const {
  if (IsRoot(key)) {
    *place = {key, ""};
  } else {
    const auto known = places_.find(key);
    if (known == places_.end()) return false;
    *place = known->second;
  }
  place->second = JoinedKeyPath(place->second, subKey ? subKey : "");
  return true;
}

bool OverlayRegistry::Copied(const Place& place) const {
  if (copied_.count(Folded(place))) return true;
  for (Place at = Folded(place);; at.second = ParentKeyPath(at.second)) {
    if (removed_.count(at)) return true;
    if (at.second.empty()) return false;
  }
}

RegResult OverlayRegistry::Materialise(const Place& place) {
  if (RegResult r = CopyIn({place.first, ""}); r != reg::kSuccess) return r;
  std::string path;
  for (const char c : place.second + '\\') {
    if (c != '\\') {
      path += c;
      continue;
    }
    if (!scratch_.KeyExists(place.first, path)) break;
    if (RegResult r = CopyIn({place.first, path}); r != reg::kSuccess) return r;
    path += c;
  }
  return reg::kSuccess;
}

// The key's values, and its subkeys as empty keys to be copied in when
// reached. A key the registry underneath lacks has nothing to copy.
RegResult OverlayRegistry::CopyIn(const Place& place) {
  if (Copied(place)) return reg::kSuccess;
  ReadKey from(base_, place.first, place.second, &IRegistry::OpenKeyEx);
  if (from.result() == reg::kAccessDenied) return reg::kAccessDenied;
  copied_.insert(Folded(place));
  if (from.result() != reg::kSuccess) return reg::kSuccess;

  RegKey to = 0;
  if (scratch_.CreateKey(place.first, place.second.c_str(), &to) != reg::kSuccess) return reg::kSuccess;
  std::vector<char> name(16384);
  std::vector<std::uint8_t> data(256);
  for (std::uint32_t index = 0;;) {
    auto nameSize = static_cast<std::uint32_t>(name.size());
    auto dataSize = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = reg::kNone;
    const RegResult r = base_.EnumValue(from.key(), index, name.data(), &nameSize, &type, data.data(), &dataSize);
    if (r == reg::kMoreData && dataSize > data.size()) {
      data.resize(dataSize);
      continue;
    }
    if (r != reg::kSuccess) break;
    scratch_.SetValueEx(to, std::string(name.data(), nameSize).c_str(), type, data.data(), dataSize);
    ++index;
  }
  for (std::uint32_t index = 0; base_.EnumKey(from.key(), index, name.data(), 256) == reg::kSuccess; ++index) {
    RegKey subkey = 0;
    if (scratch_.CreateKey(to, name.data(), &subkey) == reg::kSuccess) scratch_.CloseKey(subkey);
  }
  scratch_.CloseKey(to);
  return reg::kSuccess;
}

RegResult OverlayRegistry::ProbeWrite(const Place& place) {
  const Place folded = Folded(place);
  if (const auto known = probes_.find(folded); known != probes_.end()) return known->second;
  base_.SetReadOnlyOpens(false);
  RegResult result = reg::kSuccess;
  for (std::string path = place.second;; path = std::string(ParentKeyPath(path))) {
    ReadKey key(base_, place.first, path, &IRegistry::OpenKeyEx);
    if (key.result() != reg::kFileNotFound || path.empty()) {
      result = key.result() == reg::kAccessDenied ? reg::kAccessDenied : reg::kSuccess;
      break;
    }
  }
  base_.SetReadOnlyOpens(true);
  return probes_[folded] = result;
}

RegResult OverlayRegistry::PrepareChange(RegKey key, const char* subKey, Place* place) {
  if (!PlaceOf(key, subKey, place)) return reg::kSuccess;  // scratch_ answers for a handle it never gave
  if (RegResult r = Materialise(*place); r != reg::kSuccess) return r;
  return ProbeWrite(*place);
}

RegResult OverlayRegistry::HandOut(RegResult result, const Place& place, RegKey* handle) {
  if (result == reg::kSuccess && handle && !IsRoot(*handle)) places_[*handle] = place;
  return result;
}

RegResult OverlayRegistry::ConnectRegistry(RegKey root, RegKey* result) {
  const Place place{root, ""};
  if (IsRoot(root))
    if (RegResult r = CopyIn(place); r != reg::kSuccess) return r;
  return HandOut(scratch_.ConnectRegistry(root, result), place, result);
}

RegResult OverlayRegistry::OpenKeyEx(RegKey key, const char* subKey, RegKey* result) {
  Place place;
  if (!PlaceOf(key, subKey, &place)) return scratch_.OpenKeyEx(key, subKey, result);
  if (RegResult r = Materialise(place); r != reg::kSuccess) return r;
  if (!readOnly_ && scratch_.KeyExists(place.first, place.second))
    if (RegResult r = ProbeWrite(place); r != reg::kSuccess) return r;
  return HandOut(scratch_.OpenKeyEx(key, subKey, result), place, result);
}

RegResult OverlayRegistry::OpenKey(RegKey key, const char* subKey, RegKey* result) {
  Place place;
  if (!PlaceOf(key, subKey, &place)) return scratch_.OpenKey(key, subKey, result);
  if (RegResult r = Materialise(place); r != reg::kSuccess) return r;
  return HandOut(scratch_.OpenKey(key, subKey, result), place, result);
}

// An existing key opens as RegCreateKeyA opens it (with what rights the user
// has; a write through it is probed then); a new one needs the right to
// change its nearest existing parent.
RegResult OverlayRegistry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
  Place place;
  if (!PlaceOf(key, subKey, &place)) return scratch_.CreateKey(key, subKey, result);
  if (RegResult r = Materialise(place); r != reg::kSuccess) return r;
  if (!scratch_.KeyExists(place.first, place.second))
    if (RegResult r = ProbeWrite(place); r != reg::kSuccess) return r;
  const RegResult r = scratch_.CreateKey(key, subKey, result);
  // Keys made here are new: nothing of them comes from below.
  if (r == reg::kSuccess)
    for (std::string path = place.second; !path.empty() && !Copied({place.first, path});
         path = std::string(ParentKeyPath(path)))
      copied_.insert(Folded({place.first, path}));
  return HandOut(r, place, result);
}

RegResult OverlayRegistry::QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                                        std::uint32_t* size) {
  return scratch_.QueryValueEx(key, name, type, data, size);
}

RegResult OverlayRegistry::QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) {
  Place place;
  if (PlaceOf(key, subKey, &place))
    if (RegResult r = Materialise(place); r != reg::kSuccess) return r;
  return scratch_.QueryValue(key, subKey, data, size);
}

RegResult OverlayRegistry::SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                                      std::uint32_t size) {
  Place place;
  if (RegResult r = PrepareChange(key, nullptr, &place); r != reg::kSuccess) return r;
  return scratch_.SetValueEx(key, name, type, data, size);
}

RegResult OverlayRegistry::DeleteValue(RegKey key, const char* name) {
  Place place;
  if (RegResult r = PrepareChange(key, nullptr, &place); r != reg::kSuccess) return r;
  return scratch_.DeleteValue(key, name);
}

RegResult OverlayRegistry::DeleteKey(RegKey key, const char* subKey) {
  Place place;
  if (RegResult r = PrepareChange(key, subKey, &place); r != reg::kSuccess) return r;
  const RegResult r = scratch_.DeleteKey(key, subKey);
  if (r == reg::kSuccess) removed_.insert(Folded(place));
  return r;
}

RegResult OverlayRegistry::DeleteTree(RegKey key, const char* subKey) {
  Place place;
  if (RegResult r = PrepareChange(key, subKey, &place); r != reg::kSuccess) return r;
  const RegResult r = scratch_.DeleteTree(key, subKey);
  if (r == reg::kSuccess) removed_.insert(Folded(place));
  return r;
}

RegResult OverlayRegistry::DeleteValueByPath(RegKey key, const char* subKey, const char* name) {
  Place place;
  if (RegResult r = PrepareChange(key, subKey, &place); r != reg::kSuccess) return r;
  return scratch_.DeleteValueByPath(key, subKey, name);
}

RegResult OverlayRegistry::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
  return scratch_.EnumKey(key, index, name, nameSize);
}

RegResult OverlayRegistry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  return scratch_.EnumValue(key, index, name, nameSize, type, data, dataSize);
}

RegResult OverlayRegistry::CloseKey(RegKey key) {
  places_.erase(key);
  return scratch_.CloseKey(key);
}

void OverlayRegistry::SetReadOnlyOpens(bool readOnly) {
  readOnly_ = readOnly;
  scratch_.SetReadOnlyOpens(readOnly);
}

}  // namespace corvandel

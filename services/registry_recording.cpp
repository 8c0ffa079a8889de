#include "services/registry_recording.h"

#include <algorithm>

#include "services/ansi_text.h"
#include "services/read_key.h"

namespace corvandel {
namespace {

// path lies at or below key (both from the same root).
bool IsWithin(std::string_view path, std::string_view key) {
  if (key.empty()) return true;
  if (path.size() < key.size() || !EqualsIgnoringCase(path.substr(0, key.size()), key)) return false;
  return path.size() == key.size() || path[key.size()] == '\\';
}

using Stored = RecordingRegistry::Stored;
using KeyContent = RecordingRegistry::KeyContent;
using Tree = RecordingRegistry::Tree;

std::optional<Stored> ReadValue(IRegistry& registry, RegKey root, const std::string& path, const std::string& name) {
  ReadKey key(registry, root, path, &IRegistry::OpenKey);
  if (key.result() != reg::kSuccess) return std::nullopt;
  Stored stored;
  std::uint32_t size = 0;
  if (registry.QueryValueEx(key.key(), name.c_str(), &stored.type, nullptr, &size) != reg::kSuccess)
    return std::nullopt;
  stored.data.resize(size);
  if (size > 0 &&
      registry.QueryValueEx(key.key(), name.c_str(), &stored.type, stored.data.data(), &size) != reg::kSuccess)
    return std::nullopt;
  stored.data.resize(size);
  return stored;
}

std::optional<Tree> ReadTree(IRegistry& registry, RegKey root, const std::string& path) {
  ReadKey key(registry, root, path, &IRegistry::OpenKey);
  if (key.result() != reg::kSuccess) return std::nullopt;
  Tree tree{KeyContent{path, {}}};
  std::vector<char> name(16384);
  std::vector<std::uint8_t> data(1024);
  for (std::uint32_t index = 0;;) {
    auto nameSize = static_cast<std::uint32_t>(name.size());
    auto dataSize = static_cast<std::uint32_t>(data.size());
    Stored value;
    const RegResult r = registry.EnumValue(key.key(), index, name.data(), &nameSize, &value.type, data.data(), &dataSize);
    if (r == reg::kMoreData && dataSize > data.size()) {
      data.resize(dataSize);
      continue;
    }
    if (r != reg::kSuccess) break;
    value.data.assign(data.begin(), data.begin() + dataSize);
    tree.front().values.emplace_back(std::string(name.data(), nameSize), std::move(value));
    ++index;
  }
  std::vector<std::string> subkeys;
  for (std::uint32_t index = 0; registry.EnumKey(key.key(), index, name.data(), 256) == reg::kSuccess; ++index)
    subkeys.emplace_back(name.data());
  for (const std::string& subkey : subkeys)
    if (auto below = ReadTree(registry, root, JoinedKeyPath(path, subkey))) tree.insert(tree.end(), below->begin(), below->end());
  return tree;
}

// The changes that make a key tree: each key, then its values.
void AddTreeCreation(RegKey root, const Tree& tree, std::vector<RegChange>* changes) {
  for (const KeyContent& key : tree) {
    changes->push_back({RegChange::kCreateKey, root, key.path, {}, reg::kNone, {}});
    for (const auto& [name, value] : key.values)
      changes->push_back({RegChange::kSetValue, root, key.path, name, value.type, value.data});
  }
}

const KeyContent* FindKey(const std::optional<Tree>& tree, std::string_view path) {
  if (!tree) return nullptr;
  for (const KeyContent& key : *tree)
    if (EqualsIgnoringCase(key.path, path)) return &key;
  return nullptr;
}

const Stored* FindValue(const KeyContent& key, std::string_view name) {
  for (const auto& [valueName, value] : key.values)
    if (EqualsIgnoringCase(valueName, name)) return &value;
  return nullptr;
}

// What turns the key tree at path from before into after: removed keys once,
// at the highest of them; new keys with all their values; in the keys that
// stay, the values removed, added or changed.
void AddTreeChanges(RegKey root, const std::string& path, const std::optional<Tree>& before,
                    const std::optional<Tree>& after, std::vector<RegChange>* made) {
  if (!after) {
    if (before) made->push_back({RegChange::kDeleteKey, root, path, {}, reg::kNone, {}});
    return;
  }
  if (before)
    for (const KeyContent& key : *before)
      if (!FindKey(after, key.path) && FindKey(after, ParentKeyPath(key.path)))
        made->push_back({RegChange::kDeleteKey, root, key.path, {}, reg::kNone, {}});
  for (auto key = after->begin(); key != after->end(); ++key) {
    const KeyContent* old = FindKey(before, key->path);
    // A new key without values that has subkeys is made with them.
    const bool madeBelow = key + 1 != after->end() && ParentKeyPath((key + 1)->path) == key->path;
    if (!old && (!key->values.empty() || !madeBelow))
      made->push_back({RegChange::kCreateKey, root, key->path, {}, reg::kNone, {}});
    if (old)
      for (const auto& [name, value] : old->values)
        if (!FindValue(*key, name)) made->push_back({RegChange::kDeleteValue, root, key->path, name, reg::kNone, {}});
    for (const auto& [name, value] : key->values) {
      const Stored* was = old ? FindValue(*old, name) : nullptr;
      if (!was || !(*was == value))
        made->push_back({RegChange::kSetValue, root, key->path, name, value.type, value.data});
    }
  }
}

}  // namespace

void RecordingRegistry::Begin(BeforeChange beforeChange, bool listMade) {
  recording_ = true;
  listMade_ = listMade;
  beforeChange_ = std::move(beforeChange);
  items_.clear();
  result_ = {};
}

RecordedChanges RecordingRegistry::End() {
  recording_ = false;
  beforeChange_ = nullptr;
  result_.restore = Restore(true);
  if (listMade_) result_.made = Made(result_.restore);
  items_.clear();
  return std::move(result_);
}

std::optional<RecordingRegistry::Place> RecordingRegistry::PlaceOf(RegKey key, const char* subKey) const {
  Place place{key, ""};
  if (!IsRoot(key)) {
    auto known = places_.find(key);
    if (known == places_.end()) return std::nullopt;  // not handed out here: nothing to record against
    place = known->second;
  }
  place.path = JoinedKeyPath(place.path, subKey ? subKey : "");
  return place;
}

RegResult RecordingRegistry::HandOut(RegResult result, RegKey key, const char* subKey, RegKey* handle) {
  const std::optional<Place> place = PlaceOf(key, subKey);
  if (result == reg::kSuccess && handle && !IsRoot(*handle) && place) places_[*handle] = *place;
  if (result == reg::kAccessDenied && recording_ && place) Refused(*place);
  if (result == reg::kFileNotFound && recording_ && place) Missing(*place);
  return result;
}

namespace {
void AddOnce(std::vector<std::string>& keys, std::string name) {
  if (std::find(keys.begin(), keys.end(), name) == keys.end()) keys.push_back(std::move(name));
}
}  // namespace

void RecordingRegistry::Refused(const Place& place) {
  AddOnce(result_.refusedKeys, RegistryKeyName(place.root, place.path));
}

void RecordingRegistry::Missing(const Place& place) {
  AddOnce(result_.missingKeys, RegistryKeyName(place.root, place.path));
}

bool RecordingRegistry::Covers(const Item& tree, const Place& place) const {
  return !tree.valueName && tree.place.root == place.root && IsWithin(place.path, tree.place.path);
}

RegResult RecordingRegistry::Change(const std::optional<Place>& place, const std::optional<std::string>& valueName,
                                    const std::function<RegResult()>& call, bool refusalMeansDenied) {
  if (!recording_ || !place) return call();
  // What an earlier item already holds needs no second look: the same value,
  // or any place inside a key tree captured before.
  const bool known = std::any_of(items_.begin(), items_.end(), [&](const Item& item) {
    if (Covers(item, *place)) return true;
    return valueName && item.valueName && item.place.root == place->root && EqualsIgnoringCase(item.place.path, place->path) &&
           EqualsIgnoringCase(*item.valueName, *valueName);
  });
  if (!known) {
    items_.push_back(Capture(*place, valueName));
    if (beforeChange_) beforeChange_(Restore(false));
  }
  const RegResult result = call();
  if (result == reg::kSuccess) result_.changeMade = true;
  if (result == reg::kAccessDenied && refusalMeansDenied) Refused(*place);
  return result;
}

RecordingRegistry::Item RecordingRegistry::Capture(const Place& place, const std::optional<std::string>& valueName) {
  Item item{place, valueName, std::nullopt, std::nullopt};
  if (valueName)
    item.value = ReadValue(inner_, place.root, place.path, *valueName);
  else
    item.tree = ReadTree(inner_, place.root, place.path);
  return item;
}

bool RecordingRegistry::Unchanged(const Item& item) {
  if (item.valueName) return ReadValue(inner_, item.place.root, item.place.path, *item.valueName) == item.value;
  return ReadTree(inner_, item.place.root, item.place.path) == item.tree;
}

std::vector<RegChange> RecordingRegistry::Restore(bool leaveOutUnchanged) {
  std::vector<bool> unchanged(items_.size(), false);
  if (leaveOutUnchanged) {
    for (std::size_t i = 0; i < items_.size(); ++i) unchanged[i] = Unchanged(items_[i]);
    if (std::all_of(unchanged.begin(), unchanged.end(), [](bool same) { return same; })) return {};
  }
  // Undone last change first, each item back to what it held before its
  // first change. An item that holds that again may be left out unless a
  // later key tree, put back before it, holds it otherwise.
  std::vector<RegChange> changes;
  for (std::size_t i = items_.size(); i-- > 0;) {
    const Item& item = items_[i];
    const bool restoredLater = std::any_of(items_.begin() + static_cast<std::ptrdiff_t>(i) + 1, items_.end(),
                                           [&](const Item& later) { return Covers(later, item.place); });
    if (unchanged[i] && !restoredLater) continue;
    const Place& at = item.place;
    if (item.valueName) {
      if (item.value)
        changes.push_back({RegChange::kSetValue, at.root, at.path, *item.valueName, item.value->type, item.value->data});
      else
        changes.push_back({RegChange::kDeleteValue, at.root, at.path, *item.valueName, reg::kNone, {}});
      continue;
    }
    changes.push_back({RegChange::kDeleteKey, at.root, at.path, {}, reg::kNone, {}});
    if (item.tree) AddTreeCreation(at.root, *item.tree, &changes);
  }
  return changes;
}

std::vector<RegChange> RecordingRegistry::Made(const std::vector<RegChange>& restore) {
  if (restore.empty()) return {};
  // Each recorded place once: a value or key tree inside a key tree also
  // recorded is compared as part of it.
  std::vector<const Item*> places;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    const bool inside = std::any_of(items_.begin(), items_.end(), [&](const Item& other) {
      if (&other == &item || !Covers(other, item.place)) return false;
      const bool samePlace = !item.valueName && Covers(item, other.place);
      return !samePlace || &other < &item;
    });
    if (!inside) places.push_back(&item);
  }
  // The places as the run left them, copied into a scratch registry and put
  // back there as they were before it: the two sides to compare.
  struct Now {
    std::optional<Stored> value;
    std::optional<Tree> tree;
  };
  std::vector<Now> now;
  std::vector<RegChange> copy;
  for (const Item* item : places) {
    const Place& at = item->place;
    if (item->valueName) {
      now.push_back({ReadValue(inner_, at.root, at.path, *item->valueName), std::nullopt});
      if (const auto& value = now.back().value)
        copy.push_back({RegChange::kSetValue, at.root, at.path, *item->valueName, value->type, value->data});
    } else {
      now.push_back({std::nullopt, ReadTree(inner_, at.root, at.path)});
      if (now.back().tree) AddTreeCreation(at.root, *now.back().tree, &copy);
    }
  }
  copy.insert(copy.end(), restore.begin(), restore.end());
  MemoryRegistry before;
  ApplyRegistryChanges(copy, before);

  std::vector<RegChange> made;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const Place& at = places[i]->place;
    if (!places[i]->valueName) {
      AddTreeChanges(at.root, at.path, ReadTree(before, at.root, at.path), now[i].tree, &made);
      continue;
    }
    const std::string& name = *places[i]->valueName;
    if (ReadValue(before, at.root, at.path, name) == now[i].value) continue;
    if (now[i].value)
      made.push_back({RegChange::kSetValue, at.root, at.path, name, now[i].value->type, now[i].value->data});
    else
      made.push_back({RegChange::kDeleteValue, at.root, at.path, name, reg::kNone, {}});
  }
  return made;
}

bool RecordingRegistry::HasSubkeys(const Place& place) {
  ReadKey key(inner_, place.root, place.path, &IRegistry::OpenKey);
  char name[256];
  return key.result() == reg::kSuccess && inner_.EnumKey(key.key(), 0, name, sizeof(name)) == reg::kSuccess;
}

std::optional<RecordingRegistry::Place> RecordingRegistry::FirstMissing(const Place& place) {
  std::string path;
  for (std::string_view rest = place.path; !rest.empty();) {
    const std::size_t slash = rest.find('\\');
    path = JoinedKeyPath(path, rest.substr(0, slash));
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    ReadKey key(inner_, place.root, path, &IRegistry::OpenKey);
    if (key.result() == reg::kFileNotFound) return Place{place.root, path};
    if (key.result() != reg::kSuccess) return std::nullopt;
  }
  return std::nullopt;
}

// The calls.

RegResult RecordingRegistry::ConnectRegistry(RegKey root, RegKey* result) {
  return HandOut(inner_.ConnectRegistry(root, result), root, "", result);
}

RegResult RecordingRegistry::OpenKeyEx(RegKey key, const char* subKey, RegKey* result) {
  return HandOut(inner_.OpenKeyEx(key, subKey, result), key, subKey, result);
}

RegResult RecordingRegistry::OpenKey(RegKey key, const char* subKey, RegKey* result) {
  return HandOut(inner_.OpenKey(key, subKey, result), key, subKey, result);
}

RegResult RecordingRegistry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
  const std::optional<Place> place = PlaceOf(key, subKey);
  const std::optional<Place> missing = recording_ && place ? FirstMissing(*place) : std::nullopt;
  if (!missing) return HandOut(inner_.CreateKey(key, subKey, result), key, subKey, result);
  RegResult r = Change(missing, std::nullopt, [&] { return inner_.CreateKey(key, subKey, result); }, false);
  return HandOut(r, key, subKey, result);
}

RegResult RecordingRegistry::QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                                          std::uint32_t* size) {
  return inner_.QueryValueEx(key, name, type, data, size);
}

RegResult RecordingRegistry::QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) {
  return inner_.QueryValue(key, subKey, data, size);
}

RegResult RecordingRegistry::SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                                        std::uint32_t size) {
  return Change(PlaceOf(key, ""), std::string(name ? name : ""),
                [&] { return inner_.SetValueEx(key, name, type, data, size); });
}

RegResult RecordingRegistry::DeleteValue(RegKey key, const char* name) {
  return Change(PlaceOf(key, ""), std::string(name ? name : ""), [&] { return inner_.DeleteValue(key, name); });
}

RegResult RecordingRegistry::DeleteKey(RegKey key, const char* subKey) {
  const std::optional<Place> place = PlaceOf(key, subKey);
  // RegDeleteKeyA answers "access denied" for a key that still has subkeys
  // too; that is no question of rights.
  const bool refusalMeansDenied = !(recording_ && place && HasSubkeys(*place));
  return Change(place, std::nullopt, [&] { return inner_.DeleteKey(key, subKey); }, refusalMeansDenied);
}

RegResult RecordingRegistry::DeleteTree(RegKey key, const char* subKey) {
  return Change(PlaceOf(key, subKey), std::nullopt, [&] { return inner_.DeleteTree(key, subKey); });
}

RegResult RecordingRegistry::DeleteValueByPath(RegKey key, const char* subKey, const char* name) {
  return Change(PlaceOf(key, subKey), std::string(name ? name : ""),
                [&] { return inner_.DeleteValueByPath(key, subKey, name); });
}

RegResult RecordingRegistry::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
  return inner_.EnumKey(key, index, name, nameSize);
}

RegResult RecordingRegistry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                       std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  return inner_.EnumValue(key, index, name, nameSize, type, data, dataSize);
}

RegResult RecordingRegistry::CloseKey(RegKey key) {
  places_.erase(key);
  return inner_.CloseKey(key);
}

}  // namespace corvandel

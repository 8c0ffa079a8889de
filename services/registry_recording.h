// The registry seam with a recorder around it: between Begin and End it
// notes, for every value written or deleted and every key created or
// deleted, what was there before its first change, and every key the
// registry refused with "access denied". Routines run over it unchanged, and
// recorders may be stacked (a run of several recorded applies).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "services/reg_file.h"
#include "services/registry.h"

namespace corvandel {

// What one recorded run did.
struct RecordedChanges {
  // Changes that bring back what the run changed, in the order to make them;
  // empty when the registry holds what it held before.
  std::vector<RegChange> restore;
  // The other way: changes that make what the run left from what was there
  // before (new data, removed values, removed keys), nothing for what holds
  // what it held. Made on a copy of the registry as it was before the run,
  // they give the registry as the run left it. Listed only when Begin asked.
  std::vector<RegChange> made;
  // The keys a call was refused on ("HKEY_LOCAL_MACHINE\..."), each once, in
  // the order first refused.
  std::vector<std::string> refusedKeys;
  // The keys an open found missing, each once, in the order first tried.
  std::vector<std::string> missingKeys;
  // Whether any call that changes the registry succeeded.
  bool changeMade = false;

  // Something was refused and nothing got through.
  bool AllRefused() const { return !refusedKeys.empty() && !changeMade; }
  // Nothing was changed or refused because the keys to change are missing.
  bool OnlyMissing() const { return !missingKeys.empty() && refusedKeys.empty() && !changeMade; }
};

class RecordingRegistry : public IRegistry {
 public:
  // Called before a change reaches the registry whenever that change adds to
  // what is recorded, with the changes that restore everything so far.
  using BeforeChange = std::function<void(const std::vector<RegChange>& restore)>;

  // Around another recorder too: pass it as an IRegistry& (a RecordingRegistry
  // argument would choose the deleted copy).
  explicit RecordingRegistry(IRegistry& inner) : inner_(inner) {}
  RecordingRegistry(const RecordingRegistry&) = delete;
  RecordingRegistry& operator=(const RecordingRegistry&) = delete;

  // listMade: End lists RecordedChanges::made too (it reads every recorded
  // place again).
  void Begin(BeforeChange beforeChange, bool listMade = false);
  RecordedChanges End();

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
  void SetReadOnlyOpens(bool readOnly) override { inner_.SetReadOnlyOpens(readOnly); }

  // A stored value, and a key with everything below it, as they stand.
  struct Stored {
    std::uint32_t type = reg::kNone;
    std::vector<std::uint8_t> data;
    bool operator==(const Stored&) const = default;
  };
  struct KeyContent {
    std::string path;  // from the root
    std::vector<std::pair<std::string, Stored>> values;
    bool operator==(const KeyContent&) const = default;
  };
  using Tree = std::vector<KeyContent>;  // the key first, then what is below it

 private:
  struct Place {
    RegKey root = 0;
    std::string path;
  };
  // What was there before the first change of one value or one key's tree.
  struct Item {
    Place place;
    std::optional<std::string> valueName;  // none: the key's whole tree
    std::optional<Stored> value;
    std::optional<Tree> tree;              // none: the key was not there
  };

  std::optional<Place> PlaceOf(RegKey key, const char* subKey) const;
  RegResult HandOut(RegResult result, RegKey key, const char* subKey, RegKey* handle);
  // Runs a call that changes the registry at place: notes the state before it
  // (valueName, or the tree) and the outcome.
  RegResult Change(const std::optional<Place>& place, const std::optional<std::string>& valueName,
                   const std::function<RegResult()>& call, bool refusalMeansDenied = true);
  Item Capture(const Place& place, const std::optional<std::string>& valueName);
  bool Unchanged(const Item& item);
  bool Covers(const Item& tree, const Place& place) const;
  std::vector<RegChange> Restore(bool leaveOutUnchanged);
  std::vector<RegChange> Made(const std::vector<RegChange>& restore);
  void Refused(const Place& place);
  void Missing(const Place& place);

  bool HasSubkeys(const Place& place);
  // The highest key of place's path that does not exist yet, if any.
  std::optional<Place> FirstMissing(const Place& place);

  IRegistry& inner_;
  std::map<RegKey, Place> places_;  // open handles
  bool recording_ = false;
  bool listMade_ = false;
  BeforeChange beforeChange_;
  std::vector<Item> items_;
  RecordedChanges result_;
};

}  // namespace corvandel

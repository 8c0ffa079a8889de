// A scratch copy of another registry, for previews: reads fall through to the
// registry underneath, changes are kept in memory and never reach it. Keys
// are copied in (their values and the names of their subkeys) the first time
// a call reaches them, so a preview costs reads of the keys it touches only,
// and from then on every call has the in-memory registry's semantics
// (registry_memory.h) over what the registry underneath held.
//
// A change the registry underneath would refuse is refused here too, with
// kAccessDenied: before a key is opened for changing (OpenKeyEx while
// read-only opens are off), a key is created, or a value or key is written or
// deleted, the key (or, for a key that is not there yet, its nearest existing
// parent) is opened underneath with full access and closed again without
// writing. Full access is what an apply asks for, so a user without the
// rights to a key sees it refused here as the apply would refuse it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "services/registry_memory.h"

namespace corvandel {

class OverlayRegistry : public IRegistry {
 public:
  // base is only read (keys opened for reading, or for the refusal probe).
  explicit OverlayRegistry(IRegistry& base);
  // base is left with full-access opens again, as a change would need.
  ~OverlayRegistry() override { base_.SetReadOnlyOpens(false); }
  OverlayRegistry(const OverlayRegistry&) = delete;
  OverlayRegistry& operator=(const OverlayRegistry&) = delete;

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
  void SetReadOnlyOpens(bool readOnly) override;

  // Handles handed out and not yet closed.
  std::size_t OpenHandleCount() const { return scratch_.OpenHandleCount(); }

 private:
  using Place = std::pair<RegKey, std::string>;  // root, path as given

  bool PlaceOf(RegKey key, const char* subKey, Place* place) const;
  // Copies in every key of place's path that exists, from the root down.
  RegResult Materialise(const Place& place);
  RegResult CopyIn(const Place& place);
  bool Copied(const Place& place) const;
  // kAccessDenied when the registry underneath would refuse changing place.
  RegResult ProbeWrite(const Place& place);
  // Both: place copied in, then a change there probed.
  RegResult PrepareChange(RegKey key, const char* subKey, Place* place);
  RegResult HandOut(RegResult result, const Place& place, RegKey* handle);

  IRegistry& base_;
  MemoryRegistry scratch_;
  std::map<RegKey, Place> places_;              // open handles of scratch_
  std::set<Place> copied_;                      // upper-case paths copied in from base_
  std::set<Place> removed_;                     // deleted here: nothing below them comes from base_
  std::map<Place, RegResult> probes_;           // upper-case paths probed
  bool readOnly_ = false;
};

}  // namespace corvandel

// Group Policy preferences: a Registry.xml of Registry items, one per change,
// as the preferences' registry extension reads them:
//
//   <?xml version="1.0" encoding="utf-8"?>
//   <RegistrySettings clsid="{A3CCFC41-DFDB-43a5-8D26-0FE8B954DA51}">
//   <Registry clsid="{9CD4B2F4-923D-47f5-A062-E897DD1DAD50}" name="NAME" changed="DATE TIME" uid="{GUID}">
//   <Properties action="U" default="0" hive="HKEY_CURRENT_USER" key="PATH" name="NAME" type="REG_DWORD" value="00000001"/>
//   </Registry>
//   </RegistrySettings>
//
// action "U" (update) sets a value, or creates a new key without values;
// "D" deletes a value, or a key (name empty, default="0") with everything
// below it. key is the path without its root and without a leading or
// trailing backslash; a key's default value has name "" and default="1".
// Values: REG_SZ and REG_EXPAND_SZ as their text (up to a zero), REG_DWORD
// as 8 upper-case hex digits, REG_BINARY as upper-case hex, two digits a
// byte. Line ends are CR LF.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/reg_file.h"

namespace corvandel {

inline constexpr const char* kRegistrySettingsClsid = "{A3CCFC41-DFDB-43a5-8D26-0FE8B954DA51}";
inline constexpr const char* kRegistryItemClsid = "{9CD4B2F4-923D-47f5-A062-E897DD1DAD50}";

struct GppStamp {
  std::string changed;                // "YYYY-MM-DD hh:mm:ss", the items' "changed"
  std::function<std::string()> uid;   // a fresh "{GUID}" for each item
};

// The changes as a Registry.xml, or nothing with *error naming the key of the
// first change it cannot hold (a value type other than the four above, a
// DWORD that is not four bytes, text XML cannot carry).
std::optional<std::string> GppRegistryXml(const std::vector<RegChange>& changes, const GppStamp& stamp,
                                          std::string* error);

}  // namespace corvandel

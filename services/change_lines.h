// What a recorded run wrote, one line per change, as previews and drift
// checks show it:
//
//   KEY\NAME: STORED -> WANTED
//
// with the data in the forms of a registry file ("text", dword:0000000a,
// hex:01,02, hex(2):...), "-" for a value that is not there (or is removed),
// "@" as the name of a key's default value. A key removed with everything
// below it is KEY: key -> -, a new key KEY: - -> key. A key the registry
// refused is "refused KEY". A control character in a name or text shows as
// \xHH, so that each change stays one line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "services/registry_recording.h"

namespace corvandel {

struct ChangeRow {
  std::string key;
  std::optional<std::string> name;  // none: the key itself
  std::string stored, wanted;
};

// The registry file form of a value's data ("-" for none).
std::string ValueDataText(const std::optional<RecordingRegistry::Stored>& value);
// Each change the run made, with what was stored before it.
std::vector<ChangeRow> ChangeRows(const RecordedChanges& changes);
// The lines above: the changes, then the refused keys.
std::vector<std::string> ChangeLines(const RecordedChanges& changes);

}  // namespace corvandel

// What a run would write, as --dry-run and "check" report it, and the drift
// report of "check": one line of a profile applied on a scratch copy is
// compliant when it would change nothing.
//
// A change is one line, KEY\NAME: STORED -> WANTED, with the data in the
// forms of a registry file ("text", dword:0000000a, hex:01,02, hex(2):...),
// "-" for a value that is not there (or is removed), "@" as the name of a
// key's default value. A key removed with everything below it is
// KEY: key -> -, a new key KEY: - -> key. A key the registry would refuse
// is "refused KEY". A control character in a name or text shows as \xHH.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "services/platform_fake.h"
#include "services/registry_recording.h"

namespace corvandel {

// The registry file form of a value's data ("-" for none).
std::string ValueDataText(const std::optional<RecordingRegistry::Stored>& value);

// The change lines of what a recorded run made, then its refused keys.
std::vector<std::string> ChangeLines(const RecordedChanges& changes);
// The same as JSON: [{"key", "name" (null for a key), "stored", "wanted"}...]
// and the refused keys as {"key", "refused": true}.
nlohmann::json ChangesJson(const RecordedChanges& changes);

// One profile line run on the scratch copy.
struct LineCheck {
  int tweakId = 0;
  std::string title;
  std::optional<std::string> failure;  // "failed (line N): why": the page did not take a setting
  std::vector<SettablePlatform::ShownMessage> alerts;
  RecordedChanges changes;

  enum Status { kCompliant, kDrifted, kRefused };
  // A line that failed, showed a message box or had a key refused cannot be
  // called compliant whatever it wrote: it counts as refused.
  Status status() const;
};

// The default output: each line that is not compliant as "ID title", its
// failure, alerts and change lines indented by two blanks, then
// "compliant C, drifted D, refused R". When that exceeds
// kConsoleKeeps characters, the summary comes first too, so that a console
// that keeps only the start still shows it.
inline constexpr std::size_t kConsoleKeeps = 2048;
std::string CheckText(const std::vector<LineCheck>& lines);
// {"tweaks": [{"id", "title", "status", "failure", "alerts", "changes"}...],
//  "compliant", "drifted", "refused"}.
nlohmann::json CheckJson(const std::vector<LineCheck>& lines);
// 0 when every line is compliant, kExitDrifted when some drifted and none
// was refused, kExitRefused when any was refused or failed.
int CheckStatus(const std::vector<LineCheck>& lines);

}  // namespace corvandel

// The drift report of "check": one line of a profile applied on a scratch
// copy is compliant when it would change nothing. Its changes are shown as
// services/change_lines.h writes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "services/platform_fake.h"
#include "services/change_lines.h"

namespace corvandel {

// The change lines as JSON: [{"key", "name" (null for a key), "stored", "wanted"}...]
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

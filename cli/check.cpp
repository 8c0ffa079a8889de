#include "cli/check.h"

#include <sstream>

#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/page_printer.h"
#include "services/ansi_text.h"

namespace corvandel {
namespace {

const char* StatusName(LineCheck::Status status) {
  switch (status) {
    case LineCheck::kCompliant: return "compliant";
    case LineCheck::kDrifted: return "drifted";
    case LineCheck::kRefused: return "refused";
  }
  return "";
}

}  // namespace

nlohmann::json ChangesJson(const RecordedChanges& changes) {
  nlohmann::json list = nlohmann::json::array();
  for (const ChangeRow& row : ChangeRows(changes))
    list.push_back({{"key", JsonText(row.key)},
                    {"name", row.name ? JsonText(*row.name) : nlohmann::json()},
                    {"stored", JsonText(row.stored)},
                    {"wanted", JsonText(row.wanted)}});
  for (const std::string& key : changes.refusedKeys) list.push_back({{"key", JsonText(key)}, {"refused", true}});
  return list;
}

LineCheck::Status LineCheck::status() const {
  if (failure || !alerts.empty() || !changes.refusedKeys.empty()) return kRefused;
  return changes.made.empty() ? kCompliant : kDrifted;
}

std::string CheckText(const std::vector<LineCheck>& lines) {
  int counts[3] = {0, 0, 0};
  std::ostringstream body;
  for (const LineCheck& line : lines) {
    const LineCheck::Status status = line.status();
    ++counts[status];
    if (status == LineCheck::kCompliant) continue;
    body << line.tweakId << ' ' << EscapeText(line.title) << '\n';
    if (line.failure) body << "  " << *line.failure << '\n';
    for (const auto& alert : line.alerts) {
      body << "  ";
      PrintAlert(alert, body);
    }
    for (const std::string& change : ChangeLines(line.changes)) body << "  " << change << '\n';
  }
  const std::string summary = "compliant " + std::to_string(counts[LineCheck::kCompliant]) + ", drifted " +
                              std::to_string(counts[LineCheck::kDrifted]) + ", refused " +
                              std::to_string(counts[LineCheck::kRefused]) + "\n";
  const std::string text = body.str() + summary;
  return text.size() > kConsoleKeeps ? summary + text : text;
}

nlohmann::json CheckJson(const std::vector<LineCheck>& lines) {
  nlohmann::json tweaks = nlohmann::json::array();
  int counts[3] = {0, 0, 0};
  for (const LineCheck& line : lines) {
    ++counts[line.status()];
    nlohmann::json alerts = nlohmann::json::array();
    for (const auto& alert : line.alerts)
      alerts.push_back({{"caption", JsonText(alert.caption)}, {"text", JsonText(alert.text)}});
    tweaks.push_back({{"id", line.tweakId},
                      {"title", JsonText(line.title)},
                      {"status", StatusName(line.status())},
                      {"failure", line.failure ? JsonText(*line.failure) : nlohmann::json()},
                      {"alerts", std::move(alerts)},
                      {"changes", ChangesJson(line.changes)}});
  }
  return {{"tweaks", std::move(tweaks)},
          {"compliant", counts[LineCheck::kCompliant]},
          {"drifted", counts[LineCheck::kDrifted]},
          {"refused", counts[LineCheck::kRefused]}};
}

int CheckStatus(const std::vector<LineCheck>& lines) {
  int status = kExitOk;
  for (const LineCheck& line : lines) {
    if (line.status() == LineCheck::kRefused) return kExitRefused;
    if (line.status() == LineCheck::kDrifted) status = kExitDrifted;
  }
  return status;
}

}  // namespace corvandel

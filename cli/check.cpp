#include "cli/check.h"

#include <sstream>

#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/page_printer.h"
#include "services/ansi_text.h"

namespace corvandel {
namespace {

using Stored = RecordingRegistry::Stored;

// What a place held before the run: the restore puts every changed value
// back (or removes it) and recreates every removed tree with its values, so
// a value it does not set was not there.
std::optional<Stored> StoredBefore(const std::vector<RegChange>& restore, const RegChange& change) {
  for (const RegChange& back : restore)
    if (back.kind == RegChange::kSetValue && back.root == change.root && EqualsIgnoringCase(back.path, change.path) &&
        EqualsIgnoringCase(back.name, change.name))
      return Stored{back.type, back.data};
  return std::nullopt;
}

struct ChangeRow {
  std::string key;
  std::optional<std::string> name;  // none: the key itself
  std::string stored, wanted;
};

std::vector<ChangeRow> ChangeRows(const RecordedChanges& changes) {
  std::vector<ChangeRow> rows;
  for (const RegChange& change : changes.made) {
    const std::string key = RegistryKeyName(change.root, change.path);
    switch (change.kind) {
      case RegChange::kCreateKey: rows.push_back({key, std::nullopt, "-", "key"}); break;
      case RegChange::kDeleteKey: rows.push_back({key, std::nullopt, "key", "-"}); break;
      case RegChange::kSetValue:
        rows.push_back({key, change.name, ValueDataText(StoredBefore(changes.restore, change)),
                        ValueDataText(Stored{change.type, change.data})});
        break;
      case RegChange::kDeleteValue:
        rows.push_back({key, change.name, ValueDataText(StoredBefore(changes.restore, change)), "-"});
        break;
    }
  }
  return rows;
}

// A line as the changes file shows it, but on one line: a control
// character (possible in names and text) as \xHH.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x20) {
      line += c;
      continue;
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    ((line += "\\x") += kDigits[(c >> 4) & 0xF]) += kDigits[c & 0xF];
  }
  return line;
}

const char* StatusName(LineCheck::Status status) {
  switch (status) {
    case LineCheck::kCompliant: return "compliant";
    case LineCheck::kDrifted: return "drifted";
    case LineCheck::kRefused: return "refused";
  }
  return "";
}

}  // namespace

std::string ValueDataText(const std::optional<Stored>& value) {
  if (!value) return "-";
  // The value line a registry file holds for it as a key's default value,
  // its continued lines joined.
  const std::string text = RegistryChangesText({{RegChange::kSetValue, reg::kCurrentUser, "", "", value->type,
                                                 value->data}},
                                               {});
  std::string data = text.substr(text.find("@=") + 2);
  for (std::size_t at; (at = data.find("\\\r\n  ")) != std::string::npos;) data.erase(at, 5);
  return data.substr(0, data.find("\r\n"));
}

std::vector<std::string> ChangeLines(const RecordedChanges& changes) {
  std::vector<std::string> lines;
  for (const ChangeRow& row : ChangeRows(changes))
    lines.push_back(OneLine(row.key + (row.name ? '\\' + (row.name->empty() ? "@" : *row.name) : "") + ": " +
                            row.stored + " -> " + row.wanted));
  for (const std::string& key : changes.refusedKeys) lines.push_back(OneLine("refused " + key));
  return lines;
}

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

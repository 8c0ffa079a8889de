#include "services/change_lines.h"

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

}  // namespace

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

}  // namespace corvandel

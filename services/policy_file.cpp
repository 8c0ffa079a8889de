#include "services/policy_file.h"

#include "services/ansi_text.h"

namespace corvandel {
namespace {

constexpr const char* kClassesPath = "Software\\Classes";

void AddDword(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AddUnits(std::string& out, std::u16string_view units) {
  for (char16_t unit : units) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
}

// Zero-terminated UTF-16LE.
std::string Utf16z(std::string_view ansi) {
  std::string out;
  AddUnits(out, WidenAnsi(ansi));
  AddUnits(out, std::u16string(1, u'\0'));
  return out;
}

bool IsText(std::uint32_t type) { return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz; }

// Stored text is ANSI bytes; the file holds UTF-16LE, ended by a zero (a
// multi-string by two) however it was stored.
std::string TextData(const std::vector<std::uint8_t>& bytes, std::uint32_t type) {
  std::u16string units = WidenAnsi(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  const std::size_t zeros = type == reg::kMultiSz ? 2 : 1;
  auto endsInZeros = [&] {
    return units.size() >= zeros && units.find_first_not_of(u'\0', units.size() - zeros) == std::u16string::npos;
  };
  while (!endsInZeros()) units.push_back(u'\0');
  std::string out;
  AddUnits(out, units);
  return out;
}

void AddRecord(std::string& out, const std::string& key, const std::string& value, std::uint32_t type,
               const std::string& data) {
  AddUnits(out, u"[");
  out += Utf16z(key);
  AddUnits(out, u";");
  out += Utf16z(value);
  AddUnits(out, u";");
  AddDword(out, type);
  AddUnits(out, u";");
  AddDword(out, static_cast<std::uint32_t>(data.size()));
  AddUnits(out, u";");
  out += data;
  AddUnits(out, u"]");
}

std::string Header() {
  std::string out = "PReg";
  AddDword(out, 1);
  return out;
}

bool SameKey(const RegChange& a, const RegChange& b) {
  return a.root == b.root && EqualsIgnoringCase(a.path, b.path);
}

}  // namespace

std::optional<PolicyFiles> PolicyFileBytes(const std::vector<RegChange>& changes, std::string* error) {
  PolicyFiles files;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const RegChange& change = changes[i];
    const std::string name = RegistryKeyName(change.root, change.path);
    std::optional<std::string>* file = nullptr;
    std::string key = change.path;
    if (change.root == reg::kLocalMachine) {
      file = &files.machine;
    } else if (change.root == reg::kCurrentUser) {
      file = &files.user;
    } else if (change.root == reg::kClassesRoot) {
      file = &files.machine;
      key = key.empty() ? kClassesPath : std::string(kClassesPath) + '\\' + key;
    } else {
      *error = name + ": a Registry.pol file holds only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER";
      return std::nullopt;
    }
    if (key.empty()) {
      *error = name + ": a Registry.pol record needs a key below the root";
      return std::nullopt;
    }
    std::string out;
    switch (change.kind) {
      case RegChange::kCreateKey:
        // A key whose values follow is created by them.
        if (i + 1 < changes.size() && changes[i + 1].kind == RegChange::kSetValue && SameKey(changes[i + 1], change))
          continue;
        AddRecord(out, key, "", reg::kNone, "");
        break;
      case RegChange::kSetValue: {
        const std::string data = IsText(change.type) ? TextData(change.data, change.type)
                                                     : std::string(change.data.begin(), change.data.end());
        AddRecord(out, key, change.name, change.type, data);
        break;
      }
      case RegChange::kDeleteValue:
        AddRecord(out, key, "**del." + change.name, reg::kSz, Utf16z(""));
        break;
      case RegChange::kDeleteKey: {
        const std::size_t slash = key.rfind('\\');
        const std::string leaf = key.substr(slash + 1);
        if (slash == std::string::npos || leaf.find(';') != std::string::npos) {
          *error = name + ": a Registry.pol file cannot remove this key (it needs a parent below the root and a "
                          "name without ';')";
          return std::nullopt;
        }
        AddRecord(out, key.substr(0, slash), "**DeleteKeys", reg::kSz, Utf16z(leaf));
        break;
      }
    }
    if (!*file) *file = Header();
    **file += out;
  }
  return files;
}

}  // namespace corvandel

#include "tweaks/file_system/drive_table.h"

#include <utility>

#include "services/platform.h"

namespace corvandel {

std::vector<std::string> PresentDrives(IPlatform& platform) {
  std::vector<std::string> present;
  for (const std::string& root : platform.LogicalDrives()) {
    std::string name = root.substr(0, 3);
    if (platform.DriveType(name) != drive::kRemovable) present.push_back(std::move(name));
  }
  return present;
}

std::vector<std::string> DriveTable::Rebuild(const std::vector<std::string>& present) {
  for (std::size_t i = 0; i + 1 < kEntries; ++i)
    entries_[i] = {std::string(1, static_cast<char>('A' + i)) + ":\\", kNotShown, std::uint32_t{1} << i};
  Entry& all = entries_[kEntries - 1];
  all = {"ALL", kNotShown, 0x3FFFFFF};

  std::vector<std::string> rows;
  const auto show = [&rows](Entry& entry) {
    entry.row = static_cast<int>(rows.size());
    rows.push_back(entry.name);
  };
  show(entries_[0]);  // A:\ is offered whether present or not
  for (const std::string& drive : present) {
    // From C:\ on: B:\ is never offered, and A:\ is listed already.
    for (std::size_t i = 2; i < kEntries; ++i) {
      if (entries_[i].name != drive) continue;
      if (entries_[i].row == kNotShown) show(entries_[i]);
      break;
    }
  }
  show(all);
  return rows;
}

std::uint32_t DriveTable::MaskOfRow(int row) const {
  for (const Entry& entry : entries_)
    if (entry.row == row) return entry.mask;
  return 0;
}

}  // namespace corvandel

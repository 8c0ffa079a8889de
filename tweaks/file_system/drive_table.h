// The choices of "Select the Disk Drives to Start Automatically": the drive
// letters A:\ to Z:\ and "ALL", each with the auto-run bit(s) it stands for
// and the list row that shows it. A load builds the table over the drives
// present and shows its rows; the apply that follows maps the checked rows
// back to their bits through it, so the table lives from one load to the next.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvandel {

class IPlatform;

// The roots ("C:\") of the drives present, removable ones left out: they
// are not offered.
std::vector<std::string> PresentDrives(IPlatform& platform);

class DriveTable {
 public:
  // Builds the table afresh over the drives present and returns the names to
  // list, in row order: A:\ always, then each present drive C:\ to Z:\ in the
  // order given (B:\ never, a present A:\ not twice), then "ALL".
  std::vector<std::string> Rebuild(const std::vector<std::string>& present);
  // The bits of the entry shown in the row; 0 for a row the table does not show.
  std::uint32_t MaskOfRow(int row) const;

 private:
  static constexpr int kNotShown = -1;
  static constexpr std::size_t kEntries = 27;  // 26 letters and "ALL"

  struct Entry {
    std::string name;
    int row = kNotShown;
    std::uint32_t mask = 0;
  };

  std::array<Entry, kEntries> entries_;
};

}  // namespace corvandel

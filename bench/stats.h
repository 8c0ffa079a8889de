// Medians and ranges of measured figures, and the table rows scripts/bench.sh
// prints.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace corvandel {

struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {median, values.front(), values.back()};
}

// One row: what, median, [min, max], unit, and a remark.
inline void PrintRow(const std::string& what, const Spread& spread, const char* unit, const std::string& remark = {}) {
  std::printf("%-44s %10.2f  [%8.2f .. %8.2f] %-5s %s\n", what.c_str(), spread.median, spread.min, spread.max, unit,
              remark.c_str());
}

}  // namespace corvandel

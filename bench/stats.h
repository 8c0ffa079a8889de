// Medians and ranges of measured figures, and the table rows scripts/bench.sh
// prints.
#pragma once

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
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

// The five slowest of figures by TweakId, each also as a multiple of median
// when one is given.
inline std::string Slowest(const std::map<int, double>& byId, double median = 0) {
  std::vector<std::pair<double, int>> order;
  for (const auto& [id, ms] : byId) order.push_back({ms, id});
  std::sort(order.rbegin(), order.rend());
  std::string text = "slowest:";
  for (std::size_t i = 0; i < order.size() && i < 5; ++i) {
    char part[64];
    if (median > 0)
      std::snprintf(part, sizeof(part), " %d (%.1f ms, %.1fx)", order[i].second, order[i].first, order[i].first / median);
    else
      std::snprintf(part, sizeof(part), " %d (%.1f ms)", order[i].second, order[i].first);
    text += part;
  }
  return text;
}

}  // namespace corvandel

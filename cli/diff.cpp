#include "cli/diff.h"

#include <algorithm>

#include "cli/json_output.h"
#include "cli/page_printer.h"

namespace corvandel {
namespace {

using nlohmann::json;

struct ControlDifference {
  int id = 0;
  std::string kind;
  json a, b;  // the differing fields of each side; null where the side has no such control
};

const json* FindControl(const json& page, int id) {
  for (const json& control : page["controls"])
    if (control["id"] == id) return &control;
  return nullptr;
}

// The controls of both pages that differ, in the order the pages show them.
std::vector<ControlDifference> Differences(const PagePair& pair) {
  std::vector<ControlDifference> differences;
  if (pair.a["page"] != pair.b["page"]) differences.push_back({0, "page", pair.a["page"], pair.b["page"]});
  std::vector<int> ids;
  for (const json* page : {&pair.a, &pair.b})
    for (const json& control : (*page)["controls"])
      if (std::find(ids.begin(), ids.end(), control["id"].get<int>()) == ids.end()) ids.push_back(control["id"]);
  for (int id : ids) {
    const json* a = FindControl(pair.a, id);
    const json* b = FindControl(pair.b, id);
    if (a && b && *a == *b) continue;
    ControlDifference difference{id, (a ? *a : *b)["kind"], json(), json()};
    if (a && b) {
      difference.a = json::object();
      difference.b = json::object();
      for (const auto& [field, value] : a->items())
        if (!b->contains(field) || (*b)[field] != value) difference.a[field] = value;
      for (const auto& [field, value] : b->items())
        if (!a->contains(field) || (*a)[field] != value) difference.b[field] = value;
    } else {
      (a ? difference.a : difference.b) = *(a ? a : b);
    }
    differences.push_back(std::move(difference));
  }
  return differences;
}

std::string Side(const json& fields) {
  if (fields.is_null()) return "-";
  if (fields.is_object() && fields.size() == 1) return fields.begin()->dump(-1, ' ', true);
  return fields.dump(-1, ' ', true);
}

}  // namespace

std::string DiffText(const std::vector<PagePair>& pages) {
  std::string text;
  int same = 0, different = 0;
  for (const PagePair& pair : pages) {
    const std::vector<ControlDifference> differences = Differences(pair);
    ++(differences.empty() ? same : different);
    if (differences.empty()) continue;
    text += std::to_string(pair.tweakId) + ' ' + EscapeText(pair.title) + '\n';
    for (const ControlDifference& d : differences)
      text += "  " + (d.kind == "page" ? d.kind : std::to_string(d.id) + ' ' + d.kind) + ": " + Side(d.a) + " | " +
              Side(d.b) + '\n';
  }
  return text + "same " + std::to_string(same) + ", different " + std::to_string(different) + '\n';
}

json DiffJson(const std::vector<PagePair>& pages) {
  json tweaks = json::array();
  int same = 0;
  for (const PagePair& pair : pages) {
    const std::vector<ControlDifference> differences = Differences(pair);
    if (differences.empty()) {
      ++same;
      continue;
    }
    json controls = json::array();
    for (const ControlDifference& d : differences)
      controls.push_back({{"id", d.id}, {"kind", d.kind}, {"a", d.a}, {"b", d.b}});
    tweaks.push_back({{"id", pair.tweakId}, {"title", JsonText(pair.title)}, {"controls", std::move(controls)}});
  }
  const int different = static_cast<int>(tweaks.size());
  return {{"tweaks", std::move(tweaks)}, {"same", same}, {"different", different}};
}

bool AnyDifference(const std::vector<PagePair>& pages) {
  for (const PagePair& pair : pages)
    if (!Differences(pair).empty()) return true;
  return false;
}

}  // namespace corvandel

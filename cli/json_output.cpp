#include "cli/json_output.h"

#include <map>

#include "cli/page_printer.h"
#include "pages/page_templates.h"
#include "services/ansi_text.h"

namespace corvandel {
namespace {

using nlohmann::json;

const char* KindName(NodeKind kind) {
  switch (kind) {
    case NodeKind::kCategory: return "category";
    case NodeKind::kGroup: return "group";
    case NodeKind::kTweak: return "tweak";
    case NodeKind::kRootTweak: return "rootTweak";
  }
  return "tweak";
}

json ListJson(const IPageHost& pages, int pageId, int id) {
  json list = {{"columns", json::array()}, {"selected", pages.ListSelectedRow(pageId, id)},
               {"checkBoxes", ListHasCheckBoxes(pageId, id)}, {"rows", json::array()}};
  const int columns = pages.ListColumnCount(pageId, id);
  for (int column = 0; column < columns; ++column)
    list["columns"].push_back(JsonText(pages.ListColumnHeading(pageId, id, column)));
  for (int row = 0; row < pages.ListItemCount(pageId, id); ++row) {
    json texts = json::array();
    for (int column = 0; column < std::max(1, columns); ++column)
      texts.push_back(JsonText(pages.ListItemText(pageId, id, row, column)));
    json entry = {{"texts", std::move(texts)}};
    if (list["checkBoxes"]) entry["checked"] = pages.ListGetCheck(pageId, id, row);
    list["rows"].push_back(std::move(entry));
  }
  return list;
}

void AddControls(const IPageHost& pages, const PageTemplate& page, json& controls) {
  for (const ControlTemplate& control : page.controls) {
    const int id = control.id;
    if (!pages.IsControlVisible(page.id, id)) continue;
    json entry = {{"id", id}};
    switch (control.kind) {
      case ControlKind::kStatic: entry["kind"] = "static"; break;
      case ControlKind::kCheckBox:
        entry["kind"] = "check";
        entry["state"] = pages.GetCheck(page.id, id);
        break;
      case ControlKind::kEdit: entry["kind"] = "edit"; break;
      case ControlKind::kPushButton: entry["kind"] = "button"; break;
      case ControlKind::kComboBox: {
        entry["kind"] = "combo";
        entry["selected"] = pages.ComboGetCurSel(page.id, id);
        json items = json::array();
        for (int item = 0; item < pages.ComboCount(page.id, id); ++item)
          items.push_back(JsonText(pages.ComboItemText(page.id, id, item)));
        entry["items"] = std::move(items);
        break;
      }
      case ControlKind::kListView: entry["kind"] = "list"; entry.update(ListJson(pages, page.id, id)); break;
    }
    if (control.kind != ControlKind::kListView) entry["text"] = JsonText(pages.GetText(page.id, id));
    entry["enabled"] = pages.IsControlEnabled(page.id, id);
    controls.push_back(std::move(entry));
  }
}

}  // namespace

json JsonText(std::string_view ansi) { return Utf8FromAnsi(ansi); }

json TreeJson(const std::vector<TreeItem>& nodes) {
  json list = json::array();
  std::map<int, std::pair<int, int>> placed;  // row -> its node's TweakId and depth
  for (const TreeItem& node : nodes) {
    const auto parent = placed.find(node.row.parentId);
    const int depth = parent == placed.end() ? 0 : parent->second.second + 1;
    placed[node.row.tweakId] = {node.tweakId, depth};
    list.push_back({{"id", node.tweakId},
                    {"parent", parent == placed.end() ? json(nullptr) : json(parent->second.first)},
                    {"depth", depth},
                    {"kind", KindName(node.row.kind)},
                    {"text", JsonText(node.text)}});
  }
  return {{"nodes", std::move(list)}};
}

json PageJson(int tweakId, const std::vector<SettablePlatform::ShownMessage>& alerts, const IPageHost& pages) {
  json document = {{"tweakId", tweakId}, {"alerts", json::array()}, {"page", nullptr}, {"controls", json::array()}};
  for (const auto& alert : alerts)
    document["alerts"].push_back({{"caption", JsonText(alert.caption)}, {"text", JsonText(alert.text)}});
  for (const PageTemplate& page : PageTemplates()) {
    if (!pages.IsPageVisible(page.id)) continue;
    document["page"] = page.className;
    AddControls(pages, page, document["controls"]);
  }
  AddControls(pages, MainWindowTemplate(), document["controls"]);
  return document;
}

}  // namespace corvandel

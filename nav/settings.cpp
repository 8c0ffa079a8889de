#include "nav/settings.h"

#include <charconv>

#include "pages/page_handlers.h"
#include "pages/page_templates.h"
#include "services/escaped_text.h"

namespace corvandel {
namespace {

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<bool> ParseState(std::string_view text) {
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic: return "a static";
    case ControlKind::kCheckBox: return "a check box";
    case ControlKind::kEdit: return "an edit";
    case ControlKind::kPushButton: return "a button";
    case ControlKind::kComboBox: return "a combo box";
    case ControlKind::kListView: return "a list view";
  }
  return "a control";
}

bool Fail(std::string* error, std::string what) {
  if (error) *error = std::move(what);
  return false;
}

// A user's click: a check box toggles itself and then its page's handler
// runs; a "..." button runs its browse dialog.
void Click(const ControlTemplate& control, const SettingTarget& target) {
  if (control.kind == ControlKind::kCheckBox) {
    target.pages.SetCheck(target.pageId, control.id, target.pages.GetCheck(target.pageId, control.id) ? 0 : 1);
    OnCheckBoxClicked(target.pages, target.selected, target.pageId, control.id);
  } else {
    OnBrowseButton(target.pages, target.platform, target.selected, target.pageId, control.id);
  }
}

// A VALUE of a combo box or list: "#N" is an item's number; any other VALUE
// is a text, "##..." standing for one that begins with "#".
bool IsItemNumber(std::string_view value) { return value.size() > 1 && value[0] == '#' && value[1] != '#'; }
std::string TextOf(std::string_view value) { return std::string(value.starts_with("##") ? value.substr(1) : value); }

// "#N" or the exact text of one of count items.
std::optional<int> FindItem(const std::string& value, int count, const auto& itemText) {
  if (IsItemNumber(value)) {
    const auto index = ParseInt(std::string_view(value).substr(1));
    if (index && *index >= -1 && *index < count) return index;
    return std::nullopt;
  }
  const std::string text = TextOf(value);
  for (int index = 0; index < count; ++index)
    if (itemText(index) == text) return index;
  return std::nullopt;
}

bool SetCombo(const ControlTemplate& control, const std::string& value, const SettingTarget& target,
              std::string* error) {
  IPageHost& pages = target.pages;
  const int count = pages.ComboCount(target.pageId, control.id);
  const auto index =
      FindItem(value, count, [&](int i) { return pages.ComboItemText(target.pageId, control.id, i); });
  if (index) {
    pages.ComboSetCurSel(target.pageId, control.id, *index);
    return true;
  }
  if ((control.styles & style::kDropDown) && !IsItemNumber(value)) {
    // Typing into the edit field leaves no item selected.
    pages.ComboSetCurSel(target.pageId, control.id, -1);
    pages.SetText(target.pageId, control.id, TextOf(value));
    return true;
  }
  return Fail(error, "combo box " + std::to_string(control.id) + " has no item " + QuoteText(value) + " (it has " +
                         std::to_string(count) + ")");
}

bool SelectListRow(const ControlTemplate& control, const std::string& value, const SettingTarget& target,
                   std::string* error) {
  IPageHost& pages = target.pages;
  const int count = pages.ListItemCount(target.pageId, control.id);
  const auto row =
      FindItem(value, count, [&](int i) { return pages.ListItemText(target.pageId, control.id, i, 0); });
  if (!row)
    return Fail(error, "list view " + std::to_string(control.id) + " has no row " + QuoteText(value) + " (it has " +
                           std::to_string(count) + ")");
  pages.ListSelectRow(target.pageId, control.id, *row);
  return true;
}

}  // namespace

std::optional<Setting> ParseSetting(std::string_view text) {
  Setting setting;
  if (text.substr(0, 6) == "click:") {
    const auto id = ParseInt(text.substr(6));
    if (!id) return std::nullopt;
    setting.kind = Setting::kClick;
    setting.controlId = *id;
    return setting;
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view target = text.substr(0, equals);
  setting.value = std::string(text.substr(equals + 1));
  if (!target.empty() && target.back() == ']') {
    const std::size_t open = target.find('[');
    const auto row = open == std::string_view::npos ? std::nullopt
                                                    : ParseInt(target.substr(open + 1, target.size() - open - 2));
    if (!row || *row < 0 || !ParseState(setting.value)) return std::nullopt;
    setting.kind = Setting::kRowCheck;
    setting.row = *row;
    target = target.substr(0, open);
  }
  const auto id = ParseInt(target);
  if (!id) return std::nullopt;
  setting.controlId = *id;
  return setting;
}

bool ApplySetting(const Setting& setting, const SettingTarget& target, std::string* error) {
  const PageTemplate* page = FindTemplate(target.pageId);
  const ControlTemplate* control = FindControl(target.pageId, setting.controlId);
  const std::string name = "control " + std::to_string(setting.controlId);
  if (!page || !control) return Fail(error, "the page shown has no " + name);
  if (!target.pages.IsControlVisible(target.pageId, control->id)) return Fail(error, name + " is hidden");
  if (!target.pages.IsControlEnabled(target.pageId, control->id)) return Fail(error, name + " is disabled");
  const std::string kind = KindName(control->kind);

  switch (setting.kind) {
    case Setting::kClick:
      if (control->kind != ControlKind::kCheckBox && control->kind != ControlKind::kPushButton)
        return Fail(error, name + " is " + kind + ", which cannot be clicked");
      Click(*control, target);
      return true;

    case Setting::kRowCheck: {
      if (control->kind != ControlKind::kListView || !ListHasCheckBoxes(target.pageId, control->id))
        return Fail(error, name + " is " + kind + " without check boxes");
      const int rows = target.pages.ListItemCount(target.pageId, control->id);
      if (setting.row >= rows)
        return Fail(error, "list view " + std::to_string(control->id) + " has no row " + std::to_string(setting.row) +
                               " (it has " + std::to_string(rows) + ")");
      target.pages.ListSetCheck(target.pageId, control->id, setting.row, *ParseState(setting.value));
      return true;
    }

    case Setting::kValue:
      switch (control->kind) {
        case ControlKind::kCheckBox: {
          const auto state = ParseState(setting.value);
          if (!state) return Fail(error, name + " is a check box: give it 0 or 1");
          if ((target.pages.GetCheck(target.pageId, control->id) != 0) != *state) Click(*control, target);
          return true;
        }
        case ControlKind::kEdit:
          target.pages.SetText(target.pageId, control->id, setting.value);
          return true;
        case ControlKind::kComboBox:
          return SetCombo(*control, setting.value, target, error);
        case ControlKind::kListView:
          return SelectListRow(*control, setting.value, target, error);
        case ControlKind::kStatic:
        case ControlKind::kPushButton:
          return Fail(error, name + " is " + kind + ", which takes no value" +
                                 (control->kind == ControlKind::kPushButton ? " (use click:" + std::to_string(control->id) + ")" : ""));
      }
  }
  return true;
}

}  // namespace corvandel

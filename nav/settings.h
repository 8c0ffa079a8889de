// The SETTINGs of "corvandel-cli apply": what a user does to the controls of
// the visible page before pressing "Apply Changes".
//   ID=VALUE      by the control's kind: a check box 0 or 1 (a box set to a new
//                 state is clicked, so the page's click handlers run); an edit
//                 takes VALUE as its text; a combo box or list view: #N selects
//                 item N (#-1 clears the selection), any other VALUE selects
//                 the item whose text is exactly VALUE (a combo box with an
//                 edit field takes any other VALUE as typed text); "##..."
//                 stands for a text that begins with "#"
//   ID[ROW]=0|1   the check of a row of a list view with check boxes
//   click:ID      clicks a button ("..." runs its browse dialog) or check box
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/page_handlers.h"
#include "pages/page_host.h"
#include "services/platform.h"

namespace corvandel {

struct Setting {
  enum Kind { kValue, kRowCheck, kClick };
  Kind kind = kValue;
  int controlId = 0;
  int row = -1;  // kRowCheck
  std::string value;
};

// The setting's form; nothing when it has none of the three.
std::optional<Setting> ParseSetting(std::string_view text);

// What the page's click handlers need to know.
struct SettingTarget {
  IPageHost& pages;
  IPlatform& platform;
  const PageBehaviour& selected;  // what the selected tweak's page does by itself
  int pageId;  // the visible page
};

// Does what the setting says. A control that the page lacks, or that is
// hidden or disabled (a user could not reach it), a value its kind does not
// take, or an item or row that is not there, is an error: false, with *error
// saying why, and the control is left as it was.
bool ApplySetting(const Setting& setting, const SettingTarget& target, std::string* error);

}  // namespace corvandel

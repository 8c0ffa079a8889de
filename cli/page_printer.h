// The headless front end's view of the pages: one line per visible control
// of the visible page, in template order, then the Apply button when shown.
//
//   page CMultiCheckPage
//   1006 static "Allow UNC Paths at the Command Prompt:\n..."
//   1013 check 1 "Allow UNC paths and remove the warning message"
//   1015 edit "text" disabled
//   1021 combo 2 "TAB key" items=5
//   1007 list columns="Name","Data Modified" rows=10 selected=-1
//   1007[0] "Add Command Prompt Option to Every Folder" "3/7/2007"
//   1009[3] checked "Inbox"
//   1016 button "Apply Changes"
//
// A combo box shows its selected index and its text (the edit field's where
// it has one); a list row shows "checked" on a list with check boxes when it
// is checked, then its column texts. "disabled" ends the line of a disabled
// control. With no page shown: "page none".
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "pages/page_host.h"
#include "services/escaped_text.h"
#include "services/platform_fake.h"

namespace corvandel {

void PrintPage(const IPageHost& pages, std::ostream& out);

// A message box: alert "CAPTION" "TEXT".
void PrintAlert(const SettablePlatform::ShownMessage& message, std::ostream& out);

}  // namespace corvandel

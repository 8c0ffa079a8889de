// Profiles: the settings of chosen tweaks as plain text, one "apply" command
// line per tweak after a comment with its title, that a user may edit and
// another machine may apply.
//
//   # Allow UNC Paths at the Command Prompt
//   3 1013=1
//   # Enable Command Completion
//   8 "1021=TAB key" "1022=TAB key"
//
// Lines whose first non-blank character is '#' and blank lines are ignored.
// An argument with a blank, a quote, a backslash or a byte outside printable
// ASCII is written in double quotes, with the escapes of the printed pages
// (\n, \t, \r, \\, \", \xHH).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/settings.h"
#include "pages/page_host.h"

namespace corvandel {

// The SETTINGs that set the visible page's controls as they now stand, in
// the page's order: check boxes, edits, combo boxes (the item's text where
// that names it, else #N) and list views (the selected row, or each row's
// check). Hidden and disabled controls are left out: a user cannot set them.
std::vector<std::string> PageSettings(const IPageHost& pages, int pageId);

// One argument as a profile line holds it.
std::string ProfileArgument(std::string_view text);

// A profile line: the tweak and the settings of one "apply".
struct ProfileLine {
  int lineNumber = 0;
  int tweakId = 0;
  std::vector<Setting> settings;
};

// The lines of a whole profile, or nothing with "FILE:LINE: why" in *error
// for the first line that is not an apply of a tweak with an "Apply Changes"
// button. bytes are the file as Notepad may save it: ANSI, UTF-8 with or
// without a byte-order mark, or UTF-16 with one; lines end with CR LF, LF or
// CR. A character the ANSI code page lacks refuses the profile.
std::optional<std::vector<ProfileLine>> ParseProfile(std::string_view bytes, const std::string& fileName,
                                                     std::string* error);

}  // namespace corvandel

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

#include "nav/navigator.h"
#include "nav/settings.h"
#include "pages/page_host.h"
#include "services/file_text.h"

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
                                                     const TweakDispatch& dispatch, std::string* error);
// The profile in a file; nothing, with *error ("FILE: why" or "FILE:LINE:
// why"), when it cannot be read or a line is not an apply.
std::optional<std::vector<ProfileLine>> ReadProfile(IFileStore& files, const std::string& path,
                                                    const TweakDispatch& dispatch, std::string* error);

// Every tweak with an "Apply Changes" button, in tree order: what a profile
// saves when no tweak is named.
std::vector<int> AppliableTweaks(const TweakDispatch& dispatch);

// The pages driven as a user drives them: the navigator selects and
// applies, the page host holds the controls; the navigator's platform
// answers the pages' "..." buttons.
struct PageDriver {
  Navigator& navigator;
  IPageHost& pages;
};

// The page shown, if any.
std::optional<int> VisiblePage(const IPageHost& pages);

// Selects the tweak, sets its controls and presses "Apply Changes"; why
// not when the page has no such button or refuses a setting. *outcome
// says what the registry refused.
std::optional<std::string> SetAndApply(const PageDriver& driver, int tweakId, const std::vector<Setting>& settings,
                                       ChangeOutcome* outcome);

// Each tweak's page as its load routine leaves it, as profile text: a
// "# title" line, then its apply line (or a note that it has no "Apply
// Changes" button here). Lines end with CR LF, as Notepad writes them.
std::string ProfileText(const PageDriver& driver, const std::vector<int>& tweakIds);

// How one line of a profile went: applied; refused by its tweak (it showed
// a message box) or by the registry (a key); or failed: its settings did not
// fit the page, and nothing of it was applied.
struct ProfileLineResult {
  enum Kind { kApplied, kRefused, kFailed };
  Kind kind = kApplied;
  std::string failure;  // kFailed: why
  ChangeOutcome outcome;
};

// Applies one line of a profile as "apply" runs it.
ProfileLineResult ApplyProfileLine(const PageDriver& driver, const ProfileLine& line);

// The lines of a run by how they went.
struct ProfileCounts {
  int applied = 0;
  int refused = 0;
  int failed = 0;
  void Add(const ProfileLineResult& result) {
    ++(result.kind == ProfileLineResult::kApplied ? applied : result.kind == ProfileLineResult::kRefused ? refused : failed);
  }
};

}  // namespace corvandel

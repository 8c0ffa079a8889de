// What the page dialogs do by themselves, written over the page and platform
// seams so that the real dialogs and the headless front end behave alike: the
// "..." browse buttons, the two check boxes that enable other controls, and
// the numbers of CSingleComboPage's combo box.
#pragma once

#include <string>

#include "pages/page_host.h"
#include "services/platform.h"

namespace corvandel {

enum class BrowseKind { kFile, kFolder };

// Which dialog a browse button opens, chosen by the selected tweak: icons for
// 62, a folder for 107, 255, 306 and 307, any file otherwise. A chosen file is
// put into the edit in double quotes (it may hold blanks), a folder as it is.
struct BrowseDialog {
  BrowseKind kind;
  const char* filter;  // the file dialog's filter; nullptr for a folder
  bool quoted;
};
BrowseDialog BrowseDialogFor(int currentTweakId);

// Runs that dialog (a folder dialog at the folder the edit holds, with its
// label as the prompt); the text the edit gets: the result, or "" when
// cancelled.
std::string BrowseResultText(IPlatform& platform, int currentTweakId, const std::string& folder,
                             const std::string& prompt);

// A click on a page button: when it is a browse button, runs the dialog and
// puts the result into its edit as the whole text. False for other buttons.
bool OnBrowseButton(IPageHost& pages, IPlatform& platform, int currentTweakId, int pageId, int buttonId);

// A click on a check box: while tweak 159 is selected, CEditCheckPage's 1013
// enables or disables edits 1015, 1017 and browse button 1023; while tweak 82
// is selected, CSingleComboPage's 1013 enables or disables combo box 1021.
// The box has already toggled itself. Other clicks change nothing.
void OnCheckBoxClicked(IPageHost& pages, int currentTweakId, int pageId, int controlId);

// CSingleComboPage combo box 1021 holds "0" to "10000" in ascending order.
inline constexpr int kNumberComboLast = 10000;
template <typename AddItem>
void ForEachNumberComboItem(AddItem add) {
  for (int number = 0; number <= kNumberComboLast; ++number) add(std::to_string(number));
}
void FillNumberCombo(IPageHost& pages);

}  // namespace corvandel

// What the page dialogs do by themselves, written over the page and platform
// seams so that the real dialogs and the headless front end behave alike: the
// "..." browse buttons, the check boxes that enable other controls, and the
// numbers of CSingleComboPage's combo box.
#pragma once

#include <span>
#include <string>

#include "pages/page_host.h"
#include "services/platform.h"

namespace corvandel {

// What a page's "..." buttons open: any file, an icon file, or a folder. A
// chosen file is put into the edit in double quotes (it may hold blanks), a
// folder as it is. kNone: the page shows no browse button.
enum class Browse : unsigned char { kNone, kFile, kIcon, kFolder };

// A check box that enables other controls of its page while it is checked.
struct EnablingBox {
  int pageId = 0;  // 0: none
  int checkBoxId = 0;
  std::span<const int> controls;
};

// What a page's own controls do while a tweak is selected. Each tweak's row
// in the catalogue carries its own; most keep the default.
struct PageBehaviour {
  Browse browse = Browse::kFile;
  EnablingBox enabling{};
};

// A click on a page button: when it is a browse button, runs the dialog the
// selected tweak's page opens and puts the result into its edit as the whole
// text. False for other buttons.
bool OnBrowseButton(IPageHost& pages, IPlatform& platform, const PageBehaviour& selected, int pageId, int buttonId);

// A click on a check box: when it is the selected tweak's enabling box, the
// controls it governs follow it. The box has already toggled itself. Other
// clicks change nothing.
void OnCheckBoxClicked(IPageHost& pages, const PageBehaviour& selected, int pageId, int controlId);

// CSingleComboPage combo box 1021 holds "0" to "10000" in ascending order.
inline constexpr int kNumberComboLast = 10000;
template <typename AddItem>
void ForEachNumberComboItem(AddItem add) {
  for (int number = 0; number <= kNumberComboLast; ++number) add(std::to_string(number));
}
void FillNumberCombo(IPageHost& pages);

}  // namespace corvandel

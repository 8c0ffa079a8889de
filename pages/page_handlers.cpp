#include "pages/page_handlers.h"

#include <optional>

namespace corvandel {
namespace {

// The "..." buttons and the edits they fill: CEditCheckPage 1023, 1026, 1027
// and CEditBrowsePage 1023, 1026, 1027, 1048, 1050.
struct BrowseButton {
  int pageId;
  int buttonId;
  int editId;
  int labelId;  // the edit's label: a folder dialog's prompt
};

constexpr BrowseButton kBrowseButtons[] = {
    {page::kEditCheck,  1023, 1015, 1014},
    {page::kEditCheck,  1026, 1017, 1019},
    {page::kEditCheck,  1027, 1025, 1020},
    {page::kEditBrowse, 1023, 1015, 1014},
    {page::kEditBrowse, 1026, 1017, 1019},
    {page::kEditBrowse, 1027, 1025, 1020},
    {page::kEditBrowse, 1048, 1042, 1039},
    {page::kEditBrowse, 1050, 1049, 1041},
};

const BrowseButton* FindBrowseButton(int pageId, int buttonId) {
  for (const BrowseButton& button : kBrowseButtons)
    if (button.pageId == pageId && button.buttonId == buttonId) return &button;
  return nullptr;
}

constexpr char kIconFilter[] = "*.ico||";
constexpr char kAnyFileFilter[] = "All Files(*.*)|*.*||";

// Runs the dialog the page's buttons open: a folder dialog at the folder the
// edit holds, with its label as the prompt, or a file dialog. The text the
// edit gets: a folder as it is, a file in double quotes (it may hold blanks),
// or "" when cancelled.
std::string BrowseResultText(IPlatform& platform, Browse browse, const std::string& folder, const std::string& prompt) {
  if (browse == Browse::kFolder) return platform.BrowseForFolder(folder, prompt).value_or("");
  const std::optional<std::string> chosen = platform.BrowseForFile(browse == Browse::kIcon ? kIconFilter : kAnyFileFilter);
  return chosen ? "\"" + *chosen + "\"" : std::string();
}

}  // namespace

bool OnBrowseButton(IPageHost& pages, IPlatform& platform, const PageBehaviour& selected, int pageId, int buttonId) {
  const BrowseButton* button = FindBrowseButton(pageId, buttonId);
  if (!button) return false;
  pages.SetText(pageId, button->editId,
                BrowseResultText(platform, selected.browse, pages.GetText(pageId, button->editId),
                                 pages.GetText(pageId, button->labelId)));
  return true;
}

void OnCheckBoxClicked(IPageHost& pages, const PageBehaviour& selected, int pageId, int controlId) {
  const EnablingBox& box = selected.enabling;
  if (box.pageId == 0 || box.pageId != pageId || box.checkBoxId != controlId) return;
  const bool checked = pages.GetCheck(pageId, controlId) != 0;
  for (int control : box.controls) pages.EnableControl(pageId, control, checked);
}

void FillNumberCombo(IPageHost& pages) {
  ForEachNumberComboItem([&](const std::string& text) { pages.ComboAddString(page::kSingleCombo, 1021, text); });
}

}  // namespace corvandel

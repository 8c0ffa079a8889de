#include "pages/page_handlers.h"

#include <optional>
#include <vector>

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

constexpr int kIconTweak = 62;
constexpr int kFolderTweaks[] = {107, 255, 306, 307};
constexpr char kIconFilter[] = "*.ico||";
constexpr char kAnyFileFilter[] = "All Files(*.*)|*.*||";

constexpr int kCheck1 = 1013;

// A check box that enables other controls of its page while one tweak is up.
struct EnablingCheckBox {
  int tweakId;
  int pageId;
  int checkBoxId;
  std::vector<int> controls;
};

const std::vector<EnablingCheckBox>& EnablingCheckBoxes() {
  static const std::vector<EnablingCheckBox> boxes = {
      {159, page::kEditCheck,   kCheck1, {1015, 1017, 1023}},
      {82,  page::kSingleCombo, kCheck1, {1021}},
  };
  return boxes;
}

}  // namespace

BrowseDialog BrowseDialogFor(int currentTweakId) {
  if (currentTweakId == kIconTweak) return {BrowseKind::kFile, kIconFilter, true};
  for (int folderTweak : kFolderTweaks) {
    if (currentTweakId == folderTweak) return {BrowseKind::kFolder, nullptr, false};
  }
  return {BrowseKind::kFile, kAnyFileFilter, true};
}

std::string BrowseResultText(IPlatform& platform, int currentTweakId, const std::string& folder,
                             const std::string& prompt) {
  const BrowseDialog dialog = BrowseDialogFor(currentTweakId);
  const std::optional<std::string> chosen = dialog.kind == BrowseKind::kFolder ? platform.BrowseForFolder(folder, prompt)
                                                                               : platform.BrowseForFile(dialog.filter);
  if (!chosen) return {};
  return dialog.quoted ? "\"" + *chosen + "\"" : *chosen;
}

bool OnBrowseButton(IPageHost& pages, IPlatform& platform, int currentTweakId, int pageId, int buttonId) {
  const BrowseButton* button = FindBrowseButton(pageId, buttonId);
  if (!button) return false;
  pages.SetText(pageId, button->editId,
                BrowseResultText(platform, currentTweakId, pages.GetText(pageId, button->editId),
                                 pages.GetText(pageId, button->labelId)));
  return true;
}

void OnCheckBoxClicked(IPageHost& pages, int currentTweakId, int pageId, int controlId) {
  for (const EnablingCheckBox& box : EnablingCheckBoxes()) {
    if (box.tweakId != currentTweakId || box.pageId != pageId || box.checkBoxId != controlId) continue;
    const bool checked = pages.GetCheck(pageId, controlId) != 0;
    for (int control : box.controls) pages.EnableControl(pageId, control, checked);
  }
}

void FillNumberCombo(IPageHost& pages) {
  ForEachNumberComboItem([&](const std::string& text) { pages.ComboAddString(page::kSingleCombo, 1021, text); });
}

}  // namespace corvandel

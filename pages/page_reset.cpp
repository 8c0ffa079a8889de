#include "pages/page_reset.h"

#include <vector>

namespace corvandel {
namespace {

// One step of the reset: hide the page, then these controls, then enable
// those (the handlers of tweaks 159 and 82 and the load of 259 may have
// disabled them). The
// password edit of the automatic login shows its text again for others.
struct PageReset {
  int pageId;
  std::vector<int> hide;
  std::vector<int> enable;
  std::vector<int> unmask = {};
};

const std::vector<PageReset>& ResetOrder() {
  static const std::vector<PageReset> order = {
      {page::kListCheck,   {1007, 1013},                                                       {}},
      {page::kMultiCheck,  {1024, 1013, 1018, 1028, 1032, 1033, 1034, 1035, 1036, 1037, 1038}, {}},
      {page::kEditCheck,   {1024, 1013, 1018, 1014, 1019, 1020, 1015, 1017, 1025, 1023, 1026, 1027},
                           {1013, 1015, 1017, 1023},                                           {1017}},
      {page::kComboCheck,  {1013, 1021, 1022, 1055, 1014, 1019, 1024},                         {1021}},
      {page::kList,        {1009},                                                             {}},
      {page::kEditBrowse,  {},                                                                 {}},
      {page::kMultiCombo,  {},                                                                 {}},
      {page::kEditCombo,   {1015, 1030},                                                       {}},
      {page::kSingleCombo, {},                                                                 {}},
  };
  return order;
}

void Reset(IPageHost& pages, const PageReset& step) {
  pages.ShowPage(step.pageId, false);
  for (int control : step.hide) pages.ShowControl(step.pageId, control, false);
  for (int control : step.enable) pages.EnableControl(step.pageId, control, true);
  for (int control : step.unmask) pages.SetPasswordMask(step.pageId, control, false);
}

}  // namespace

void ShowTweakPageNone(IPageHost& pages) {
  for (const PageReset& step : ResetOrder())
    if (pages.IsPageCreated(step.pageId)) Reset(pages, step);
  pages.ShowControl(page::kMainWindow, page::kApplyButton, false);
}

void ResetPage(IPageHost& pages, int pageId) {
  for (const PageReset& step : ResetOrder())
    if (step.pageId == pageId) Reset(pages, step);
}

}  // namespace corvandel

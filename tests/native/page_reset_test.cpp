// ShowTweakPageNone: the reset before every load routine, step by step and by
// the state it leaves.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pages/page_model.h"
#include "pages/page_reset.h"

namespace corvandel {
namespace {

// Records every show, hide, enable and mask call, in order.
class RecordingPages : public PageModel {
 public:
  std::vector<std::string> calls;

  void ShowPage(int pageId, bool show) override {
    calls.push_back(std::string(show ? "show" : "hide") + " page " + std::to_string(pageId));
    PageModel::ShowPage(pageId, show);
  }
  void ShowControl(int pageId, int controlId, bool show) override {
    calls.push_back(std::string(show ? "show " : "hide ") + Name(pageId, controlId));
    PageModel::ShowControl(pageId, controlId, show);
  }
  void EnableControl(int pageId, int controlId, bool enable) override {
    calls.push_back(std::string(enable ? "enable " : "disable ") + Name(pageId, controlId));
    PageModel::EnableControl(pageId, controlId, enable);
  }
  void SetPasswordMask(int pageId, int controlId, bool masked) override {
    calls.push_back(std::string(masked ? "mask " : "unmask ") + Name(pageId, controlId));
    PageModel::SetPasswordMask(pageId, controlId, masked);
  }

 private:
  static std::string Name(int pageId, int controlId) {
    return std::to_string(pageId) + "/" + std::to_string(controlId);
  }
};

// The reset, steps 1 to 9.
const std::vector<std::string> kResetSteps = {
    "hide page 106", "hide 106/1007", "hide 106/1013",
    "hide page 170", "hide 170/1024", "hide 170/1013", "hide 170/1018", "hide 170/1028", "hide 170/1032",
    "hide 170/1033", "hide 170/1034", "hide 170/1035", "hide 170/1036", "hide 170/1037", "hide 170/1038",
    "hide page 171", "hide 171/1024", "hide 171/1013", "hide 171/1018", "hide 171/1014", "hide 171/1019",
    "hide 171/1020", "hide 171/1015", "hide 171/1017", "hide 171/1025", "hide 171/1023", "hide 171/1026",
    "hide 171/1027", "enable 171/1013", "enable 171/1015", "enable 171/1017", "enable 171/1023", "unmask 171/1017",
    "hide page 172", "hide 172/1013", "hide 172/1021", "hide 172/1022", "hide 172/1055", "hide 172/1014",
    "hide 172/1019", "hide 172/1024", "enable 172/1021",
    "hide page 173", "hide 173/1009",
    "hide page 107", "hide page 174",
    "hide page 175", "hide 175/1015", "hide 175/1030",
    "hide page 176",
    "hide 102/1016",
};

// The "page/control" names of the controls the reset hides or enables.
std::set<std::string> ControlsWith(const std::string& action) {
  std::set<std::string> names;
  for (const std::string& step : kResetSteps) {
    if (step.rfind(action + " ", 0) == 0 && step.find(" page ") == std::string::npos) {
      names.insert(step.substr(action.size() + 1));
    }
  }
  return names;
}

std::string Name(int pageId, int controlId) { return std::to_string(pageId) + "/" + std::to_string(controlId); }

TEST(ShowTweakPageNone, HidesAndEnablesInTheResetOrder) {
  RecordingPages pages;
  ShowTweakPageNone(pages);
  EXPECT_EQ(kResetSteps, pages.calls);
}

TEST(ShowTweakPageNone, LeavesOnlyWhatTheResetDoesNotTouch) {
  PageModel pages;
  // Everything shown, disabled, checked and written, as a load routine might leave it.
  auto everyControl = [](auto&& visit) {
    for (const PageTemplate& page : PageTemplates()) {
      for (const ControlTemplate& control : page.controls) visit(page.id, control);
    }
    for (const ControlTemplate& control : MainWindowTemplate().controls) visit(page::kMainWindow, control);
  };
  for (const PageTemplate& page : PageTemplates()) pages.ShowPage(page.id, true);
  everyControl([&](int pageId, const ControlTemplate& control) {
    pages.ShowControl(pageId, control.id, true);
    pages.EnableControl(pageId, control.id, false);
    pages.SetCheck(pageId, control.id, 1);
    pages.SetText(pageId, control.id, "left over");
    pages.SetPasswordMask(pageId, control.id, true);
  });
  std::map<std::string, std::string> textsBefore;
  everyControl([&](int pageId, const ControlTemplate& control) {
    textsBefore[Name(pageId, control.id)] = pages.GetText(pageId, control.id);
  });

  ShowTweakPageNone(pages);

  for (const PageTemplate& page : PageTemplates()) EXPECT_FALSE(pages.IsPageVisible(page.id)) << page.className;
  const std::set<std::string> hidden = ControlsWith("hide");
  const std::set<std::string> enabled = ControlsWith("enable");
  everyControl([&](int pageId, const ControlTemplate& control) {
    const std::string name = Name(pageId, control.id);
    EXPECT_EQ(hidden.count(name) == 0, pages.IsControlVisible(pageId, control.id)) << name;
    EXPECT_EQ(enabled.count(name) == 1, pages.IsControlEnabled(pageId, control.id)) << name;
    EXPECT_EQ(control.kind == ControlKind::kEdit && ControlsWith("unmask").count(name) == 0,
              pages.IsPasswordMasked(pageId, control.id))
        << name;
    EXPECT_EQ(control.kind == ControlKind::kCheckBox ? 1 : 0, pages.GetCheck(pageId, control.id)) << name;
    EXPECT_EQ(textsBefore[name], pages.GetText(pageId, control.id)) << name;
  });
}

TEST(ShowTweakPageNone, KeepsTheEditBrowseAndMultiComboControlsAsTheyAre) {
  PageModel pages;
  for (int pageId : {page::kEditBrowse, page::kMultiCombo}) {
    for (const ControlTemplate& control : FindTemplate(pageId)->controls) pages.ShowControl(pageId, control.id, true);
  }
  pages.ShowControl(page::kMultiCombo, 1043, false);

  ShowTweakPageNone(pages);

  for (int pageId : {page::kEditBrowse, page::kMultiCombo}) {
    for (const ControlTemplate& control : FindTemplate(pageId)->controls) {
      const bool shownBefore = !(pageId == page::kMultiCombo && control.id == 1043);
      EXPECT_EQ(shownBefore, pages.IsControlVisible(pageId, control.id)) << Name(pageId, control.id);
    }
  }
}

TEST(ShowTweakPageNone, ReEnablesWhatTheTweakHandlersDisable) {
  PageModel pages;
  const std::pair<int, int> handled[] = {{page::kEditCheck, 1015}, {page::kEditCheck, 1017},
                                         {page::kEditCheck, 1023}, {page::kComboCheck, 1021}};
  for (auto [pageId, controlId] : handled) pages.EnableControl(pageId, controlId, false);
  pages.ShowControl(page::kMainWindow, page::kApplyButton, true);

  ShowTweakPageNone(pages);

  for (auto [pageId, controlId] : handled) EXPECT_TRUE(pages.IsControlEnabled(pageId, controlId)) << controlId;
  EXPECT_FALSE(pages.IsControlVisible(page::kMainWindow, page::kApplyButton));
}

}  // namespace
}  // namespace corvandel

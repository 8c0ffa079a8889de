// The page templates against the page dialog tables: every page's controls in
// template order with their kinds, texts and visibility at creation, plus the
// layout rules the tables share.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pages/page_host.h"
#include "pages/page_templates.h"

namespace corvandel {
namespace {

using enum ControlKind;

constexpr bool V = true;   // visible at creation
constexpr bool H = false;  // hidden at creation

struct ExpectedControl {
  int id;
  ControlKind kind;
  const char* text;
  bool visible;
};

struct ExpectedPage {
  int id;
  const char* className;
  int width;
  std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedPage>& ExpectedPages() {
  static const std::vector<ExpectedPage> pages = {
      {106, "CListCheckPage", 296,
       {{1006, kStatic, "", V}, {1013, kCheckBox, "Check1", H}, {1007, kListView, "List1", H}}},
      {170, "CMultiCheckPage", 296,
       {{1006, kStatic, "", V},         {1013, kCheckBox, "Check1", H}, {1018, kCheckBox, "Check2", H},
        {1028, kCheckBox, "Check2", H}, {1032, kCheckBox, "Check2", H}, {1033, kCheckBox, "Check2", H},
        {1034, kCheckBox, "Check1", H}, {1035, kCheckBox, "Check2", H}, {1036, kCheckBox, "Check2", H},
        {1037, kCheckBox, "Check2", H}, {1038, kCheckBox, "Check2", H}, {1024, kStatic, "Note", V}}},
      {171, "CEditCheckPage", 297,
       {{1006, kStatic, "", V},      {1013, kCheckBox, "Check1", V}, {1014, kStatic, "Lable1", V},
        {1015, kEdit, "", V},        {1023, kPushButton, "...", V},  {1019, kStatic, "Lable2", V},
        {1017, kEdit, "", V},        {1026, kPushButton, "...", V},  {1020, kStatic, "Lable3", V},
        {1025, kEdit, "", V},        {1027, kPushButton, "...", V},  {1018, kCheckBox, "Check2", V},
        {1024, kStatic, "Note", V}}},
      {172, "CComboCheckPage", 296,
       {{1006, kStatic, "", V},    {1013, kCheckBox, "Check1", V}, {1014, kStatic, "Lable1", V},
        {1021, kComboBox, "", V},  {1055, kComboBox, "", V},       {1019, kStatic, "Lable2", V},
        {1022, kComboBox, "", V},  {1024, kStatic, "Note", V}}},
      {173, "CListPage", 296, {{1006, kStatic, "", V}, {1009, kListView, "List1", V}}},
      {107, "CEditBrowsePage", 296,
       {{1006, kStatic, "", V},
        {1014, kStatic, "Lable1", V}, {1015, kEdit, "", V}, {1023, kPushButton, "...", V},
        {1019, kStatic, "Lable2", V}, {1017, kEdit, "", V}, {1026, kPushButton, "...", V},
        {1020, kStatic, "Lable3", V}, {1025, kEdit, "", V}, {1027, kPushButton, "...", V},
        {1039, kStatic, "Lable4", V}, {1042, kEdit, "", V}, {1048, kPushButton, "...", V},
        {1041, kStatic, "Lable5", V}, {1049, kEdit, "", V}, {1050, kPushButton, "...", V}}},
      {174, "CMultiComboPage", 296,
       {{1006, kStatic, "", V},
        {1014, kStatic, "Lable1", V}, {1021, kComboBox, "", V},
        {1019, kStatic, "Lable2", V}, {1022, kComboBox, "", V},
        {1020, kStatic, "Lable3", V}, {1029, kComboBox, "", V},
        {1039, kStatic, "Lable4", V}, {1030, kComboBox, "", V},
        {1041, kStatic, "Lable5", V}, {1031, kComboBox, "", V},
        {1046, kStatic, "Lable6", V}, {1043, kComboBox, "", V}}},
      {175, "CEditComboPage", 296,
       {{1006, kStatic, "", V},       {1014, kStatic, "Lable1", V}, {1015, kEdit, "", H},
        {1030, kComboBox, "", H},     {1019, kStatic, "Lable2", V}, {1021, kComboBox, "", V},
        {1020, kStatic, "Lable3", V}, {1022, kComboBox, "", V},     {1039, kStatic, "Lable4", V},
        {1029, kComboBox, "", V},     {1024, kStatic, "Note", V}}},
      {176, "CSingleComboPage", 296,
       {{1006, kStatic, "", V}, {1013, kCheckBox, "Check1", V}, {1014, kStatic, "Lable1", V},
        {1021, kComboBox, "", V}, {1024, kStatic, "Note", V}}},
  };
  return pages;
}

TEST(PageTemplates, AreTheNinePagesInCreationOrderWithTheirControls) {
  const auto templates = PageTemplates();
  const auto& expected = ExpectedPages();
  ASSERT_EQ(expected.size(), templates.size());
  for (size_t p = 0; p < expected.size(); ++p) {
    const PageTemplate& page = templates[p];
    const ExpectedPage& want = expected[p];
    SCOPED_TRACE(want.className);
    EXPECT_EQ(want.id, page.id);
    EXPECT_STREQ(want.className, page.className);
    EXPECT_EQ(215, page.rect.x);
    EXPECT_EQ(20, page.rect.y);
    EXPECT_EQ(want.width, page.rect.width);
    EXPECT_EQ(218, page.rect.height);
    ASSERT_EQ(want.controls.size(), page.controls.size());
    for (size_t c = 0; c < want.controls.size(); ++c) {
      SCOPED_TRACE("control #" + std::to_string(c));
      EXPECT_EQ(want.controls[c].id, page.controls[c].id);
      EXPECT_EQ(want.controls[c].kind, page.controls[c].kind);
      EXPECT_STREQ(want.controls[c].text, page.controls[c].text);
      EXPECT_EQ(want.controls[c].visible, page.controls[c].visible);
    }
  }
}

TEST(PageTemplates, EveryPageOpensWithItsSunkenDescription) {
  for (const PageTemplate& page : PageTemplates()) {
    SCOPED_TRACE(page.className);
    ASSERT_FALSE(page.controls.empty());
    const ControlTemplate& description = page.controls.front();
    EXPECT_EQ(1006, description.id);
    EXPECT_EQ(kStatic, description.kind);
    EXPECT_TRUE(description.styles & style::kSunken);
    EXPECT_TRUE(description.visible);
    EXPECT_EQ(22, description.rect.x);
    EXPECT_EQ(10, description.rect.y);
    EXPECT_EQ(252, description.rect.width);
    EXPECT_GE(description.rect.height, 45);
    EXPECT_LE(description.rect.height, 55);
  }
}

TEST(PageTemplates, ControlIdsAreUniqueOnEachPage) {
  for (const PageTemplate& page : PageTemplates()) {
    std::set<int> seen;
    for (const ControlTemplate& control : page.controls) {
      EXPECT_TRUE(seen.insert(control.id).second) << page.className << " repeats " << control.id;
    }
  }
}

TEST(PageTemplates, ControlsLieInsideTheirPage) {
  // Combo boxes are left out: their height includes the dropped list.
  for (const PageTemplate& page : PageTemplates()) {
    for (const ControlTemplate& control : page.controls) {
      if (control.kind == kComboBox) continue;
      SCOPED_TRACE(std::string(page.className) + " control " + std::to_string(control.id));
      EXPECT_GE(control.rect.x, 0);
      EXPECT_GE(control.rect.y, 0);
      EXPECT_LE(control.rect.x + control.rect.width, page.rect.width);
      EXPECT_LE(control.rect.y + control.rect.height, page.rect.height);
    }
  }
}

TEST(PageTemplates, StylesFitTheirKind) {
  for (const PageTemplate& page : PageTemplates()) {
    for (const ControlTemplate& control : page.controls) {
      SCOPED_TRACE(std::string(page.className) + " control " + std::to_string(control.id));
      switch (control.kind) {
        case kEdit:
          EXPECT_EQ(style::kBorder | style::kAutoHScroll, control.styles);
          break;
        case kPushButton:  // the browse buttons
          EXPECT_STREQ("...", control.text);
          EXPECT_EQ(36, control.rect.width);
          EXPECT_EQ(17, control.rect.height);
          EXPECT_EQ(0u, control.styles);
          break;
        case kComboBox: {
          const bool colour = page.id == page::kComboCheck && control.id == 1055;
          const unsigned colourOnly =
              style::kDropDownList | style::kOwnerDrawFixed | style::kHasStrings | style::kSorted;
          EXPECT_EQ(colour ? colourOnly : style::kDropDown, control.styles & (colourOnly | style::kDropDown));
          break;
        }
        case kListView: {
          const unsigned common = style::kSingleSel | style::kShowSelAlways | style::kShareImageLists |
                                  style::kAlignLeft | style::kBorder;
          EXPECT_EQ(common, control.styles & common);
          EXPECT_NE((control.styles & style::kReport) != 0, (control.styles & style::kListMode) != 0);
          break;
        }
        case kStatic:
        case kCheckBox:
          EXPECT_EQ(control.id == 1006 ? style::kSunken : 0u, control.styles);
          break;
      }
    }
  }
}

TEST(PageTemplates, OverviewListHasAHeaderAndTheCheckListNone) {
  const ControlTemplate* overview = FindControl(page::kListCheck, 1007);
  const ControlTemplate* checkList = FindControl(page::kList, 1009);
  ASSERT_TRUE(overview && checkList);
  EXPECT_TRUE(overview->styles & style::kReport);
  EXPECT_FALSE(overview->styles & style::kNoColumnHeader);
  EXPECT_TRUE(checkList->styles & style::kListMode);
  EXPECT_TRUE(checkList->styles & style::kNoColumnHeader);
}

TEST(PageTemplates, AlternativeControlsShareTheirPlace) {
  struct Pair {
    int pageId;
    int first;
    int second;
  };
  for (const Pair& p : {Pair{page::kComboCheck, 1021, 1055}, Pair{page::kEditCombo, 1015, 1030}}) {
    const ControlTemplate* a = FindControl(p.pageId, p.first);
    const ControlTemplate* b = FindControl(p.pageId, p.second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->rect.x, b->rect.x) << p.pageId;
    EXPECT_LE(std::abs(a->rect.y - b->rect.y), 1) << p.pageId;
    EXPECT_EQ(a->rect.width, b->rect.width) << p.pageId;
  }
}

TEST(PageTemplates, MainWindowOffersOnlyItsHiddenDefaultApplyButton) {
  const PageTemplate& main = MainWindowTemplate();
  EXPECT_EQ(page::kMainWindow, main.id);
  EXPECT_EQ(&main, FindTemplate(page::kMainWindow));
  ASSERT_EQ(1u, main.controls.size());
  const ControlTemplate& apply = main.controls.front();
  EXPECT_EQ(page::kApplyButton, apply.id);
  EXPECT_EQ(kPushButton, apply.kind);
  EXPECT_STREQ("Apply Changes", apply.text);
  EXPECT_EQ(style::kDefault, apply.styles);
  EXPECT_FALSE(apply.visible);
  EXPECT_EQ(317, apply.rect.x);
  EXPECT_EQ(225, apply.rect.y);
  EXPECT_EQ(72, apply.rect.width);
  EXPECT_EQ(16, apply.rect.height);
}

TEST(PageTemplates, LookupsFindPagesAndControlsAndNothingElse) {
  for (const PageTemplate& page : PageTemplates()) {
    EXPECT_EQ(&page, FindTemplate(page.id)) << page.className;
    for (const ControlTemplate& control : page.controls) EXPECT_EQ(&control, FindControl(page.id, control.id));
  }
  EXPECT_EQ(nullptr, FindTemplate(999));
  EXPECT_EQ(nullptr, FindTemplate(1006));
  EXPECT_EQ(nullptr, FindControl(999, 1006));
  EXPECT_EQ(nullptr, FindControl(page::kList, 1013));  // exists on other pages only
  EXPECT_EQ(nullptr, FindControl(page::kMainWindow, 1004));  // the tree is not the seam's
}

// The skin hookup as the page dialogs make it: after the page itself, these
// controls with these elements, in this order (C check box, L label, B button).
TEST(PageTemplates, SkinHookupDressesTheseControlsInThisOrder) {
  const std::vector<std::pair<int, std::string>> expected = {
      {106, "1013C 1006L"},
      {170, "1013C 1018C 1028C 1032C 1033C 1034C 1035C 1036C 1037C 1038C 1006L 1024L"},
      {171, "1013C 1018C 1006L 1024L 1014L 1019L 1020L 1023B 1026B 1027B"},
      {172, "1013C 1006L 1024L 1014L 1019L"},
      {173, "1006L"},
      {107, "1014L 1019L 1020L 1039L 1041L 1006L 1023B 1026B 1027B 1048B 1050B"},
      {174, "1014L 1019L 1020L 1039L 1041L 1046L 1006L"},
      {175, "1014L 1019L 1020L 1039L 1006L 1024L"},
      {176, "1013C 1006L 1024L 1014L"},
  };
  for (const auto& [pageId, want] : expected) {
    std::string got;
    for (const ControlTemplate* control : SkinHookupOrder(*FindTemplate(pageId))) {
      const char look[] = {'-', 'C', 'L', 'B'};
      if (!got.empty()) got += ' ';
      got += std::to_string(control->id);
      got += look[static_cast<int>(control->skin.look)];
    }
    EXPECT_EQ(want, got) << pageId;
  }
}

// The splitter moves every control but the "..." buttons, CEditComboPage's
// combo 1030, label 1039 and note 1024, and CSingleComboPage's label 1014.
TEST(PageTemplates, SplitterMovesAllButTheButtonsAndAFewOthers) {
  const std::set<std::pair<int, int>> staying = {{175, 1030}, {175, 1039}, {175, 1024}, {176, 1014}};
  for (const PageTemplate& page : PageTemplates()) {
    for (const ControlTemplate& control : page.controls) {
      const bool stays = control.kind == kPushButton || staying.count({page.id, control.id}) == 1;
      EXPECT_NE(stays, control.followsSplitter) << page.id << '/' << control.id;
    }
  }
}

}  // namespace
}  // namespace corvandel

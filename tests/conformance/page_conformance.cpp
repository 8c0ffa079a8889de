#include "conformance/page_conformance.h"

#include <initializer_list>

#include "pages/page_templates.h"

namespace corvandel {

std::string PageHostSideName(const ::testing::TestParamInfo<PageHostSide>& info) { return info.param.name; }

namespace {

// Control IDs the cases use.
constexpr int kDescription = 1006;
constexpr int kOverviewList = 1007;  // CListCheckPage, report view
constexpr int kCheckList = 1009;     // CListPage, list view mode
constexpr int kCheck1 = 1013;
constexpr int kEdit1 = 1015;
constexpr int kBrowse1 = 1023;
constexpr int kNote = 1024;
constexpr int kCombo1021 = 1021;     // drop-down (CEditComboPage, CSingleComboPage, ...)
constexpr int kColorCombo = 1055;    // CComboCheckPage: drop-down list, sorted

constexpr auto kComboErrorData = static_cast<std::uintptr_t>(kComboError);

// What the pages are when created.

TEST_P(PageHostConformance, StartHiddenWithEveryControlAsItsTemplateCreatesIt) {
  for (const PageTemplate& page : PageTemplates()) {
    EXPECT_FALSE(pages->IsPageVisible(page.id)) << page.className;
    for (const ControlTemplate& control : page.controls) {
      SCOPED_TRACE(std::string(page.className) + " control " + std::to_string(control.id));
      EXPECT_EQ(control.visible, pages->IsControlVisible(page.id, control.id));
      EXPECT_TRUE(pages->IsControlEnabled(page.id, control.id));
      EXPECT_EQ(control.text, pages->GetText(page.id, control.id));
      EXPECT_EQ(0, pages->GetCheck(page.id, control.id));
    }
  }
  EXPECT_FALSE(pages->IsControlVisible(page::kMainWindow, page::kApplyButton));
  EXPECT_TRUE(pages->IsControlEnabled(page::kMainWindow, page::kApplyButton));
  EXPECT_EQ("Apply Changes", pages->GetText(page::kMainWindow, page::kApplyButton));
}

TEST_P(PageHostConformance, CombosAndListsStartEmpty) {
  for (const PageTemplate& page : PageTemplates()) {
    for (const ControlTemplate& control : page.controls) {
      SCOPED_TRACE(std::string(page.className) + " control " + std::to_string(control.id));
      if (control.kind == ControlKind::kComboBox) {
        EXPECT_EQ(0, pages->ComboCount(page.id, control.id));
        EXPECT_EQ(kComboError, pages->ComboGetCurSel(page.id, control.id));
      } else if (control.kind == ControlKind::kListView) {
        EXPECT_EQ(0, pages->ListColumnCount(page.id, control.id));
        EXPECT_EQ(0, pages->ListItemCount(page.id, control.id));
        EXPECT_EQ(-1, pages->ListSelectedRow(page.id, control.id));
      }
    }
  }
}

// Visibility and enable state.

TEST_P(PageHostConformance, PageVisibilityIsSeparateFromControlVisibility) {
  pages->ShowControl(page::kListCheck, kCheck1, true);
  EXPECT_TRUE(pages->IsControlVisible(page::kListCheck, kCheck1));  // its own style, page still hidden
  EXPECT_FALSE(pages->IsPageVisible(page::kListCheck));

  pages->ShowPage(page::kListCheck, true);
  EXPECT_TRUE(pages->IsPageVisible(page::kListCheck));
  EXPECT_FALSE(pages->IsControlVisible(page::kListCheck, kOverviewList));  // showing the page shows no control

  pages->ShowPage(page::kListCheck, false);
  EXPECT_TRUE(pages->IsControlVisible(page::kListCheck, kCheck1));  // hiding the page hides no control
}

TEST_P(PageHostConformance, ShowingOnePageLeavesTheOthersHidden) {
  pages->ShowPage(page::kMultiCheck, true);
  for (const PageTemplate& page : PageTemplates()) {
    EXPECT_EQ(page.id == page::kMultiCheck, pages->IsPageVisible(page.id)) << page.className;
  }
}

TEST_P(PageHostConformance, MainWindowIsNotAPageButHoldsTheApplyButton) {
  pages->ShowPage(page::kMainWindow, true);
  EXPECT_FALSE(pages->IsPageVisible(page::kMainWindow));

  pages->ShowControl(page::kMainWindow, page::kApplyButton, true);
  EXPECT_TRUE(pages->IsControlVisible(page::kMainWindow, page::kApplyButton));
  pages->ShowPage(page::kMainWindow, false);
  EXPECT_TRUE(pages->IsControlVisible(page::kMainWindow, page::kApplyButton));
  pages->ShowControl(page::kMainWindow, page::kApplyButton, false);
  EXPECT_FALSE(pages->IsControlVisible(page::kMainWindow, page::kApplyButton));
}

TEST_P(PageHostConformance, EnableStateIsPerControlAndIndependentOfVisibility) {
  pages->EnableControl(page::kEditCheck, kEdit1, false);
  EXPECT_FALSE(pages->IsControlEnabled(page::kEditCheck, kEdit1));
  EXPECT_TRUE(pages->IsControlVisible(page::kEditCheck, kEdit1));
  EXPECT_TRUE(pages->IsControlEnabled(page::kEditCheck, kBrowse1));
  EXPECT_TRUE(pages->IsControlEnabled(page::kEditBrowse, kEdit1));  // same ID, other page

  pages->ShowControl(page::kEditCheck, kEdit1, false);
  pages->EnableControl(page::kEditCheck, kEdit1, true);
  EXPECT_TRUE(pages->IsControlEnabled(page::kEditCheck, kEdit1));
  EXPECT_FALSE(pages->IsControlVisible(page::kEditCheck, kEdit1));
}

// Texts.

TEST_P(PageHostConformance, TextsReadBackAsSet) {
  struct Case {
    int pageId;
    int controlId;
    const char* text;
  };
  const Case cases[] = {
      {page::kMultiCheck,  kDescription,       "Allow UNC Paths at the Command Prompt:\nLets you use UNC paths."},
      {page::kMultiCheck,  kCheck1,            "Allow UNC paths"},
      {page::kMultiCheck,  kNote,              "Changes take effect after you log off."},
      {page::kEditBrowse,  1014,               "Program:"},
      {page::kEditBrowse,  kEdit1,             "\"C:\\Program Files\\App\\app.exe\" /s"},
      {page::kEditCheck,   kEdit1,             "%SystemRoot%\\notepad.exe"},
      {page::kEditCheck,   1014,               ""},
      {page::kEditCheck,   kBrowse1,           "Browse"},
      {page::kMainWindow,  page::kApplyButton, "Apply"},
  };
  for (const Case& c : cases) pages->SetText(c.pageId, c.controlId, c.text);
  for (const Case& c : cases) EXPECT_EQ(c.text, pages->GetText(c.pageId, c.controlId)) << c.controlId;
  EXPECT_EQ("", pages->GetText(page::kEditBrowse, kDescription));  // same ID, other page: untouched
}

TEST_P(PageHostConformance, OnlyEditsTakeAPasswordMaskAndAMaskedEditKeepsItsText) {
  constexpr int kEdit2 = 1017;
  pages->SetText(page::kEditCheck, kEdit2, "s3cret");
  for (int controlId : {kEdit2, kCheck1, kDescription}) pages->SetPasswordMask(page::kEditCheck, controlId, true);
  EXPECT_TRUE(pages->IsPasswordMasked(page::kEditCheck, kEdit2));
  EXPECT_FALSE(pages->IsPasswordMasked(page::kEditCheck, kEdit1));
  EXPECT_FALSE(pages->IsPasswordMasked(page::kEditCheck, kCheck1));
  EXPECT_FALSE(pages->IsPasswordMasked(page::kEditCheck, kDescription));
  EXPECT_EQ("s3cret", pages->GetText(page::kEditCheck, kEdit2));
  pages->SetPasswordMask(page::kEditCheck, kEdit2, false);
  EXPECT_FALSE(pages->IsPasswordMasked(page::kEditCheck, kEdit2));
}

// Check boxes.

TEST_P(PageHostConformance, CheckBoxTakesAnyNonZeroStateAsChecked) {
  struct Case {
    int set;
    int read;
  };
  const Case cases[] = {{1, 1}, {0, 0}, {2, 1}, {0, 0}, {7, 1}, {-1, 1}};
  for (const Case& c : cases) {
    pages->SetCheck(page::kSingleCombo, kCheck1, c.set);
    EXPECT_EQ(c.read, pages->GetCheck(page::kSingleCombo, kCheck1)) << "set " << c.set;
  }
}

TEST_P(PageHostConformance, CheckStatesArePerBoxAndSurviveHiding) {
  pages->SetCheck(page::kMultiCheck, 1013, 1);
  pages->SetCheck(page::kMultiCheck, 1038, 1);
  pages->ShowControl(page::kMultiCheck, 1013, false);
  pages->ShowPage(page::kMultiCheck, false);
  for (int box : {1013, 1018, 1028, 1032, 1033, 1034, 1035, 1036, 1037, 1038}) {
    EXPECT_EQ(box == 1013 || box == 1038 ? 1 : 0, pages->GetCheck(page::kMultiCheck, box)) << box;
  }
  EXPECT_EQ(0, pages->GetCheck(page::kEditCheck, 1013));  // same ID, other page
}

TEST_P(PageHostConformance, OnlyCheckBoxesHaveACheckState) {
  struct Target {
    int pageId;
    int controlId;
  };
  const Target others[] = {{page::kEditCheck, kDescription}, {page::kEditCheck, kEdit1},
                           {page::kEditCheck, kBrowse1},     {page::kMainWindow, page::kApplyButton},
                           {page::kList, kCheckList},        {page::kSingleCombo, kCombo1021}};
  for (const Target& t : others) {
    pages->SetCheck(t.pageId, t.controlId, 1);
    EXPECT_EQ(0, pages->GetCheck(t.pageId, t.controlId)) << t.controlId;
  }
}

// Combo boxes.

// A drop-down, unsorted combo box.
constexpr int kComboPage = page::kEditCombo;
constexpr int kCombo = kCombo1021;

void Fill(IPageHost& pages) {
  for (const char* text : {"Alpha", "beta", "Alphabet", "Gamma"}) pages.ComboAddString(kComboPage, kCombo, text);
}

TEST_P(PageHostConformance, ComboAddStringAppendsToAnUnsortedCombo) {
  EXPECT_EQ(0, pages->ComboAddString(kComboPage, kCombo, "b"));
  EXPECT_EQ(1, pages->ComboAddString(kComboPage, kCombo, "A"));
  EXPECT_EQ(2, pages->ComboAddString(kComboPage, kCombo, "c"));
  EXPECT_EQ(3, pages->ComboCount(kComboPage, kCombo));
  EXPECT_EQ("b", pages->ComboItemText(kComboPage, kCombo, 0));
  EXPECT_EQ("A", pages->ComboItemText(kComboPage, kCombo, 1));
  EXPECT_EQ("c", pages->ComboItemText(kComboPage, kCombo, 2));
  EXPECT_EQ(kComboError, pages->ComboGetCurSel(kComboPage, kCombo));  // adding selects nothing
}

TEST_P(PageHostConformance, ComboAddStringKeepsASortedComboInOrderIgnoringCase) {
  struct Case {
    const char* text;
    int index;
  };
  const Case cases[] = {{"Gold", 0}, {"aqua", 0}, {"Coral", 1}, {"beige", 1}, {"AliceBlue", 0}, {"yellow", 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.index, pages->ComboAddString(page::kComboCheck, kColorCombo, c.text)) << c.text;
  }
  const char* order[] = {"AliceBlue", "aqua", "beige", "Coral", "Gold", "yellow"};
  ASSERT_EQ(6, pages->ComboCount(page::kComboCheck, kColorCombo));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(order[i], pages->ComboItemText(page::kComboCheck, kColorCombo, i));
}

TEST_P(PageHostConformance, ComboSelectionAndItemDataStayWithTheirItemWhenAnItemIsAddedBefore) {
  const int gold = pages->ComboAddString(page::kComboCheck, kColorCombo, "Gold");
  pages->ComboSetItemData(page::kComboCheck, kColorCombo, gold, 0x00D7FF);
  pages->ComboSetCurSel(page::kComboCheck, kColorCombo, gold);
  pages->ComboAddString(page::kComboCheck, kColorCombo, "Aqua");
  EXPECT_EQ(1, pages->ComboGetCurSel(page::kComboCheck, kColorCombo));
  EXPECT_EQ("Gold", pages->GetText(page::kComboCheck, kColorCombo));
  EXPECT_EQ(0x00D7FFu, pages->ComboGetItemData(page::kComboCheck, kColorCombo, 1));
  EXPECT_EQ(0u, pages->ComboGetItemData(page::kComboCheck, kColorCombo, 0));
}

TEST_P(PageHostConformance, ComboItemDataDefaultsToZeroAndItemCallsFailOutsideTheList) {
  Fill(*pages);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(0u, pages->ComboGetItemData(kComboPage, kCombo, i));
  EXPECT_NE(kComboError, pages->ComboSetItemData(kComboPage, kCombo, 2, 0xFF00FF));
  EXPECT_EQ(0xFF00FFu, pages->ComboGetItemData(kComboPage, kCombo, 2));
  EXPECT_EQ(0u, pages->ComboGetItemData(kComboPage, kCombo, 1));
  for (int bad : {-1, 4, 50}) {
    EXPECT_EQ(kComboError, pages->ComboSetItemData(kComboPage, kCombo, bad, 1)) << bad;
    EXPECT_EQ(kComboErrorData, pages->ComboGetItemData(kComboPage, kCombo, bad)) << bad;
    EXPECT_EQ("", pages->ComboItemText(kComboPage, kCombo, bad)) << bad;
  }
}

TEST_P(PageHostConformance, ComboSetCurSelSelectsAndShowsTheItemInTheEditField) {
  Fill(*pages);
  EXPECT_EQ(3, pages->ComboSetCurSel(kComboPage, kCombo, 3));
  EXPECT_EQ(3, pages->ComboGetCurSel(kComboPage, kCombo));
  EXPECT_EQ("Gamma", pages->GetText(kComboPage, kCombo));
}

TEST_P(PageHostConformance, ComboSetCurSelOutsideTheListClearsTheSelectionAndEditField) {
  Fill(*pages);
  for (int bad : {-1, 4, 100}) {
    pages->ComboSetCurSel(kComboPage, kCombo, 1);
    EXPECT_EQ(kComboError, pages->ComboSetCurSel(kComboPage, kCombo, bad)) << bad;
    EXPECT_EQ(kComboError, pages->ComboGetCurSel(kComboPage, kCombo)) << bad;
    EXPECT_EQ("", pages->GetText(kComboPage, kCombo)) << bad;
  }
}

TEST_P(PageHostConformance, ComboFindStringMatchesAPrefixIgnoringCaseFromAfterStartAndWraps) {
  Fill(*pages);  // 0 Alpha, 1 beta, 2 Alphabet, 3 Gamma
  struct Case {
    int startAfter;
    const char* text;
    int found;
  };
  const Case cases[] = {
      {-1, "al", 0},         {0, "AL", 2},        {2, "al", 0},        {-1, "BET", 1},
      {1, "beta", 1},        {3, "gam", 3},       {-1, "eta", kComboError},
      {-1, "alphabets", kComboError},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.found, pages->ComboFindString(kComboPage, kCombo, c.startAfter, c.text))
        << c.text << " after " << c.startAfter;
  }
}

TEST_P(PageHostConformance, ComboFindStringExactMatchesTheWholeTextIgnoringCase) {
  Fill(*pages);
  struct Case {
    int startAfter;
    const char* text;
    int found;
  };
  const Case cases[] = {
      {-1, "alpha", 0}, {-1, "ALPHABET", 2}, {0, "alpha", 0}, {-1, "Alph", kComboError}, {-1, "Gammas", kComboError},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.found, pages->ComboFindStringExact(kComboPage, kCombo, c.startAfter, c.text))
        << c.text << " after " << c.startAfter;
  }
}

TEST_P(PageHostConformance, ComboSelectStringSelectsThePrefixMatchAndShowsTheWholeItem) {
  Fill(*pages);
  EXPECT_EQ(2, pages->ComboSelectString(kComboPage, kCombo, 0, "alpha"));
  EXPECT_EQ(2, pages->ComboGetCurSel(kComboPage, kCombo));
  EXPECT_EQ("Alphabet", pages->GetText(kComboPage, kCombo));
}

TEST_P(PageHostConformance, ComboSelectStringWithoutAMatchLeavesSelectionAndTextAlone) {
  Fill(*pages);
  pages->ComboSetCurSel(kComboPage, kCombo, 1);
  EXPECT_EQ(kComboError, pages->ComboSelectString(kComboPage, kCombo, -1, "zeta"));
  EXPECT_EQ(1, pages->ComboGetCurSel(kComboPage, kCombo));
  EXPECT_EQ("beta", pages->GetText(kComboPage, kCombo));
}

TEST_P(PageHostConformance, ComboResetClearsItemsSelectionAndEditField) {
  Fill(*pages);
  pages->ComboSetCurSel(kComboPage, kCombo, 2);
  pages->ComboReset(kComboPage, kCombo);
  EXPECT_EQ(0, pages->ComboCount(kComboPage, kCombo));
  EXPECT_EQ(kComboError, pages->ComboGetCurSel(kComboPage, kCombo));
  EXPECT_EQ("", pages->GetText(kComboPage, kCombo));
  EXPECT_EQ("", pages->ComboItemText(kComboPage, kCombo, 0));
}

TEST_P(PageHostConformance, ComboEditFieldTextIsSetWithoutChangingTheSelection) {
  Fill(*pages);
  pages->ComboSetCurSel(kComboPage, kCombo, 1);
  pages->SetText(kComboPage, kCombo, "1234");
  EXPECT_EQ("1234", pages->GetText(kComboPage, kCombo));
  EXPECT_EQ(1, pages->ComboGetCurSel(kComboPage, kCombo));
  EXPECT_EQ(4, pages->ComboCount(kComboPage, kCombo));
}

TEST_P(PageHostConformance, ComboDropDownListTextIsTheSelectedItem) {
  EXPECT_EQ("", pages->GetText(page::kComboCheck, kColorCombo));
  pages->ComboAddString(page::kComboCheck, kColorCombo, "Red");
  pages->ComboAddString(page::kComboCheck, kColorCombo, "Blue");
  pages->SetText(page::kComboCheck, kColorCombo, "Red");  // no edit field: nothing to set
  EXPECT_EQ("", pages->GetText(page::kComboCheck, kColorCombo));
  EXPECT_EQ(kComboError, pages->ComboGetCurSel(page::kComboCheck, kColorCombo));

  pages->ComboSetCurSel(page::kComboCheck, kColorCombo, 1);
  EXPECT_EQ("Red", pages->GetText(page::kComboCheck, kColorCombo));
}

// List views.

// The overview list: report view.
constexpr int kListPage = page::kListCheck;
constexpr int kList = kOverviewList;

// What an overview does to its list: rows out, its old columns out, two
// columns in.
void ShowOverview(IPageHost& pages, int& columnCounter, int nameWidth, int dateWidth) {
  pages.ListDeleteAllItems(kListPage, kList);
  for (; columnCounter > 0; --columnCounter) pages.ListDeleteColumn(kListPage, kList, 0);
  pages.ListInsertColumn(kListPage, kList, 0, "Name", nameWidth, ColumnAlign::kLeft);
  pages.ListInsertColumn(kListPage, kList, 1, "Data Modified", dateWidth, ColumnAlign::kLeft);
  columnCounter += 2;
}

void AddRows(IPageHost& pages, int pageId, int controlId, std::initializer_list<const char*> texts) {
  int row = 0;
  for (const char* text : texts) pages.ListInsertItem(pageId, controlId, row++, text);
}

TEST_P(PageHostConformance, ListInsertColumnShiftsLaterColumnsAndAppendsPastTheEnd) {
  EXPECT_EQ(0, pages->ListInsertColumn(kListPage, kList, 0, "Name", 295, ColumnAlign::kLeft));
  EXPECT_EQ(0, pages->ListInsertColumn(kListPage, kList, 0, "First", 50, ColumnAlign::kRight));
  EXPECT_EQ(2, pages->ListInsertColumn(kListPage, kList, 7, "Last", 99, ColumnAlign::kCenter));
  ASSERT_EQ(3, pages->ListColumnCount(kListPage, kList));
  const char* headings[] = {"First", "Name", "Last"};
  const int widths[] = {50, 295, 99};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(headings[i], pages->ListColumnHeading(kListPage, kList, i));
    EXPECT_EQ(widths[i], pages->ListColumnWidth(kListPage, kList, i));
  }
}

TEST_P(PageHostConformance, ListDeletingColumnZeroMakesColumnOneTheFirst) {
  int counter = 0;
  ShowOverview(*pages, counter, 280, 115);
  EXPECT_TRUE(pages->ListDeleteColumn(kListPage, kList, 0));
  ASSERT_EQ(1, pages->ListColumnCount(kListPage, kList));
  EXPECT_EQ("Data Modified", pages->ListColumnHeading(kListPage, kList, 0));
  EXPECT_EQ(115, pages->ListColumnWidth(kListPage, kList, 0));
}

TEST_P(PageHostConformance, ListDeleteColumnOutsideTheListFails) {
  EXPECT_FALSE(pages->ListDeleteColumn(kListPage, kList, 0));  // no columns yet
  int counter = 0;
  ShowOverview(*pages, counter, 295, 99);
  for (int bad : {-1, 2, 10}) EXPECT_FALSE(pages->ListDeleteColumn(kListPage, kList, bad)) << bad;
  EXPECT_EQ(2, pages->ListColumnCount(kListPage, kList));
  EXPECT_EQ("", pages->ListColumnHeading(kListPage, kList, 2));
  EXPECT_EQ(0, pages->ListColumnWidth(kListPage, kList, 2));
}

TEST_P(PageHostConformance, ListTwoOverviewsInARowLeaveExactlyTwoColumns) {
  int counter = 0;
  ShowOverview(*pages, counter, 280, 115);
  AddRows(*pages, kListPage, kList, {"Echo Off", "Autorun"});
  ShowOverview(*pages, counter, 295, 83);
  EXPECT_EQ(2, pages->ListColumnCount(kListPage, kList));
  EXPECT_EQ(0, pages->ListItemCount(kListPage, kList));
  EXPECT_EQ("Name", pages->ListColumnHeading(kListPage, kList, 0));
  EXPECT_EQ(295, pages->ListColumnWidth(kListPage, kList, 0));
  EXPECT_EQ(83, pages->ListColumnWidth(kListPage, kList, 1));
}

TEST_P(PageHostConformance, ListInsertItemAppendsPastTheEndAndShiftsLaterRows) {
  EXPECT_EQ(0, pages->ListInsertItem(kListPage, kList, 0, "a"));
  EXPECT_EQ(1, pages->ListInsertItem(kListPage, kList, 5, "c"));
  EXPECT_EQ(1, pages->ListInsertItem(kListPage, kList, 1, "b"));
  ASSERT_EQ(3, pages->ListItemCount(kListPage, kList));
  const char* texts[] = {"a", "b", "c"};
  for (int row = 0; row < 3; ++row) EXPECT_EQ(texts[row], pages->ListItemText(kListPage, kList, row, 0));
}

TEST_P(PageHostConformance, ListSubItemTextsNeedTheirColumn) {
  int counter = 0;
  ShowOverview(*pages, counter, 295, 99);
  AddRows(*pages, kListPage, kList, {"Echo Off"});
  EXPECT_EQ("", pages->ListItemText(kListPage, kList, 0, 1));  // not set yet
  EXPECT_TRUE(pages->ListSetItemText(kListPage, kList, 0, 1, "3/7/2007"));
  EXPECT_EQ("3/7/2007", pages->ListItemText(kListPage, kList, 0, 1));
  EXPECT_TRUE(pages->ListSetItemText(kListPage, kList, 0, 0, "Echo On"));
  EXPECT_EQ("Echo On", pages->ListItemText(kListPage, kList, 0, 0));

  EXPECT_FALSE(pages->ListSetItemText(kListPage, kList, 0, 2, "x"));  // no column 2
  EXPECT_FALSE(pages->ListSetItemText(kListPage, kList, 1, 1, "x"));  // no row 1
  EXPECT_EQ("", pages->ListItemText(kListPage, kList, 1, 0));
}

TEST_P(PageHostConformance, ListInListViewModeNeedsNoColumns) {
  AddRows(*pages, page::kList, kCheckList, {"Alpha", "Beta"});
  EXPECT_EQ(2, pages->ListItemCount(page::kList, kCheckList));
  EXPECT_TRUE(pages->ListSetItemText(page::kList, kCheckList, 1, 0, "Gamma"));
  EXPECT_EQ("Gamma", pages->ListItemText(page::kList, kCheckList, 1, 0));
}

TEST_P(PageHostConformance, ListCheckStatesAreKeptIndependentlyOfSelection) {
  AddRows(*pages, page::kList, kCheckList, {"a", "b", "c"});
  pages->ListSetCheck(page::kList, kCheckList, 1, true);
  pages->ListSelectRow(page::kList, kCheckList, 0);
  EXPECT_EQ(0, pages->ListSelectedRow(page::kList, kCheckList));
  EXPECT_FALSE(pages->ListGetCheck(page::kList, kCheckList, 0));
  EXPECT_TRUE(pages->ListGetCheck(page::kList, kCheckList, 1));

  pages->ListSelectRow(page::kList, kCheckList, 2);  // single selection: row 0 is deselected
  EXPECT_EQ(2, pages->ListSelectedRow(page::kList, kCheckList));
  for (int none : {-1, 3}) {  // -1 and a row outside the list clear the selection
    pages->ListSelectRow(page::kList, kCheckList, 2);
    pages->ListSelectRow(page::kList, kCheckList, none);
    EXPECT_EQ(-1, pages->ListSelectedRow(page::kList, kCheckList)) << none;
  }
  EXPECT_TRUE(pages->ListGetCheck(page::kList, kCheckList, 1));

  pages->ListSetCheck(page::kList, kCheckList, 1, false);
  EXPECT_FALSE(pages->ListGetCheck(page::kList, kCheckList, 1));
}

TEST_P(PageHostConformance, ListCheckAndSelectionMoveWithTheirRow) {
  AddRows(*pages, page::kList, kCheckList, {"a", "b"});
  pages->ListSetCheck(page::kList, kCheckList, 1, true);
  pages->ListSelectRow(page::kList, kCheckList, 1);
  pages->ListInsertItem(page::kList, kCheckList, 0, "z");
  EXPECT_EQ(2, pages->ListSelectedRow(page::kList, kCheckList));
  EXPECT_TRUE(pages->ListGetCheck(page::kList, kCheckList, 2));
  EXPECT_FALSE(pages->ListGetCheck(page::kList, kCheckList, 1));
  EXPECT_FALSE(pages->ListGetCheck(page::kList, kCheckList, 0));
}

TEST_P(PageHostConformance, ListRowsOutsideTheListAreNotChecked) {
  AddRows(*pages, page::kList, kCheckList, {"a", "b"});
  pages->ListSetCheck(page::kList, kCheckList, -1, true);
  pages->ListSetCheck(page::kList, kCheckList, 2, true);
  for (int row = 0; row < 2; ++row) EXPECT_FALSE(pages->ListGetCheck(page::kList, kCheckList, row));
  EXPECT_FALSE(pages->ListGetCheck(page::kList, kCheckList, 2));
}

TEST_P(PageHostConformance, ListDeleteAllItemsKeepsTheColumns) {
  int counter = 0;
  ShowOverview(*pages, counter, 295, 99);
  AddRows(*pages, kListPage, kList, {"a", "b"});
  pages->ListSetCheck(kListPage, kList, 0, true);
  pages->ListSelectRow(kListPage, kList, 0);
  pages->ListDeleteAllItems(kListPage, kList);
  EXPECT_EQ(0, pages->ListItemCount(kListPage, kList));
  EXPECT_EQ(-1, pages->ListSelectedRow(kListPage, kList));
  EXPECT_EQ(2, pages->ListColumnCount(kListPage, kList));

  pages->ListInsertItem(kListPage, kList, 0, "c");  // a new row 0 inherits nothing
  EXPECT_FALSE(pages->ListGetCheck(kListPage, kList, 0));
  EXPECT_EQ(-1, pages->ListSelectedRow(kListPage, kList));
}

// Unknown IDs and calls of the wrong kind.

TEST_P(PageHostConformance, UnknownPagesAndControlsAnswerLikeAnEmptyHiddenControl) {
  struct Target {
    int pageId;
    int controlId;
  };
  pages->ShowPage(999, true);
  EXPECT_FALSE(pages->IsPageVisible(999));

  const Target unknown[] = {{999, kDescription}, {page::kListCheck, 9999}, {page::kMainWindow, kDescription}};
  for (const Target& t : unknown) {
    SCOPED_TRACE(std::to_string(t.pageId) + "/" + std::to_string(t.controlId));
    pages->ShowControl(t.pageId, t.controlId, true);
    pages->EnableControl(t.pageId, t.controlId, true);
    pages->SetText(t.pageId, t.controlId, "text");
    pages->SetCheck(t.pageId, t.controlId, 1);
    pages->ComboReset(t.pageId, t.controlId);
    pages->ListDeleteAllItems(t.pageId, t.controlId);
    pages->ListSetCheck(t.pageId, t.controlId, 0, true);
    pages->ListSelectRow(t.pageId, t.controlId, 0);

    EXPECT_FALSE(pages->IsControlVisible(t.pageId, t.controlId));
    EXPECT_FALSE(pages->IsControlEnabled(t.pageId, t.controlId));
    EXPECT_EQ("", pages->GetText(t.pageId, t.controlId));
    EXPECT_EQ(0, pages->GetCheck(t.pageId, t.controlId));

    EXPECT_EQ(kComboError, pages->ComboAddString(t.pageId, t.controlId, "a"));
    EXPECT_EQ(kComboError, pages->ComboSetItemData(t.pageId, t.controlId, 0, 1));
    EXPECT_EQ(kComboErrorData, pages->ComboGetItemData(t.pageId, t.controlId, 0));
    EXPECT_EQ(0, pages->ComboCount(t.pageId, t.controlId));
    EXPECT_EQ(kComboError, pages->ComboSetCurSel(t.pageId, t.controlId, 0));
    EXPECT_EQ(kComboError, pages->ComboGetCurSel(t.pageId, t.controlId));
    EXPECT_EQ(kComboError, pages->ComboFindString(t.pageId, t.controlId, -1, "a"));
    EXPECT_EQ(kComboError, pages->ComboFindStringExact(t.pageId, t.controlId, -1, "a"));
    EXPECT_EQ(kComboError, pages->ComboSelectString(t.pageId, t.controlId, -1, "a"));
    EXPECT_EQ("", pages->ComboItemText(t.pageId, t.controlId, 0));

    EXPECT_EQ(-1, pages->ListInsertColumn(t.pageId, t.controlId, 0, "Name", 295, ColumnAlign::kLeft));
    EXPECT_FALSE(pages->ListDeleteColumn(t.pageId, t.controlId, 0));
    EXPECT_EQ(0, pages->ListColumnCount(t.pageId, t.controlId));
    EXPECT_EQ("", pages->ListColumnHeading(t.pageId, t.controlId, 0));
    EXPECT_EQ(0, pages->ListColumnWidth(t.pageId, t.controlId, 0));
    EXPECT_EQ(-1, pages->ListInsertItem(t.pageId, t.controlId, 0, "a"));
    EXPECT_FALSE(pages->ListSetItemText(t.pageId, t.controlId, 0, 0, "a"));
    EXPECT_EQ("", pages->ListItemText(t.pageId, t.controlId, 0, 0));
    EXPECT_EQ(0, pages->ListItemCount(t.pageId, t.controlId));
    EXPECT_FALSE(pages->ListGetCheck(t.pageId, t.controlId, 0));
    EXPECT_EQ(-1, pages->ListSelectedRow(t.pageId, t.controlId));
  }
}

TEST_P(PageHostConformance, CallsOfAnotherKindChangeNothing) {
  // Combo and list calls on a check box.
  pages->SetCheck(page::kSingleCombo, kCheck1, 1);
  pages->ComboReset(page::kSingleCombo, kCheck1);
  pages->ListDeleteAllItems(page::kSingleCombo, kCheck1);
  EXPECT_EQ(kComboError, pages->ComboAddString(page::kSingleCombo, kCheck1, "a"));
  EXPECT_EQ(kComboError, pages->ComboGetCurSel(page::kSingleCombo, kCheck1));
  EXPECT_EQ(-1, pages->ListInsertItem(page::kSingleCombo, kCheck1, 0, "a"));
  EXPECT_EQ("Check1", pages->GetText(page::kSingleCombo, kCheck1));
  EXPECT_EQ(1, pages->GetCheck(page::kSingleCombo, kCheck1));

  // List calls on a combo box keep its items.
  pages->ComboAddString(page::kSingleCombo, kCombo1021, "5");
  pages->ListDeleteAllItems(page::kSingleCombo, kCombo1021);
  EXPECT_EQ(-1, pages->ListInsertColumn(page::kSingleCombo, kCombo1021, 0, "Name", 10, ColumnAlign::kLeft));
  EXPECT_EQ(0, pages->ListItemCount(page::kSingleCombo, kCombo1021));
  EXPECT_EQ(1, pages->ComboCount(page::kSingleCombo, kCombo1021));

  // Combo calls on a list view keep its rows.
  pages->ListInsertItem(page::kList, kCheckList, 0, "a");
  pages->ComboReset(page::kList, kCheckList);
  EXPECT_EQ(0, pages->ComboCount(page::kList, kCheckList));
  EXPECT_EQ(kComboError, pages->ComboSetCurSel(page::kList, kCheckList, 0));
  EXPECT_EQ(1, pages->ListItemCount(page::kList, kCheckList));
  EXPECT_EQ(-1, pages->ListSelectedRow(page::kList, kCheckList));
}

}  // namespace
}  // namespace corvandel

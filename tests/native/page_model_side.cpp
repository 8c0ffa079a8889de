// The page model on the page seam's conformance cases, plus the rules the
// model decides for itself where the Win32 controls leave a choice.
#include <gtest/gtest.h>

#include "conformance/page_conformance.h"
#include "pages/page_model.h"

namespace corvandel {
namespace {

std::unique_ptr<IPageHost> MakePageModel() { return std::make_unique<PageModel>(); }

INSTANTIATE_TEST_SUITE_P(Model, PageHostConformance, ::testing::Values(PageHostSide{"PageModel", &MakePageModel}),
                         PageHostSideName);

constexpr int kCombo = 1021;  // CEditComboPage: drop-down, unsorted

TEST(PageModel, EmptyTextFindsNothingInACombo) {
  PageModel pages;
  pages.ComboAddString(page::kEditCombo, kCombo, "");
  pages.ComboAddString(page::kEditCombo, kCombo, "a");
  EXPECT_EQ(kComboError, pages.ComboFindString(page::kEditCombo, kCombo, -1, ""));
  EXPECT_EQ(kComboError, pages.ComboFindStringExact(page::kEditCombo, kCombo, -1, ""));
  EXPECT_EQ(kComboError, pages.ComboSelectString(page::kEditCombo, kCombo, -1, ""));
}

TEST(PageModel, ComboSearchFromAnIndexOutsideTheListStartsAtTheFirstItem) {
  PageModel pages;
  for (const char* text : {"ab", "abc"}) pages.ComboAddString(page::kEditCombo, kCombo, text);
  for (int start : {-5, 2, 40}) EXPECT_EQ(0, pages.ComboFindString(page::kEditCombo, kCombo, start, "ab")) << start;
}

TEST(PageModel, NegativeListPositionsInsertNothing) {
  PageModel pages;
  EXPECT_EQ(-1, pages.ListInsertItem(page::kList, 1009, -1, "a"));
  EXPECT_EQ(-1, pages.ListInsertColumn(page::kList, 1009, -1, "Name", 10, ColumnAlign::kLeft));
  EXPECT_EQ(0, pages.ListItemCount(page::kList, 1009));
  EXPECT_EQ(0, pages.ListColumnCount(page::kList, 1009));
}

TEST(PageModel, ColumnChangesLeaveRowTextsByColumnIndex) {
  // The pages change columns only on an empty list; with rows present the
  // model keeps each text at its column index.
  PageModel pages;
  pages.ListInsertColumn(page::kListCheck, 1007, 0, "Name", 295, ColumnAlign::kLeft);
  pages.ListInsertColumn(page::kListCheck, 1007, 1, "Data Modified", 99, ColumnAlign::kLeft);
  pages.ListInsertItem(page::kListCheck, 1007, 0, "Echo Off");
  pages.ListSetItemText(page::kListCheck, 1007, 0, 1, "3/7/2007");
  pages.ListDeleteColumn(page::kListCheck, 1007, 0);
  EXPECT_EQ("Echo Off", pages.ListItemText(page::kListCheck, 1007, 0, 0));
  EXPECT_EQ("3/7/2007", pages.ListItemText(page::kListCheck, 1007, 0, 1));
}

}  // namespace
}  // namespace corvandel

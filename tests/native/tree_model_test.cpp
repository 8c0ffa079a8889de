#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "nav/tree_model.h"
#include "nav/tweak_table.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

// TweakIds written as inclusive ranges, as the catalogue lists them ("46-50").
struct IdRange {
  int first;
  int last;
  IdRange(int id) : first(id), last(id) {}  // implicit: a single id is a range of one
  IdRange(int a, int b) : first(a), last(b) {}
};

std::vector<int> Ids(std::initializer_list<IdRange> ranges) {
  std::vector<int> ids;
  for (const IdRange& range : ranges) {
    for (int id = range.first; id <= range.last; ++id) ids.push_back(id);
  }
  return ids;
}

const std::set<int> kCategoryIds = {0, 51, 78, 95, 122, 155, 177, 211, 226, 273};
const std::set<int> kGroupIds = {1, 13, 25, 30, 38, 52, 60, 96, 123, 125, 137, 178, 187, 227, 239, 250, 274, 281, 288};
const std::set<int> kRootTweakIds = {306, 307, 308, 309};
// Table rows that are not in the tree and have no routines.
const std::set<int> kRoutineLessIds = {4,   25,  26,  27,  28,  29,  31,  42,  45,  55,  79,  81,  88,  106,
                                       120, 121, 132, 135, 144, 145, 149, 150, 153, 157, 174, 190, 222, 238,
                                       246, 251, 252, 260, 261, 271, 282, 291, 293, 294, 298, 304};

TEST(TreeModel, HasOneRowPerTweakIdInNumberOrder) {
  const auto rows = TreeRows();
  ASSERT_EQ(static_cast<std::size_t>(kTweakCount), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(static_cast<int>(i), rows[i].tweakId);
}

TEST(TreeModel, KindsFollowTheCatalogue) {
  ASSERT_EQ(40u, kRoutineLessIds.size());
  int tweaksInTree = 0;
  for (const TreeRow& row : TreeRows()) {
    SCOPED_TRACE(row.tweakId);
    NodeKind expected = NodeKind::kTweak;
    if (kCategoryIds.count(row.tweakId)) expected = NodeKind::kCategory;
    if (kGroupIds.count(row.tweakId)) expected = NodeKind::kGroup;
    if (kRootTweakIds.count(row.tweakId)) expected = NodeKind::kRootTweak;
    EXPECT_EQ(expected, row.kind);
    const bool isTweak = row.kind == NodeKind::kTweak || row.kind == NodeKind::kRootTweak;
    if (isTweak && CatalogueDispatch().HasLoadRoutine(row.tweakId)) ++tweaksInTree;
  }
  EXPECT_EQ(242, tweaksInTree);  // the catalogue's tweaks, the four root-level ones included
}

TEST(TreeModel, TreeHoldsThe270RowsWithRoutinesInNumberOrder) {
  const std::vector<TreeRow> nodes = CatalogueDispatch().TreeNodes();
  ASSERT_EQ(270u, nodes.size());
  std::vector<int> expected;
  for (int id = 0; id < kTweakCount; ++id) {
    if (kRoutineLessIds.count(id) == 0) expected.push_back(id);
  }
  std::vector<int> actual;
  for (const TreeRow& node : nodes) actual.push_back(node.tweakId);
  EXPECT_EQ(expected, actual);
}

// Checks that `rows` nest as a depth-first listing: every parent comes before
// its children and is still open (the previous row or one of its ancestors).
void ExpectDepthFirstNesting(std::span<const TreeRow> rows) {
  std::map<int, const TreeRow*> seen;  // by TweakId
  const TreeRow* previous = nullptr;
  for (const TreeRow& row : rows) {
    SCOPED_TRACE(row.tweakId);
    switch (row.kind) {
      case NodeKind::kCategory:
      case NodeKind::kRootTweak:
        EXPECT_EQ(kNoParent, row.parentId);
        break;
      case NodeKind::kGroup:
        ASSERT_TRUE(seen.count(row.parentId));
        EXPECT_EQ(NodeKind::kCategory, seen[row.parentId]->kind);
        break;
      case NodeKind::kTweak:
        ASSERT_TRUE(seen.count(row.parentId));
        EXPECT_TRUE(IsBold(seen[row.parentId]->kind)) << "a tweak hangs under a category or group";
        break;
    }
    if (row.parentId != kNoParent) {
      EXPECT_LT(row.parentId, row.tweakId);
      ASSERT_NE(nullptr, previous);
      bool open = false;
      for (const TreeRow* at = previous; at != nullptr;
           at = at->parentId == kNoParent ? nullptr : seen[at->parentId]) {
        if (at->tweakId == row.parentId) open = true;
      }
      EXPECT_TRUE(open) << "parent " << row.parentId << " is not open after " << previous->tweakId;
    }
    seen[row.tweakId] = &row;
    previous = &row;
  }
}

TEST(TreeModel, TheListingNestsDepthFirst) { ExpectDepthFirstNesting(TreeRows()); }

// The tree build appends each node under a parent it has already inserted.
TEST(TreeModel, TreeNodesNestDepthFirstUnderTreeNodes) { ExpectDepthFirstNesting(CatalogueDispatch().TreeNodes()); }

TEST(TreeModel, RootLevelTweaksFollowTheLastCategory) {
  const std::vector<TreeRow> nodes = CatalogueDispatch().TreeNodes();
  std::vector<int> rootLevel;
  for (const TreeRow& node : nodes) {
    if (node.parentId == kNoParent) rootLevel.push_back(node.tweakId);
  }
  EXPECT_EQ((std::vector<int>{0, 51, 78, 95, 122, 155, 177, 211, 226, 273, 306, 307, 308, 309}), rootLevel);
}

TEST(TreeModel, CategoriesAndGroupsAreBoldTweaksAreNot) {
  for (const TreeRow& node : CatalogueDispatch().TreeNodes()) {
    const bool categoryOrGroup = kCategoryIds.count(node.tweakId) || kGroupIds.count(node.tweakId);
    EXPECT_EQ(categoryOrGroup, IsBold(node.kind)) << node.tweakId;
  }
}

TEST(TreeModel, NodeTextIsTheTableTitleExceptWhereTheTreeSpellsItDifferently) {
  const TweakTable table = BuildTweakTable();
  const std::map<int, std::string> ownText = {
      {58, "Remove the Minimize, Maximize and Close Tooltips"},
      {159, "Change the Default login Screen Saver"},
      {161, "Change the login Screen Background Color"},
      {163, "Customize the Windows login and Security Dialog Titles"},
      {171, "Legal Notice Dialog Box Before login"},
  };
  for (const TreeRow& node : CatalogueDispatch().TreeNodes()) {
    SCOPED_TRACE(node.tweakId);
    const std::string& title = table[static_cast<std::size_t>(node.tweakId)].title;
    const auto own = ownText.find(node.tweakId);
    if (own != ownText.end()) {
      EXPECT_EQ(own->second, NodeText(node));
      EXPECT_NE(title, NodeText(node));
    } else {
      EXPECT_EQ(title, NodeText(node));
    }
  }
}

// A language file rewrites titles and TweakIds of the table; the tree keeps
// its own texts and takes each node's item data and image from its row.
TEST(TreeModel, TreeItemsKeepTheListedTextsOverATranslatedTable) {
  TweakTable table = BuildTweakTable();
  for (TweakEntry& entry : table) entry.title = "translated " + entry.title;
  table[2].tweakId = 3;
  table[2].image = 7;

  const std::vector<TreeItem> items = TreeItems(table, CatalogueDispatch());
  const std::vector<TreeRow> nodes = CatalogueDispatch().TreeNodes();
  ASSERT_EQ(nodes.size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(nodes[i].tweakId);
    EXPECT_EQ(nodes[i].tweakId, items[i].row.tweakId);
    EXPECT_EQ(NodeText(nodes[i]), items[i].text);
    EXPECT_EQ(std::string::npos, items[i].text.find("translated"));
  }
  EXPECT_EQ("Command Processor", items[1].text);
  EXPECT_EQ("Add Command Prompt Option to Every Folder", items[2].text);
  EXPECT_EQ(3, items[2].tweakId);
  EXPECT_EQ(7, items[2].image);
  EXPECT_EQ(1, items[1].tweakId);

  // A table cut short (as no start-up leaves it) gives no node for the rows it lacks.
  table.resize(3);
  EXPECT_EQ(3u, TreeItems(table, CatalogueDispatch()).size());
}

TEST(DispatchTables, EveryTreeNodeLoadsAndEveryTreeTweakButOneApplies) {
  int applies = 0;
  for (int id = 0; id < kTweakCount; ++id) {
    SCOPED_TRACE(id);
    const bool inTree = kRoutineLessIds.count(id) == 0;
    const bool categoryOrGroup = kCategoryIds.count(id) || kGroupIds.count(id);
    EXPECT_EQ(inTree, CatalogueDispatch().HasLoadRoutine(id));
    EXPECT_EQ(inTree && !categoryOrGroup && id != 259, CatalogueDispatch().HasApplyRoutine(id));
    if (CatalogueDispatch().HasApplyRoutine(id)) ++applies;
  }
  EXPECT_EQ(241, applies);
  // "Configure Windows Software Update Services" only shows its settings
  EXPECT_TRUE(CatalogueDispatch().HasLoadRoutine(259));
}

TEST(DispatchTables, HandlerRangesMeetAtTheirBoundaries) {
  const std::map<int, Category> boundaries = {
      {0, Category::kAccessories},
      {50, Category::kAccessories},
      {51, Category::kAppearance},
      {77, Category::kAppearance},
      {78, Category::kDesktop},
      {94, Category::kDesktop},
      {95, Category::kExplorer},
      {121, Category::kExplorer},
      {122, Category::kFileSystem},
      {154, Category::kFileSystem},
      {155, Category::kLoginAndAuthentication},
      {176, Category::kLoginAndAuthentication},
      {177, Category::kStartMenuAndTaskbar},
      {210, Category::kStartMenuAndTaskbar},
      {211, Category::kStartupAndShutdown},
      {225, Category::kStartupAndShutdown},
      {226, Category::kSystem},
      {272, Category::kSystem},
      {273, Category::kTroubleshooting},
      {305, Category::kTroubleshooting},
      {306, Category::kRootLevel},
      {309, Category::kRootLevel},
  };
  for (const auto& [id, category] : boundaries) EXPECT_EQ(category, CategoryOf(id)) << id;
}

// The handler ranges and the tree must agree: each row belongs to the handler
// of the category it hangs under.
TEST(DispatchTables, EachRowsHandlerIsThatOfItsCategory) {
  for (const TreeRow& row : TreeRows()) {
    SCOPED_TRACE(row.tweakId);
    const TreeRow* top = &row;
    while (top->parentId != kNoParent) top = FindTreeRow(top->parentId);
    if (row.kind == NodeKind::kRootTweak) {
      EXPECT_EQ(Category::kRootLevel, CategoryOf(row.tweakId));
    } else {
      ASSERT_EQ(NodeKind::kCategory, top->kind);
      EXPECT_EQ(CategoryOf(top->tweakId), CategoryOf(row.tweakId));
    }
  }
}

TEST(GroupOverviews, ListTheLoadableTweaksDirectlyUnderTheNode) {
  const std::map<int, std::vector<int>> overviews = {
      {0, Ids({43, 44, {46, 50}})},
      {1, Ids({2, 3, {5, 12}})},
      {13, Ids({{14, 24}})},
      {30, Ids({{32, 37}})},
      {38, Ids({{39, 41}})},
      {51, Ids({{68, 77}})},
      {52, Ids({53, 54, {56, 59}})},
      {60, Ids({{61, 67}})},
      {78, Ids({80, {82, 87}, {89, 94}})},
      {95, Ids({{103, 105}, {107, 119}})},
      {96, Ids({{97, 102}})},
      {122, Ids({142, 143, {146, 148}, 151, 152, 154})},
      {123, Ids({124})},
      {125, Ids({{126, 131}, 133, 134, 136})},
      {137, Ids({{138, 141}})},
      {155, Ids({156, {158, 173}, 175, 176})},
      {177, Ids({{196, 210}})},
      {178, Ids({{179, 186}})},
      {187, Ids({188, 189, {191, 195}})},
      {211, Ids({{212, 221}, {223, 225}})},
      {226, Ids({{256, 259}, {262, 270}, 272})},
      {227, Ids({{228, 237}})},
      {239, Ids({{240, 245}, {247, 249}})},
      {250, Ids({{253, 255}})},
      {273, Ids({{295, 297}, {299, 303}, 305})},
      {274, Ids({{275, 280}})},
      {281, Ids({{283, 287}})},
      {288, Ids({289, 290, 292})},
  };
  for (int id = -1; id <= kTweakCount; ++id) {
    const auto overview = overviews.find(id);
    const std::vector<int> expected = overview != overviews.end() ? overview->second : std::vector<int>{};
    EXPECT_EQ(expected, CatalogueDispatch().OverviewTweakIds(id)) << id;
  }
}

TEST(OutOfRangeTweakIds, HaveNoRowNoRoutinesNoCategoryAndNoOverview) {
  for (int id : {-1, -2, kTweakCount, kTweakCount + 1, 1000, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(nullptr, FindTreeRow(id));
    EXPECT_FALSE(CatalogueDispatch().HasLoadRoutine(id));
    EXPECT_FALSE(CatalogueDispatch().HasApplyRoutine(id));
    EXPECT_FALSE(CategoryOf(id).has_value());
    EXPECT_TRUE(CatalogueDispatch().OverviewTweakIds(id).empty());
  }
}

}  // namespace
}  // namespace corvandel

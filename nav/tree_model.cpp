#include "nav/tree_model.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "nav/tweak_table.h"

namespace corvandel {
namespace {

using enum NodeKind;
using enum Routines;

// One row per TweakId, nested as the tree shows them. The node text is given
// only where the tree spells a title differently from the titles table.
constexpr TreeRow kRows[] = {
    // id  kind        parent     routines       node text

    // Accessories
    {  0, kCategory,  kNoParent, kLoadOnly},
    //   Accessories > Command Processor
    {  1, kGroup,     0,         kLoadOnly},
    {  2, kTweak,     1,         kLoadAndApply},
    {  3, kTweak,     1,         kLoadAndApply},
    {  4, kTweak,     1,         kNone},
    {  5, kTweak,     1,         kLoadAndApply},
    {  6, kTweak,     1,         kLoadAndApply},
    {  7, kTweak,     1,         kLoadAndApply},
    {  8, kTweak,     1,         kLoadAndApply},
    {  9, kTweak,     1,         kLoadAndApply},
    { 10, kTweak,     1,         kLoadAndApply},
    { 11, kTweak,     1,         kLoadAndApply},
    { 12, kTweak,     1,         kLoadAndApply},
    //   Accessories > Dr Watson
    { 13, kGroup,     0,         kLoadOnly},
    { 14, kTweak,     13,        kLoadAndApply},
    { 15, kTweak,     13,        kLoadAndApply},
    { 16, kTweak,     13,        kLoadAndApply},
    { 17, kTweak,     13,        kLoadAndApply},
    { 18, kTweak,     13,        kLoadAndApply},
    { 19, kTweak,     13,        kLoadAndApply},
    { 20, kTweak,     13,        kLoadAndApply},
    { 21, kTweak,     13,        kLoadAndApply},
    { 22, kTweak,     13,        kLoadAndApply},
    { 23, kTweak,     13,        kLoadAndApply},
    { 24, kTweak,     13,        kLoadAndApply},
    //   Accessories > Registry Editor
    { 25, kGroup,     0,         kNone},
    { 26, kTweak,     25,        kNone},
    { 27, kTweak,     25,        kNone},
    { 28, kTweak,     25,        kNone},
    { 29, kTweak,     25,        kNone},
    //   Accessories > Task Scheduler
    { 30, kGroup,     0,         kLoadOnly},
    { 31, kTweak,     30,        kNone},
    { 32, kTweak,     30,        kLoadAndApply},
    { 33, kTweak,     30,        kLoadAndApply},
    { 34, kTweak,     30,        kLoadAndApply},
    { 35, kTweak,     30,        kLoadAndApply},
    { 36, kTweak,     30,        kLoadAndApply},
    { 37, kTweak,     30,        kLoadAndApply},
    //   Accessories > Windows Installer
    { 38, kGroup,     0,         kLoadOnly},
    { 39, kTweak,     38,        kLoadAndApply},
    { 40, kTweak,     38,        kLoadAndApply},
    { 41, kTweak,     38,        kLoadAndApply},
    { 42, kTweak,     0,         kNone},
    { 43, kTweak,     0,         kLoadAndApply},
    { 44, kTweak,     0,         kLoadAndApply},
    { 45, kTweak,     0,         kNone},
    { 46, kTweak,     0,         kLoadAndApply},
    { 47, kTweak,     0,         kLoadAndApply},
    { 48, kTweak,     0,         kLoadAndApply},
    { 49, kTweak,     0,         kLoadAndApply},
    { 50, kTweak,     0,         kLoadAndApply},

    // Appearance
    { 51, kCategory,  kNoParent, kLoadOnly},
    //   Appearance > Effects and Menus
    { 52, kGroup,     51,        kLoadOnly},
    { 53, kTweak,     52,        kLoadAndApply},
    { 54, kTweak,     52,        kLoadAndApply},
    { 55, kTweak,     52,        kNone},
    { 56, kTweak,     52,        kLoadAndApply},
    { 57, kTweak,     52,        kLoadAndApply},
    { 58, kTweak,     52,        kLoadAndApply, "Remove the Minimize, Maximize and Close Tooltips"},
    { 59, kTweak,     52,        kLoadAndApply},
    //   Appearance > Fonts and Icons
    { 60, kGroup,     51,        kLoadOnly},
    { 61, kTweak,     60,        kLoadAndApply},
    { 62, kTweak,     60,        kLoadAndApply},
    { 63, kTweak,     60,        kLoadAndApply},
    { 64, kTweak,     60,        kLoadAndApply},
    { 65, kTweak,     60,        kLoadAndApply},
    { 66, kTweak,     60,        kLoadAndApply},
    { 67, kTweak,     60,        kLoadAndApply},
    { 68, kTweak,     51,        kLoadAndApply},
    { 69, kTweak,     51,        kLoadAndApply},
    { 70, kTweak,     51,        kLoadAndApply},
    { 71, kTweak,     51,        kLoadAndApply},
    { 72, kTweak,     51,        kLoadAndApply},
    { 73, kTweak,     51,        kLoadAndApply},
    { 74, kTweak,     51,        kLoadAndApply},
    { 75, kTweak,     51,        kLoadAndApply},
    { 76, kTweak,     51,        kLoadAndApply},
    { 77, kTweak,     51,        kLoadAndApply},

    // Desktop
    { 78, kCategory,  kNoParent, kLoadOnly},
    { 79, kTweak,     78,        kNone},
    { 80, kTweak,     78,        kLoadAndApply},
    { 81, kTweak,     78,        kNone},
    { 82, kTweak,     78,        kLoadAndApply},
    { 83, kTweak,     78,        kLoadAndApply},
    { 84, kTweak,     78,        kLoadAndApply},
    { 85, kTweak,     78,        kLoadAndApply},
    { 86, kTweak,     78,        kLoadAndApply},
    { 87, kTweak,     78,        kLoadAndApply},
    { 88, kTweak,     78,        kNone},
    { 89, kTweak,     78,        kLoadAndApply},
    { 90, kTweak,     78,        kLoadAndApply},
    { 91, kTweak,     78,        kLoadAndApply},
    { 92, kTweak,     78,        kLoadAndApply},
    { 93, kTweak,     78,        kLoadAndApply},
    { 94, kTweak,     78,        kLoadAndApply},

    // Explorer
    { 95, kCategory,  kNoParent, kLoadOnly},
    //   Explorer > Search
    { 96, kGroup,     95,        kLoadOnly},
    { 97, kTweak,     96,        kLoadAndApply},
    { 98, kTweak,     96,        kLoadAndApply},
    { 99, kTweak,     96,        kLoadAndApply},
    {100, kTweak,     96,        kLoadAndApply},
    {101, kTweak,     96,        kLoadAndApply},
    {102, kTweak,     96,        kLoadAndApply},
    {103, kTweak,     95,        kLoadAndApply},
    {104, kTweak,     95,        kLoadAndApply},
    {105, kTweak,     95,        kLoadAndApply},
    {106, kTweak,     95,        kNone},
    {107, kTweak,     95,        kLoadAndApply},
    {108, kTweak,     95,        kLoadAndApply},
    {109, kTweak,     95,        kLoadAndApply},
    {110, kTweak,     95,        kLoadAndApply},
    {111, kTweak,     95,        kLoadAndApply},
    {112, kTweak,     95,        kLoadAndApply},
    {113, kTweak,     95,        kLoadAndApply},
    {114, kTweak,     95,        kLoadAndApply},
    {115, kTweak,     95,        kLoadAndApply},
    {116, kTweak,     95,        kLoadAndApply},
    {117, kTweak,     95,        kLoadAndApply},
    {118, kTweak,     95,        kLoadAndApply},
    {119, kTweak,     95,        kLoadAndApply},
    {120, kTweak,     95,        kNone},
    {121, kTweak,     95,        kNone},

    // File System
    {122, kCategory,  kNoParent, kLoadOnly},
    //   File System > Caching and Memory
    {123, kGroup,     122,       kLoadOnly},
    {124, kTweak,     123,       kLoadAndApply},
    //   File System > Files and Shortcuts
    {125, kGroup,     122,       kLoadOnly},
    {126, kTweak,     125,       kLoadAndApply},
    {127, kTweak,     125,       kLoadAndApply},
    {128, kTweak,     125,       kLoadAndApply},
    {129, kTweak,     125,       kLoadAndApply},
    {130, kTweak,     125,       kLoadAndApply},
    {131, kTweak,     125,       kLoadAndApply},
    {132, kTweak,     125,       kNone},
    {133, kTweak,     125,       kLoadAndApply},
    {134, kTweak,     125,       kLoadAndApply},
    {135, kTweak,     125,       kNone},
    {136, kTweak,     125,       kLoadAndApply},
    //   File System > Maintenance
    {137, kGroup,     122,       kLoadOnly},
    {138, kTweak,     137,       kLoadAndApply},
    {139, kTweak,     137,       kLoadAndApply},
    {140, kTweak,     137,       kLoadAndApply},
    {141, kTweak,     137,       kLoadAndApply},
    {142, kTweak,     122,       kLoadAndApply},
    {143, kTweak,     122,       kLoadAndApply},
    {144, kTweak,     122,       kNone},
    {145, kTweak,     122,       kNone},
    {146, kTweak,     122,       kLoadAndApply},
    {147, kTweak,     122,       kLoadAndApply},
    {148, kTweak,     122,       kLoadAndApply},
    {149, kTweak,     122,       kNone},
    {150, kTweak,     122,       kNone},
    {151, kTweak,     122,       kLoadAndApply},
    {152, kTweak,     122,       kLoadAndApply},
    {153, kTweak,     122,       kNone},
    {154, kTweak,     122,       kLoadAndApply},

    // Login and Authentication
    {155, kCategory,  kNoParent, kLoadOnly},
    {156, kTweak,     155,       kLoadAndApply},
    {157, kTweak,     155,       kNone},
    {158, kTweak,     155,       kLoadAndApply},
    {159, kTweak,     155,       kLoadAndApply, "Change the Default login Screen Saver"},
    {160, kTweak,     155,       kLoadAndApply},
    {161, kTweak,     155,       kLoadAndApply, "Change the login Screen Background Color"},
    {162, kTweak,     155,       kLoadAndApply},
    {163, kTweak,     155,       kLoadAndApply, "Customize the Windows login and Security Dialog Titles"},
    {164, kTweak,     155,       kLoadAndApply},
    {165, kTweak,     155,       kLoadAndApply},
    {166, kTweak,     155,       kLoadAndApply},
    {167, kTweak,     155,       kLoadAndApply},
    {168, kTweak,     155,       kLoadAndApply},
    {169, kTweak,     155,       kLoadAndApply},
    {170, kTweak,     155,       kLoadAndApply},
    {171, kTweak,     155,       kLoadAndApply, "Legal Notice Dialog Box Before login"},
    {172, kTweak,     155,       kLoadAndApply},
    {173, kTweak,     155,       kLoadAndApply},
    {174, kTweak,     155,       kNone},
    {175, kTweak,     155,       kLoadAndApply},
    {176, kTweak,     155,       kLoadAndApply},

    // Start Menu and Taskbar
    {177, kCategory,  kNoParent, kLoadOnly},
    //   Start Menu and Taskbar > Documents and Folders
    {178, kGroup,     177,       kLoadOnly},
    {179, kTweak,     178,       kLoadAndApply},
    {180, kTweak,     178,       kLoadAndApply},
    {181, kTweak,     178,       kLoadAndApply},
    {182, kTweak,     178,       kLoadAndApply},
    {183, kTweak,     178,       kLoadAndApply},
    {184, kTweak,     178,       kLoadAndApply},
    {185, kTweak,     178,       kLoadAndApply},
    {186, kTweak,     178,       kLoadAndApply},
    //   Start Menu and Taskbar > Taskbar
    {187, kGroup,     177,       kLoadOnly},
    {188, kTweak,     187,       kLoadAndApply},
    {189, kTweak,     187,       kLoadAndApply},
    {190, kTweak,     187,       kNone},
    {191, kTweak,     187,       kLoadAndApply},
    {192, kTweak,     187,       kLoadAndApply},
    {193, kTweak,     187,       kLoadAndApply},
    {194, kTweak,     187,       kLoadAndApply},
    {195, kTweak,     187,       kLoadAndApply},
    {196, kTweak,     177,       kLoadAndApply},
    {197, kTweak,     177,       kLoadAndApply},
    {198, kTweak,     177,       kLoadAndApply},
    {199, kTweak,     177,       kLoadAndApply},
    {200, kTweak,     177,       kLoadAndApply},
    {201, kTweak,     177,       kLoadAndApply},
    {202, kTweak,     177,       kLoadAndApply},
    {203, kTweak,     177,       kLoadAndApply},
    {204, kTweak,     177,       kLoadAndApply},
    {205, kTweak,     177,       kLoadAndApply},
    {206, kTweak,     177,       kLoadAndApply},
    {207, kTweak,     177,       kLoadAndApply},
    {208, kTweak,     177,       kLoadAndApply},
    {209, kTweak,     177,       kLoadAndApply},
    {210, kTweak,     177,       kLoadAndApply},

    // Start up and Shutdown
    {211, kCategory,  kNoParent, kLoadOnly},
    {212, kTweak,     211,       kLoadAndApply},
    {213, kTweak,     211,       kLoadAndApply},
    {214, kTweak,     211,       kLoadAndApply},
    {215, kTweak,     211,       kLoadAndApply},
    {216, kTweak,     211,       kLoadAndApply},
    {217, kTweak,     211,       kLoadAndApply},
    {218, kTweak,     211,       kLoadAndApply},
    {219, kTweak,     211,       kLoadAndApply},
    {220, kTweak,     211,       kLoadAndApply},
    {221, kTweak,     211,       kLoadAndApply},
    {222, kTweak,     211,       kNone},
    {223, kTweak,     211,       kLoadAndApply},
    {224, kTweak,     211,       kLoadAndApply},
    {225, kTweak,     211,       kLoadAndApply},

    // System
    {226, kCategory,  kNoParent, kLoadOnly},
    //   System > Scripts
    {227, kGroup,     226,       kLoadOnly},
    {228, kTweak,     227,       kLoadAndApply},
    {229, kTweak,     227,       kLoadAndApply},
    {230, kTweak,     227,       kLoadAndApply},
    {231, kTweak,     227,       kLoadAndApply},
    {232, kTweak,     227,       kLoadAndApply},
    {233, kTweak,     227,       kLoadAndApply},
    {234, kTweak,     227,       kLoadAndApply},
    {235, kTweak,     227,       kLoadAndApply},
    {236, kTweak,     227,       kLoadAndApply},
    {237, kTweak,     227,       kLoadAndApply},
    {238, kTweak,     226,       kNone},
    //   System > Services
    {239, kGroup,     226,       kLoadOnly},
    {240, kTweak,     239,       kLoadAndApply},
    {241, kTweak,     239,       kLoadAndApply},
    {242, kTweak,     239,       kLoadAndApply},
    {243, kTweak,     239,       kLoadAndApply},
    {244, kTweak,     239,       kLoadAndApply},
    {245, kTweak,     239,       kLoadAndApply},
    {246, kTweak,     239,       kNone},
    {247, kTweak,     239,       kLoadAndApply},
    {248, kTweak,     239,       kLoadAndApply},
    {249, kTweak,     239,       kLoadAndApply},
    //   System > Windows File Checker
    {250, kGroup,     226,       kLoadOnly},
    {251, kTweak,     250,       kNone},
    {252, kTweak,     250,       kNone},
    {253, kTweak,     250,       kLoadAndApply},
    {254, kTweak,     250,       kLoadAndApply},
    {255, kTweak,     250,       kLoadAndApply},
    {256, kTweak,     226,       kLoadAndApply},
    {257, kTweak,     226,       kLoadAndApply},
    {258, kTweak,     226,       kLoadAndApply},
    {259, kTweak,     226,       kLoadOnly},
    {260, kTweak,     226,       kNone},
    {261, kTweak,     226,       kNone},
    {262, kTweak,     226,       kLoadAndApply},
    {263, kTweak,     226,       kLoadAndApply},
    {264, kTweak,     226,       kLoadAndApply},
    {265, kTweak,     226,       kLoadAndApply},
    {266, kTweak,     226,       kLoadAndApply},
    {267, kTweak,     226,       kLoadAndApply},
    {268, kTweak,     226,       kLoadAndApply},
    {269, kTweak,     226,       kLoadAndApply},
    {270, kTweak,     226,       kLoadAndApply},
    {271, kTweak,     226,       kNone},
    {272, kTweak,     226,       kLoadAndApply},

    // Troubleshooting
    {273, kCategory,  kNoParent, kLoadOnly},
    //   Troubleshooting > Crash Control
    {274, kGroup,     273,       kLoadOnly},
    {275, kTweak,     274,       kLoadAndApply},
    {276, kTweak,     274,       kLoadAndApply},
    {277, kTweak,     274,       kLoadAndApply},
    {278, kTweak,     274,       kLoadAndApply},
    {279, kTweak,     274,       kLoadAndApply},
    {280, kTweak,     274,       kLoadAndApply},
    //   Troubleshooting > Logging
    {281, kGroup,     273,       kLoadOnly},
    {282, kTweak,     281,       kNone},
    {283, kTweak,     281,       kLoadAndApply},
    {284, kTweak,     281,       kLoadAndApply},
    {285, kTweak,     281,       kLoadAndApply},
    {286, kTweak,     281,       kLoadAndApply},
    {287, kTweak,     281,       kLoadAndApply},
    //   Troubleshooting > Repair
    {288, kGroup,     273,       kLoadOnly},
    {289, kTweak,     288,       kLoadAndApply},
    {290, kTweak,     288,       kLoadAndApply},
    {291, kTweak,     288,       kNone},
    {292, kTweak,     288,       kLoadAndApply},
    {293, kTweak,     288,       kNone},
    {294, kTweak,     288,       kNone},
    {295, kTweak,     273,       kLoadAndApply},
    {296, kTweak,     273,       kLoadAndApply},
    {297, kTweak,     273,       kLoadAndApply},
    {298, kTweak,     273,       kNone},
    {299, kTweak,     273,       kLoadAndApply},
    {300, kTweak,     273,       kLoadAndApply},
    {301, kTweak,     273,       kLoadAndApply},
    {302, kTweak,     273,       kLoadAndApply},
    {303, kTweak,     273,       kLoadAndApply},
    {304, kTweak,     273,       kNone},
    {305, kTweak,     273,       kLoadAndApply},

    // root-level tweaks
    {306, kRootTweak, kNoParent, kLoadAndApply},
    {307, kRootTweak, kNoParent, kLoadAndApply},
    {308, kRootTweak, kNoParent, kLoadAndApply},
    {309, kRootTweak, kNoParent, kLoadAndApply},
};

static_assert(std::size(kRows) == kTweakCount);

// First TweakId of each handler's range, in the order of Category; the last
// range ends at kTweakCount.
constexpr std::array<int, kCategoryCount> kFirstIdOfCategory = {
    0,    // Accessories
    51,   // Appearance
    78,   // Desktop
    95,   // Explorer
    122,  // File System
    155,  // Login and Authentication
    177,  // Start Menu and Taskbar
    211,  // Start up and Shutdown
    226,  // System
    273,  // Troubleshooting
    306,  // root-level tweaks
};

}  // namespace

std::span<const TreeRow> TreeRows() { return kRows; }

const TreeRow* FindTreeRow(int tweakId) {
  if (tweakId < 0 || tweakId >= kTweakCount) return nullptr;
  return &kRows[tweakId];
}

std::vector<TreeRow> TreeNodes() {
  std::vector<TreeRow> nodes;
  for (const TreeRow& row : kRows) {
    if (row.routines != kNone) nodes.push_back(row);
  }
  return nodes;
}

bool IsBold(NodeKind kind) { return kind == kCategory || kind == kGroup; }

std::string NodeText(const TreeRow& row) {
  return std::string(row.nodeText != nullptr ? std::string_view(row.nodeText) : BuiltInTitle(row.tweakId));
}

std::vector<TreeItem> TreeItems(const TweakTable& table) {
  std::vector<TreeItem> items;
  for (const TreeRow& row : TreeNodes()) {
    if (const TweakEntry* entry = FindRow(table, row.tweakId))
      items.push_back({row, NodeText(row), entry->tweakId, entry->image});
  }
  return items;
}

bool HasLoadRoutine(int tweakId) {
  const TreeRow* row = FindTreeRow(tweakId);
  return row != nullptr && row->routines != kNone;
}

bool HasApplyRoutine(int tweakId) {
  const TreeRow* row = FindTreeRow(tweakId);
  return row != nullptr && row->routines == kLoadAndApply;
}

std::vector<int> OverviewTweakIds(int nodeId) {
  std::vector<int> ids;
  if (!HasLoadRoutine(nodeId)) return ids;
  for (const TreeRow& row : kRows) {
    if (row.parentId == nodeId && row.kind == kTweak && row.routines != kNone) ids.push_back(row.tweakId);
  }
  return ids;
}

std::optional<Category> CategoryOf(int tweakId) {
  if (tweakId < 0 || tweakId >= kTweakCount) return std::nullopt;
  int category = kCategoryCount - 1;
  while (tweakId < kFirstIdOfCategory[static_cast<std::size_t>(category)]) --category;
  return static_cast<Category>(category);
}

}  // namespace corvandel

#include "nav/tree_model.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "nav/tweak_table.h"

namespace corvandel {
namespace {

using enum NodeKind;

// One row per TweakId, nested as the tree shows them. The node text is given
// only where the tree spells a title differently from the titles table.
constexpr TreeRow kRows[] = {
    // id  kind        parent     node text

    // Accessories
    {  0, kCategory,  kNoParent},
    //   Accessories > Command Processor
    {  1, kGroup,     0},
    {  2, kTweak,     1},
    {  3, kTweak,     1},
    {  4, kTweak,     1},
    {  5, kTweak,     1},
    {  6, kTweak,     1},
    {  7, kTweak,     1},
    {  8, kTweak,     1},
    {  9, kTweak,     1},
    { 10, kTweak,     1},
    { 11, kTweak,     1},
    { 12, kTweak,     1},
    //   Accessories > Dr Watson
    { 13, kGroup,     0},
    { 14, kTweak,     13},
    { 15, kTweak,     13},
    { 16, kTweak,     13},
    { 17, kTweak,     13},
    { 18, kTweak,     13},
    { 19, kTweak,     13},
    { 20, kTweak,     13},
    { 21, kTweak,     13},
    { 22, kTweak,     13},
    { 23, kTweak,     13},
    { 24, kTweak,     13},
    //   Accessories > Registry Editor
    { 25, kGroup,     0},
    { 26, kTweak,     25},
    { 27, kTweak,     25},
    { 28, kTweak,     25},
    { 29, kTweak,     25},
    //   Accessories > Task Scheduler
    { 30, kGroup,     0},
    { 31, kTweak,     30},
    { 32, kTweak,     30},
    { 33, kTweak,     30},
    { 34, kTweak,     30},
    { 35, kTweak,     30},
    { 36, kTweak,     30},
    { 37, kTweak,     30},
    //   Accessories > Windows Installer
    { 38, kGroup,     0},
    { 39, kTweak,     38},
    { 40, kTweak,     38},
    { 41, kTweak,     38},
    { 42, kTweak,     0},
    { 43, kTweak,     0},
    { 44, kTweak,     0},
    { 45, kTweak,     0},
    { 46, kTweak,     0},
    { 47, kTweak,     0},
    { 48, kTweak,     0},
    { 49, kTweak,     0},
    { 50, kTweak,     0},

    // Appearance
    { 51, kCategory,  kNoParent},
    //   Appearance > Effects and Menus
    { 52, kGroup,     51},
    { 53, kTweak,     52},
    { 54, kTweak,     52},
    { 55, kTweak,     52},
    { 56, kTweak,     52},
    { 57, kTweak,     52},
    { 58, kTweak,     52,        "Remove the Minimize, Maximize and Close Tooltips"},
    { 59, kTweak,     52},
    //   Appearance > Fonts and Icons
    { 60, kGroup,     51},
    { 61, kTweak,     60},
    { 62, kTweak,     60},
    { 63, kTweak,     60},
    { 64, kTweak,     60},
    { 65, kTweak,     60},
    { 66, kTweak,     60},
    { 67, kTweak,     60},
    { 68, kTweak,     51},
    { 69, kTweak,     51},
    { 70, kTweak,     51},
    { 71, kTweak,     51},
    { 72, kTweak,     51},
    { 73, kTweak,     51},
    { 74, kTweak,     51},
    { 75, kTweak,     51},
    { 76, kTweak,     51},
    { 77, kTweak,     51},

    // Desktop
    { 78, kCategory,  kNoParent},
    { 79, kTweak,     78},
    { 80, kTweak,     78},
    { 81, kTweak,     78},
    { 82, kTweak,     78},
    { 83, kTweak,     78},
    { 84, kTweak,     78},
    { 85, kTweak,     78},
    { 86, kTweak,     78},
    { 87, kTweak,     78},
    { 88, kTweak,     78},
    { 89, kTweak,     78},
    { 90, kTweak,     78},
    { 91, kTweak,     78},
    { 92, kTweak,     78},
    { 93, kTweak,     78},
    { 94, kTweak,     78},

    // Explorer
    { 95, kCategory,  kNoParent},
    //   Explorer > Search
    { 96, kGroup,     95},
    { 97, kTweak,     96},
    { 98, kTweak,     96},
    { 99, kTweak,     96},
    {100, kTweak,     96},
    {101, kTweak,     96},
    {102, kTweak,     96},
    {103, kTweak,     95},
    {104, kTweak,     95},
    {105, kTweak,     95},
    {106, kTweak,     95},
    {107, kTweak,     95},
    {108, kTweak,     95},
    {109, kTweak,     95},
    {110, kTweak,     95},
    {111, kTweak,     95},
    {112, kTweak,     95},
    {113, kTweak,     95},
    {114, kTweak,     95},
    {115, kTweak,     95},
    {116, kTweak,     95},
    {117, kTweak,     95},
    {118, kTweak,     95},
    {119, kTweak,     95},
    {120, kTweak,     95},
    {121, kTweak,     95},

    // File System
    {122, kCategory,  kNoParent},
    //   File System > Caching and Memory
    {123, kGroup,     122},
    {124, kTweak,     123},
    //   File System > Files and Shortcuts
    {125, kGroup,     122},
    {126, kTweak,     125},
    {127, kTweak,     125},
    {128, kTweak,     125},
    {129, kTweak,     125},
    {130, kTweak,     125},
    {131, kTweak,     125},
    {132, kTweak,     125},
    {133, kTweak,     125},
    {134, kTweak,     125},
    {135, kTweak,     125},
    {136, kTweak,     125},
    //   File System > Maintenance
    {137, kGroup,     122},
    {138, kTweak,     137},
    {139, kTweak,     137},
    {140, kTweak,     137},
    {141, kTweak,     137},
    {142, kTweak,     122},
    {143, kTweak,     122},
    {144, kTweak,     122},
    {145, kTweak,     122},
    {146, kTweak,     122},
    {147, kTweak,     122},
    {148, kTweak,     122},
    {149, kTweak,     122},
    {150, kTweak,     122},
    {151, kTweak,     122},
    {152, kTweak,     122},
    {153, kTweak,     122},
    {154, kTweak,     122},

    // Login and Authentication
    {155, kCategory,  kNoParent},
    {156, kTweak,     155},
    {157, kTweak,     155},
    {158, kTweak,     155},
    {159, kTweak,     155, "Change the Default login Screen Saver"},
    {160, kTweak,     155},
    {161, kTweak,     155, "Change the login Screen Background Color"},
    {162, kTweak,     155},
    {163, kTweak,     155, "Customize the Windows login and Security Dialog Titles"},
    {164, kTweak,     155},
    {165, kTweak,     155},
    {166, kTweak,     155},
    {167, kTweak,     155},
    {168, kTweak,     155},
    {169, kTweak,     155},
    {170, kTweak,     155},
    {171, kTweak,     155, "Legal Notice Dialog Box Before login"},
    {172, kTweak,     155},
    {173, kTweak,     155},
    {174, kTweak,     155},
    {175, kTweak,     155},
    {176, kTweak,     155},

    // Start Menu and Taskbar
    {177, kCategory,  kNoParent},
    //   Start Menu and Taskbar > Documents and Folders
    {178, kGroup,     177},
    {179, kTweak,     178},
    {180, kTweak,     178},
    {181, kTweak,     178},
    {182, kTweak,     178},
    {183, kTweak,     178},
    {184, kTweak,     178},
    {185, kTweak,     178},
    {186, kTweak,     178},
    //   Start Menu and Taskbar > Taskbar
    {187, kGroup,     177},
    {188, kTweak,     187},
    {189, kTweak,     187},
    {190, kTweak,     187},
    {191, kTweak,     187},
    {192, kTweak,     187},
    {193, kTweak,     187},
    {194, kTweak,     187},
    {195, kTweak,     187},
    {196, kTweak,     177},
    {197, kTweak,     177},
    {198, kTweak,     177},
    {199, kTweak,     177},
    {200, kTweak,     177},
    {201, kTweak,     177},
    {202, kTweak,     177},
    {203, kTweak,     177},
    {204, kTweak,     177},
    {205, kTweak,     177},
    {206, kTweak,     177},
    {207, kTweak,     177},
    {208, kTweak,     177},
    {209, kTweak,     177},
    {210, kTweak,     177},

    // Start up and Shutdown
    {211, kCategory,  kNoParent},
    {212, kTweak,     211},
    {213, kTweak,     211},
    {214, kTweak,     211},
    {215, kTweak,     211},
    {216, kTweak,     211},
    {217, kTweak,     211},
    {218, kTweak,     211},
    {219, kTweak,     211},
    {220, kTweak,     211},
    {221, kTweak,     211},
    {222, kTweak,     211},
    {223, kTweak,     211},
    {224, kTweak,     211},
    {225, kTweak,     211},

    // System
    {226, kCategory,  kNoParent},
    //   System > Scripts
    {227, kGroup,     226},
    {228, kTweak,     227},
    {229, kTweak,     227},
    {230, kTweak,     227},
    {231, kTweak,     227},
    {232, kTweak,     227},
    {233, kTweak,     227},
    {234, kTweak,     227},
    {235, kTweak,     227},
    {236, kTweak,     227},
    {237, kTweak,     227},
    {238, kTweak,     226},
    //   System > Services
    {239, kGroup,     226},
    {240, kTweak,     239},
    {241, kTweak,     239},
    {242, kTweak,     239},
    {243, kTweak,     239},
    {244, kTweak,     239},
    {245, kTweak,     239},
    {246, kTweak,     239},
    {247, kTweak,     239},
    {248, kTweak,     239},
    {249, kTweak,     239},
    //   System > Windows File Checker
    {250, kGroup,     226},
    {251, kTweak,     250},
    {252, kTweak,     250},
    {253, kTweak,     250},
    {254, kTweak,     250},
    {255, kTweak,     250},
    {256, kTweak,     226},
    {257, kTweak,     226},
    {258, kTweak,     226},
    {259, kTweak,     226},
    {260, kTweak,     226},
    {261, kTweak,     226},
    {262, kTweak,     226},
    {263, kTweak,     226},
    {264, kTweak,     226},
    {265, kTweak,     226},
    {266, kTweak,     226},
    {267, kTweak,     226},
    {268, kTweak,     226},
    {269, kTweak,     226},
    {270, kTweak,     226},
    {271, kTweak,     226},
    {272, kTweak,     226},

    // Troubleshooting
    {273, kCategory,  kNoParent},
    //   Troubleshooting > Crash Control
    {274, kGroup,     273},
    {275, kTweak,     274},
    {276, kTweak,     274},
    {277, kTweak,     274},
    {278, kTweak,     274},
    {279, kTweak,     274},
    {280, kTweak,     274},
    //   Troubleshooting > Logging
    {281, kGroup,     273},
    {282, kTweak,     281},
    {283, kTweak,     281},
    {284, kTweak,     281},
    {285, kTweak,     281},
    {286, kTweak,     281},
    {287, kTweak,     281},
    //   Troubleshooting > Repair
    {288, kGroup,     273},
    {289, kTweak,     288},
    {290, kTweak,     288},
    {291, kTweak,     288},
    {292, kTweak,     288},
    {293, kTweak,     288},
    {294, kTweak,     288},
    {295, kTweak,     273},
    {296, kTweak,     273},
    {297, kTweak,     273},
    {298, kTweak,     273},
    {299, kTweak,     273},
    {300, kTweak,     273},
    {301, kTweak,     273},
    {302, kTweak,     273},
    {303, kTweak,     273},
    {304, kTweak,     273},
    {305, kTweak,     273},

    // root-level tweaks
    {306, kRootTweak, kNoParent},
    {307, kRootTweak, kNoParent},
    {308, kRootTweak, kNoParent},
    {309, kRootTweak, kNoParent},
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

bool IsBold(NodeKind kind) { return kind == kCategory || kind == kGroup; }

std::string NodeText(const TreeRow& row) {
  return std::string(row.nodeText != nullptr ? std::string_view(row.nodeText) : BuiltInTitle(row.tweakId));
}

std::optional<Category> CategoryOf(int tweakId) {
  if (!FindTreeRow(tweakId)) return std::nullopt;
  int category = kCategoryCount - 1;
  while (tweakId < kFirstIdOfCategory[static_cast<std::size_t>(category)]) --category;
  return static_cast<Category>(category);
}

}  // namespace corvandel

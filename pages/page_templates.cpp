#include "pages/page_templates.h"

#include <algorithm>

#include "pages/page_host.h"

namespace corvandel {
namespace {

using enum ControlKind;
using namespace style;

constexpr bool kVisible = true;
constexpr bool kHidden = false;

constexpr SkinStep kNoSkin{};
constexpr SkinStep Check(int step) { return {SkinLook::kCheckBox, step}; }
constexpr SkinStep Label(int step) { return {SkinLook::kLabel, step}; }
constexpr SkinStep Button(int step) { return {SkinLook::kButton, step}; }

constexpr ResetStep kKept{};
constexpr ResetStep Hide(int step) { return {step}; }
constexpr ResetStep HideEnable(int step) { return {step, true}; }
constexpr ResetStep HideEnableUnmask(int step) { return {step, true, true}; }

constexpr bool kMoves = true;  // with the splitter bar
constexpr bool kStays = false;

constexpr unsigned kEditBox = kBorder | kAutoHScroll;
constexpr unsigned kListCommon = kSingleSel | kShowSelAlways | kShareImageLists | kAlignLeft | kBorder;
constexpr unsigned kComboAlwaysScroll = kDropDown | kVScroll | kDisableNoScroll;
constexpr unsigned kComboHScroll = kDropDown | kAutoHScroll;
constexpr unsigned kComboHScrollAlwaysScroll = kDropDown | kAutoHScroll | kVScroll | kDisableNoScroll;
constexpr unsigned kColorComboBox = kDropDownList | kOwnerDrawFixed | kHasStrings | kSorted | kVScroll;

// Page rectangles in the main window: all pages overlap; 171 is one unit wider.
constexpr DialogRect kPageRect{215, 20, 296, 218};
constexpr DialogRect kWidePageRect{215, 20, 297, 218};

// Each row: ID, kind, text, rectangle, styles, shown at creation, skin step,
// reset step, whether it follows the splitter.

// Group overviews, and tweaks with a check box over a list.
constexpr ControlTemplate kListCheckControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 45},   kSunken,                                   kVisible, Label(2),   kKept,               kMoves},
    {1013, kCheckBox,   "Check1", {19, 58, 261, 12},   0,                                         kHidden,  Check(1),   Hide(2),             kMoves},
    {1007, kListView,   "List1",  {24, 78, 246, 123},  kReport | kListCommon,                     kHidden,  kNoSkin,    Hide(1),             kMoves},
};

// Up to ten check boxes. The note overlaps the lower boxes, so a routine that
// shows many boxes leaves the note hidden or empty.
constexpr ControlTemplate kMultiCheckControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 50},   kSunken,                                   kVisible, Label(11),  kKept,               kMoves},
    {1013, kCheckBox,   "Check1", {18, 64, 269, 12},   0,                                         kHidden,  Check(1),   Hide(2),             kMoves},
    {1018, kCheckBox,   "Check2", {18, 78, 269, 12},   0,                                         kHidden,  Check(2),   Hide(3),             kMoves},
    {1028, kCheckBox,   "Check2", {18, 91, 269, 12},   0,                                         kHidden,  Check(3),   Hide(4),             kMoves},
    {1032, kCheckBox,   "Check2", {18, 104, 269, 12},  0,                                         kHidden,  Check(4),   Hide(5),             kMoves},
    {1033, kCheckBox,   "Check2", {18, 117, 269, 12},  0,                                         kHidden,  Check(5),   Hide(6),             kMoves},
    {1034, kCheckBox,   "Check1", {18, 130, 269, 12},  0,                                         kHidden,  Check(6),   Hide(7),             kMoves},
    {1035, kCheckBox,   "Check2", {18, 143, 269, 12},  0,                                         kHidden,  Check(7),   Hide(8),             kMoves},
    {1036, kCheckBox,   "Check2", {18, 156, 269, 12},  0,                                         kHidden,  Check(8),   Hide(9),             kMoves},
    {1037, kCheckBox,   "Check2", {18, 169, 269, 12},  0,                                         kHidden,  Check(9),   Hide(10),            kMoves},
    {1038, kCheckBox,   "Check2", {18, 182, 269, 12},  0,                                         kHidden,  Check(10),  Hide(11),            kMoves},
    {1024, kStatic,     "Note",   {22, 146, 249, 65},  0,                                         kVisible, Label(12),  Hide(1),             kMoves},
};

// Two check boxes and three edit rows with browse buttons.
constexpr ControlTemplate kEditCheckControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 51},   kSunken,                                   kVisible, Label(3),   kKept,               kMoves},
    {1013, kCheckBox,   "Check1", {22, 65, 253, 12},   0,                                         kVisible, Check(1),   HideEnable(2),       kMoves},
    {1014, kStatic,     "Lable1", {24, 81, 115, 15},   0,                                         kVisible, Label(5),   Hide(4),             kMoves},
    {1015, kEdit,       "",       {141, 81, 107, 15},  kEditBox,                                  kVisible, kNoSkin,    HideEnable(7),       kMoves},
    {1023, kPushButton, "...",    {253, 80, 36, 17},   0,                                         kVisible, Button(8),  HideEnable(10),      kStays},
    {1019, kStatic,     "Lable2", {24, 100, 115, 15},  0,                                         kVisible, Label(6),   Hide(5),             kMoves},
    {1017, kEdit,       "",       {141, 100, 107, 15}, kEditBox,                                  kVisible, kNoSkin,    HideEnableUnmask(8), kMoves},
    {1026, kPushButton, "...",    {253, 99, 36, 17},   0,                                         kVisible, Button(9),  Hide(11),            kStays},
    {1020, kStatic,     "Lable3", {24, 119, 115, 15},  0,                                         kVisible, Label(7),   Hide(6),             kMoves},
    {1025, kEdit,       "",       {141, 119, 107, 15}, kEditBox,                                  kVisible, kNoSkin,    Hide(9),             kMoves},
    {1027, kPushButton, "...",    {253, 119, 36, 17},  0,                                         kVisible, Button(10), Hide(12),            kStays},
    {1018, kCheckBox,   "Check2", {22, 139, 253, 12},  0,                                         kVisible, Check(2),   Hide(3),             kMoves},
    {1024, kStatic,     "Note",   {22, 159, 260, 39},  0,                                         kVisible, Label(4),   Hide(1),             kMoves},
};

// A check box, two combo rows and the colour picker; combo 1021 and colour
// combo 1055 share one place and a load routine shows one of them.
constexpr ControlTemplate kComboCheckControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 53},   kSunken,                                   kVisible, Label(2),   kKept,               kMoves},
    {1013, kCheckBox,   "Check1", {23, 72, 253, 12},   0,                                         kVisible, Check(1),   Hide(1),             kMoves},
    {1014, kStatic,     "Lable1", {30, 90, 119, 24},   0,                                         kVisible, Label(4),   Hide(5),             kMoves},
    {1021, kComboBox,   "",       {153, 90, 122, 77},  kComboAlwaysScroll,                        kVisible, kNoSkin,    HideEnable(2),       kMoves},
    {1055, kComboBox,   "",       {153, 90, 122, 116}, kColorComboBox,                            kVisible, kNoSkin,    Hide(4),             kMoves},
    {1019, kStatic,     "Lable2", {30, 120, 119, 15},  0,                                         kVisible, Label(5),   Hide(6),             kMoves},
    {1022, kComboBox,   "",       {153, 120, 122, 66}, kComboHScroll,                             kVisible, kNoSkin,    Hide(3),             kMoves},
    {1024, kStatic,     "Note",   {35, 144, 254, 54},  0,                                         kVisible, Label(3),   Hide(7),             kMoves},
};

// A check list.
constexpr ControlTemplate kListControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 52},   kSunken,                                   kVisible, Label(1),   kKept,               kMoves},
    {1009, kListView,   "List1",  {21, 77, 249, 120},  kListMode | kNoColumnHeader | kListCommon, kVisible, kNoSkin,    Hide(1),             kMoves},
};

// Five label / edit / browse rows.
constexpr ControlTemplate kEditBrowseControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 53},   kSunken,                                   kVisible, Label(6),   kKept,               kMoves},
    {1014, kStatic,     "Lable1", {24, 72, 109, 15},   0,                                         kVisible, Label(1),   kKept,               kMoves},
    {1015, kEdit,       "",       {137, 71, 114, 15},  kEditBox,                                  kVisible, kNoSkin,    kKept,               kMoves},
    {1023, kPushButton, "...",    {256, 71, 36, 17},   0,                                         kVisible, Button(7),  kKept,               kStays},
    {1019, kStatic,     "Lable2", {24, 92, 109, 15},   0,                                         kVisible, Label(2),   kKept,               kMoves},
    {1017, kEdit,       "",       {137, 92, 114, 15},  kEditBox,                                  kVisible, kNoSkin,    kKept,               kMoves},
    {1026, kPushButton, "...",    {256, 90, 36, 17},   0,                                         kVisible, Button(8),  kKept,               kStays},
    {1020, kStatic,     "Lable3", {24, 112, 109, 15},  0,                                         kVisible, Label(3),   kKept,               kMoves},
    {1025, kEdit,       "",       {137, 111, 114, 15}, kEditBox,                                  kVisible, kNoSkin,    kKept,               kMoves},
    {1027, kPushButton, "...",    {256, 110, 36, 17},  0,                                         kVisible, Button(9),  kKept,               kStays},
    {1039, kStatic,     "Lable4", {24, 132, 109, 15},  0,                                         kVisible, Label(4),   kKept,               kMoves},
    {1042, kEdit,       "",       {137, 132, 114, 15}, kEditBox,                                  kVisible, kNoSkin,    kKept,               kMoves},
    {1048, kPushButton, "...",    {256, 130, 36, 17},  0,                                         kVisible, Button(10), kKept,               kStays},
    {1041, kStatic,     "Lable5", {24, 152, 109, 15},  0,                                         kVisible, Label(5),   kKept,               kMoves},
    {1049, kEdit,       "",       {137, 151, 114, 15}, kEditBox,                                  kVisible, kNoSkin,    kKept,               kMoves},
    {1050, kPushButton, "...",    {256, 150, 36, 17},  0,                                         kVisible, Button(11), kKept,               kStays},
};

// Six label / combo rows.
constexpr ControlTemplate kMultiComboControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 52},   kSunken,                                   kVisible, Label(7),   kKept,               kMoves},
    {1014, kStatic,     "Lable1", {24, 69, 125, 12},   0,                                         kVisible, Label(1),   kKept,               kMoves},
    {1021, kComboBox,   "",       {154, 69, 121, 77},  kComboAlwaysScroll,                        kVisible, kNoSkin,    kKept,               kMoves},
    {1019, kStatic,     "Lable2", {24, 89, 125, 12},   0,                                         kVisible, Label(2),   kKept,               kMoves},
    {1022, kComboBox,   "",       {154, 89, 121, 66},  kComboHScroll,                             kVisible, kNoSkin,    kKept,               kMoves},
    {1020, kStatic,     "Lable3", {24, 109, 125, 12},  0,                                         kVisible, Label(3),   kKept,               kMoves},
    {1029, kComboBox,   "",       {154, 109, 121, 77}, kComboHScrollAlwaysScroll,                 kVisible, kNoSkin,    kKept,               kMoves},
    {1039, kStatic,     "Lable4", {24, 129, 125, 12},  0,                                         kVisible, Label(4),   kKept,               kMoves},
    {1030, kComboBox,   "",       {154, 129, 121, 77}, kComboHScrollAlwaysScroll,                 kVisible, kNoSkin,    kKept,               kMoves},
    {1041, kStatic,     "Lable5", {24, 149, 125, 12},  0,                                         kVisible, Label(5),   kKept,               kMoves},
    {1031, kComboBox,   "",       {154, 149, 121, 77}, kComboHScrollAlwaysScroll,                 kVisible, kNoSkin,    kKept,               kMoves},
    {1046, kStatic,     "Lable6", {24, 169, 125, 12},  0,                                         kVisible, Label(6),   kKept,               kMoves},
    {1043, kComboBox,   "",       {154, 169, 121, 77}, kComboHScrollAlwaysScroll,                 kVisible, kNoSkin,    kKept,               kMoves},
};

// An edit or a combo in row 1 (same place), combo boxes below.
constexpr ControlTemplate kEditComboControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 54},   kSunken,                                   kVisible, Label(5),   kKept,               kMoves},
    {1014, kStatic,     "Lable1", {26, 74, 127, 15},   0,                                         kVisible, Label(1),   kKept,               kMoves},
    {1015, kEdit,       "",       {157, 74, 121, 15},  kEditBox,                                  kHidden,  kNoSkin,    Hide(1),             kMoves},
    {1030, kComboBox,   "",       {157, 75, 121, 66},  kDropDown,                                 kHidden,  kNoSkin,    Hide(2),             kStays},
    {1019, kStatic,     "Lable2", {26, 96, 127, 15},   0,                                         kVisible, Label(2),   kKept,               kMoves},
    {1021, kComboBox,   "",       {157, 96, 121, 66},  kComboHScroll,                             kVisible, kNoSkin,    kKept,               kMoves},
    {1020, kStatic,     "Lable3", {26, 118, 127, 15},  0,                                         kVisible, Label(3),   kKept,               kMoves},
    {1022, kComboBox,   "",       {157, 118, 121, 66}, kDropDown,                                 kVisible, kNoSkin,    kKept,               kMoves},
    {1039, kStatic,     "Lable4", {26, 140, 127, 15},  0,                                         kVisible, Label(4),   kKept,               kStays},
    {1029, kComboBox,   "",       {157, 140, 121, 66}, kDropDown,                                 kVisible, kNoSkin,    kKept,               kMoves},
    {1024, kStatic,     "Note",   {27, 163, 254, 48},  0,                                         kVisible, Label(6),   kKept,               kStays},
};

// A check box and one numeric combo.
constexpr ControlTemplate kSingleComboControls[] = {
    {1006, kStatic,     "",       {22, 10, 252, 55},   kSunken,                                   kVisible, Label(2),   kKept,               kMoves},
    {1013, kCheckBox,   "Check1", {23, 72, 253, 12},   0,                                         kVisible, Check(1),   kKept,               kMoves},
    {1014, kStatic,     "Lable1", {30, 90, 120, 15},   0,                                         kVisible, Label(4),   kKept,               kStays},
    {1021, kComboBox,   "",       {153, 90, 122, 77},  kComboAlwaysScroll,                        kVisible, kNoSkin,    kKept,               kMoves},
    {1024, kStatic,     "Note",   {23, 144, 254, 53},  0,                                         kVisible, Label(3),   kKept,               kMoves},
};

constexpr PageTemplate kPages[] = {
    {page::kListCheck,   "CListCheckPage",   kPageRect,     kListCheckControls},
    {page::kMultiCheck,  "CMultiCheckPage",  kPageRect,     kMultiCheckControls},
    {page::kEditCheck,   "CEditCheckPage",   kWidePageRect, kEditCheckControls},
    {page::kComboCheck,  "CComboCheckPage",  kPageRect,     kComboCheckControls},
    {page::kList,        "CListPage",        kPageRect,     kListControls},
    {page::kEditBrowse,  "CEditBrowsePage",  kPageRect,     kEditBrowseControls},
    {page::kMultiCombo,  "CMultiComboPage",  kPageRect,     kMultiComboControls},
    {page::kEditCombo,   "CEditComboPage",   kPageRect,     kEditComboControls},
    {page::kSingleCombo, "CSingleComboPage", kPageRect,     kSingleComboControls},
};

// Enter presses the Apply button because it is the default push button; it
// is shown only while a page that can be applied is up.
constexpr ControlTemplate kMainWindowControls[] = {
    {page::kApplyButton, kPushButton, "Apply Changes", {317, 225, 72, 16}, kDefault, kHidden},
};

constexpr PageTemplate kMainWindow{page::kMainWindow, "CMainDlg", {0, 0, 523, 251}, kMainWindowControls};

}  // namespace

std::span<const PageTemplate> PageTemplates() { return kPages; }

const PageTemplate& MainWindowTemplate() { return kMainWindow; }

const PageTemplate* FindTemplate(int templateId) {
  if (templateId == kMainWindow.id) return &kMainWindow;
  for (const PageTemplate& page : kPages) {
    if (page.id == templateId) return &page;
  }
  return nullptr;
}

const ControlTemplate* FindControl(int templateId, int controlId) {
  const PageTemplate* page = FindTemplate(templateId);
  if (page == nullptr) return nullptr;
  for (const ControlTemplate& control : page->controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

bool ListHasCheckBoxes(int pageId, int controlId) { return pageId == page::kList && controlId == control::kCheckList; }

namespace {

template <typename StepOf>
std::vector<const ControlTemplate*> InStepOrder(const PageTemplate& page, StepOf stepOf) {
  std::vector<const ControlTemplate*> ordered;
  for (const ControlTemplate& control : page.controls)
    if (stepOf(control) != 0) ordered.push_back(&control);
  std::sort(ordered.begin(), ordered.end(),
            [&](const ControlTemplate* a, const ControlTemplate* b) { return stepOf(*a) < stepOf(*b); });
  return ordered;
}

}  // namespace

std::vector<const ControlTemplate*> SkinHookupOrder(const PageTemplate& page) {
  return InStepOrder(page, [](const ControlTemplate& control) { return control.skin.step; });
}

std::vector<const ControlTemplate*> ResetOrder(const PageTemplate& page) {
  return InStepOrder(page, [](const ControlTemplate& control) { return control.reset.step; });
}

}  // namespace corvandel

// The nine page dialog templates and the main window's Apply button, as data:
// the one place that says which controls a page has, in template order, with
// their texts, rectangles, styles and visibility at creation, and what the
// program does with each afterwards (skin, reset, splitter). The page model
// is built from it, the Win32 pages build their dialog templates and skin
// hookups from it, the reset and the splitter walk it.
#pragma once

#include <span>
#include <vector>

namespace corvandel {

// What a control is; its variant (sunken, drop-down list, report view, ...)
// is in its style flags. Every kind but kStatic is a tab stop.
enum class ControlKind {
  kStatic,      // "STATIC"
  kCheckBox,    // auto check box (two states)
  kEdit,        // single-line edit
  kPushButton,  // push button; style::kDefault makes it the default one
  kComboBox,    // style::kDropDown or style::kDropDownList
  kListView,    // style::kReport or style::kListMode
};

// Style details of a control, one bit each; the Win32 pages map them to the
// matching window, static, edit, combo box and list view styles.
namespace style {
inline constexpr unsigned kSunken = 1u << 0;            // static: sunken edge
inline constexpr unsigned kDefault = 1u << 1;           // push button: default button
inline constexpr unsigned kBorder = 1u << 2;            // edit, list view: thin border
inline constexpr unsigned kAutoHScroll = 1u << 3;       // edit, combo: text scrolls horizontally
inline constexpr unsigned kVScroll = 1u << 4;           // vertical scroll bar
inline constexpr unsigned kDisableNoScroll = 1u << 5;   // combo: scroll bar always shown
inline constexpr unsigned kDropDown = 1u << 6;          // combo: edit field and drop-down list
inline constexpr unsigned kDropDownList = 1u << 7;      // combo: drop-down list, no edit field
inline constexpr unsigned kOwnerDrawFixed = 1u << 8;    // combo: items drawn by the owner
inline constexpr unsigned kHasStrings = 1u << 9;        // owner-drawn combo keeps its item texts
inline constexpr unsigned kSorted = 1u << 10;           // combo: items kept in sorted order
inline constexpr unsigned kReport = 1u << 11;           // list view: report (details) view
inline constexpr unsigned kListMode = 1u << 12;         // list view: list view mode
inline constexpr unsigned kSingleSel = 1u << 13;        // list view: one selected row at most
inline constexpr unsigned kShowSelAlways = 1u << 14;    // list view: selection shown without focus
inline constexpr unsigned kShareImageLists = 1u << 15;  // list view: does not own its image lists
inline constexpr unsigned kNoColumnHeader = 1u << 16;   // list view: no header
inline constexpr unsigned kAlignLeft = 1u << 17;        // list view: items aligned left
}  // namespace style

// A rectangle in dialog units.
struct DialogRect {
  int x;
  int y;
  int width;
  int height;
};

// The skin engine's element a page's skin hookup gives a control.
enum class SkinLook : unsigned char {
  kNone,  // keeps the system's look (edits, combo boxes, list views)
  kCheckBox,
  kLabel,
  kButton,
};

// A page's skin hookup dresses its controls one by one, in step order, after
// the page itself; the first failure stops it.
struct SkinStep {
  SkinLook look = SkinLook::kNone;
  int step = 0;
};

// The reset before every load hides a page's controls with a step, in step
// order, then enables those marked so, then shows their text again where a
// routine masked it, both in the same order. Step 0: the reset leaves the
// control as a routine left it.
struct ResetStep {
  int step = 0;
  bool enables = false;
  bool unmasks = false;
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;  // template text; load routines overwrite the placeholders
  DialogRect rect;   // combo boxes: height includes the dropped list
  unsigned styles;   // style:: flags
  bool visible;      // visible when the page is created
  SkinStep skin = {};
  ResetStep reset = {};
  // The left edge follows the splitter bar (a hundredth of the distance per
  // pixel of the page's width); the "..." buttons and a few others stay.
  bool followsSplitter = false;
};

// A page dialog: a hidden child window without caption at rect in the main
// window's client area, font kPageFontSize kPageFontName.
struct PageTemplate {
  int id;                 // dialog template ID
  const char* className;  // the page class, e.g. "CListCheckPage"
  DialogRect rect;
  std::span<const ControlTemplate> controls;  // in template order
};

inline constexpr int kPageFontSize = 8;
inline constexpr const char* kPageFontName = "MS Sans Serif";

// The nine pages.
std::span<const PageTemplate> PageTemplates();

// The main window (template 102) as the page seam reaches it: its Apply
// button only. Tree, splitter and ActiveX controls belong to the window.
const PageTemplate& MainWindowTemplate();

// A page or the main window by template ID; nullptr when there is none.
// Its controls walk the page in template order.
const PageTemplate* FindTemplate(int templateId);

// A control by template and control ID (its kind, styles, ...); nullptr when
// there is none.
const ControlTemplate* FindControl(int templateId, int controlId);

// Whether a list view shows check boxes: CListPage's list 1009 does.
bool ListHasCheckBoxes(int pageId, int controlId);

// The controls of a page that take part in its skin hookup, or in its reset,
// in the order of their steps.
std::vector<const ControlTemplate*> SkinHookupOrder(const PageTemplate& page);
std::vector<const ControlTemplate*> ResetOrder(const PageTemplate& page);

}  // namespace corvandel

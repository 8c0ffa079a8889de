#include "pages/dialog_template_win32.h"

#include <commctrl.h>


namespace corvandel {
namespace {

struct StyleBit {
  unsigned flag;  // style:: flag of the template table
  DWORD windowStyle;
};

constexpr StyleBit kComboStyles[] = {
    {style::kDropDown, CBS_DROPDOWN},         {style::kDropDownList, CBS_DROPDOWNLIST},
    {style::kAutoHScroll, CBS_AUTOHSCROLL},   {style::kVScroll, WS_VSCROLL},
    {style::kDisableNoScroll, CBS_DISABLENOSCROLL}, {style::kOwnerDrawFixed, CBS_OWNERDRAWFIXED},
    {style::kHasStrings, CBS_HASSTRINGS},     {style::kSorted, CBS_SORT},
};

constexpr StyleBit kListStyles[] = {
    {style::kReport, LVS_REPORT},           {style::kListMode, LVS_LIST},
    {style::kSingleSel, LVS_SINGLESEL},     {style::kShowSelAlways, LVS_SHOWSELALWAYS},
    {style::kShareImageLists, LVS_SHAREIMAGELISTS}, {style::kNoColumnHeader, LVS_NOCOLUMNHEADER},
    {style::kAlignLeft, LVS_ALIGNLEFT},     {style::kBorder, WS_BORDER},
};

constexpr StyleBit kEditStyles[] = {{style::kBorder, WS_BORDER}, {style::kAutoHScroll, ES_AUTOHSCROLL}};

template <std::size_t N>
DWORD Map(unsigned flags, const StyleBit (&bits)[N]) {
  DWORD result = 0;
  for (const StyleBit& bit : bits) {
    if (flags & bit.flag) result |= bit.windowStyle;
  }
  return result;
}

const char* ClassName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic: return "Static";
    case ControlKind::kCheckBox:
    case ControlKind::kPushButton: return "Button";
    case ControlKind::kEdit: return "Edit";
    case ControlKind::kComboBox: return "ComboBox";
    case ControlKind::kListView: return WC_LISTVIEWA;
  }
  return "Static";
}

}  // namespace

DWORD ControlWindowStyle(const ControlTemplate& control) {
  DWORD style = WS_CHILD | (control.visible ? WS_VISIBLE : 0);
  switch (control.kind) {
    case ControlKind::kStatic:
      return style | SS_LEFT | ((control.styles & style::kSunken) ? SS_SUNKEN : 0);
    case ControlKind::kCheckBox:
      return style | WS_TABSTOP | BS_AUTOCHECKBOX;
    case ControlKind::kPushButton:
      return style | WS_TABSTOP | ((control.styles & style::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case ControlKind::kEdit:
      return style | WS_TABSTOP | ES_LEFT | Map(control.styles, kEditStyles);
    case ControlKind::kComboBox:
      return style | WS_TABSTOP | Map(control.styles, kComboStyles);
    case ControlKind::kListView:
      return style | WS_TABSTOP | Map(control.styles, kListStyles);
  }
  return style;
}

DialogTemplate::DialogTemplate(const PageTemplate& page, DWORD dialogStyle) {
  AddDword(dialogStyle | DS_SETFONT);
  AddDword(0);  // extended style
  Add(static_cast<WORD>(page.controls.size()));
  for (int value : {page.rect.x, page.rect.y, page.rect.width, page.rect.height}) Add(static_cast<WORD>(value));
  Add(0);  // no menu
  Add(0);  // the standard dialog class
  Add(0);  // no caption
  Add(static_cast<WORD>(kPageFontSize));
  AddText(kPageFontName);
  for (const ControlTemplate& control : page.controls) {
    AlignToDword();
    AddDword(ControlWindowStyle(control));
    AddDword(0);
    for (int value : {control.rect.x, control.rect.y, control.rect.width, control.rect.height})
      Add(static_cast<WORD>(value));
    Add(static_cast<WORD>(control.id));
    AddText(ClassName(control.kind));
    AddText(control.text);
    Add(0);  // no creation data
  }
}

void DialogTemplate::AddDword(DWORD value) {
  Add(LOWORD(value));
  Add(HIWORD(value));
}

void DialogTemplate::AddText(const char* text) {
  // Template strings are UTF-16; the table's texts are ASCII.
  for (const char* c = text; *c != '\0'; ++c) Add(static_cast<WORD>(static_cast<unsigned char>(*c)));
  Add(0);
}

void DialogTemplate::AlignToDword() {
  // The vector's storage is at least DWORD-aligned, so an even word count
  // puts the next item on a DWORD boundary.
  if (words_.size() % 2 != 0) Add(0);
}

}  // namespace corvandel

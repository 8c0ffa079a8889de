#include "pages/page_dialogs_win32.h"

#include <commctrl.h>

#include <cstdlib>
#include <ctime>

#include "widgets/skin_engine_win32.h"
#include "pages/dialog_template_win32.h"
#include "pages/page_handlers.h"
#include "pages/color_combo.h"

namespace corvandel {
namespace {

constexpr wchar_t kSubMain[] = L"SubMain";

// The skin engine's element for each look a page template gives a control.
const wchar_t* ElementOf(SkinLook look) {
  switch (look) {
    case SkinLook::kCheckBox: return L"CheckBox";
    case SkinLook::kLabel: return L"Label";
    case SkinLook::kButton: return L"Button";
    case SkinLook::kNone: break;
  }
  return nullptr;
}

// The list views' look: full-row selection, regional and info-tip styles,
// check boxes on the check list, and a faint blue-grey ground.
constexpr DWORD kOverviewListStyles = 0x620;
constexpr DWORD kCheckListStyles = 0x624;
constexpr COLORREF kListBackground = RGB(249, 250, 251);

// The start colour is drawn from all but the last entry of the table.
constexpr int kStartColorChoices = 139;

void SetUpList(HWND list, DWORD extendedStyles) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(extendedStyles));
  SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(kListBackground));
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(kListBackground));
}

}  // namespace

CPageDialog::~CPageDialog() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool CPageDialog::Create(HWND parent, IPageOwner& owner) {
  const PageTemplate* page = FindTemplate(templateId_);
  if (page == nullptr) return false;
  owner_ = &owner;
  const DialogTemplate dialog(*page, kPageDialogStyle);
  return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog.get(), parent, DialogProc,
                                    reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK CPageDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* page = reinterpret_cast<CPageDialog*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    page->window_ = window;
    page->Owner().PageHost().AddPage(page->templateId_, window);
    page->OnInitDialog();
    return TRUE;
  }
  if (message == WM_MEASUREITEM) {  // arrives while the controls are made, before WM_INITDIALOG
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_COMBOBOX) return FALSE;
    CColorCombo::MeasureItem(window, *item);
    return TRUE;
  }
  auto* page = reinterpret_cast<CPageDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (page == nullptr) return FALSE;
  switch (message) {
    case WM_NCDESTROY:  // gone with the main window
      page->window_ = nullptr;
      return FALSE;
    case WM_COMMAND:
      // Escape (IDCANCEL) does nothing: a page never closes.
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) page->OnClicked(LOWORD(wParam));
      return TRUE;
    case WM_DRAWITEM:
      return page->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
      if (const auto* header = reinterpret_cast<const NMHDR*>(lParam); header->code == NM_SETFOCUS)
        page->OnListFocus(header->hwndFrom);
      return FALSE;
  }
  return FALSE;
}

void CPageDialog::OnListFocus(HWND list) {
  // Tabbed into with no row chosen, an overview shows no focus at all. Only
  // an overview: the selection of a tweak's list is the setting it applies.
  if (!Owner().ShowsOverview() || GetDlgCtrlID(list) != control::kList) return;
  if (SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0 ||
      SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0)
    return;
  LVITEMA item{};
  item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
}

bool CPageDialog::OnInitDialog() {
  if (!SkinHookup()) {
    Owner().Platform().ShowMessage(kSkinFailureText, "", mb::kOk);
    EndDialog(window_, 0);
    return false;
  }
  SetUp();
  return true;
}

bool CPageDialog::SkinHookup() {
  if (Owner().SkinElement(window_, kSubMain) < 0) return false;
  for (const ControlTemplate* control : SkinHookupOrder(*FindTemplate(templateId_))) {
    if (Owner().SkinElement(Item(control->id), ElementOf(control->skin.look)) < 0) return false;
  }
  return true;
}

void CPageDialog::OnClicked(int controlId) {
  IPageOwner& owner = Owner();
  if (OnBrowseButton(owner.PageHost(), owner.Platform(), owner.CurrentPage(), templateId_, controlId)) return;
  OnCheckBoxClicked(owner.PageHost(), owner.CurrentPage(), templateId_, controlId);
}

CListCheckPage::CListCheckPage() : CPageDialog(page::kListCheck) {}

void CListCheckPage::SetUp() { SetUpList(Item(control::kList), kOverviewListStyles); }

CMultiCheckPage::CMultiCheckPage() : CPageDialog(page::kMultiCheck) {}

CEditCheckPage::CEditCheckPage() : CPageDialog(page::kEditCheck) {}

CComboCheckPage::CComboCheckPage() : CPageDialog(page::kComboCheck) {}

void CComboCheckPage::SetUp() {
  colors_.Attach(Item(control::kColorCombo));
  // The colours go in when the combo box is first used or its page first
  // shown, with a different start colour at almost every start.
  Win32PageHost& pages = Owner().PageHost();
  pages.FillOnFirstUse(page::kComboCheck, control::kColorCombo, [&pages] {
    FillColors(pages, page::kComboCheck, control::kColorCombo);
    std::srand(static_cast<unsigned>(std::time(nullptr)) + static_cast<unsigned>(std::clock()));
    pages.ComboSetCurSel(page::kComboCheck, control::kColorCombo, std::rand() % kStartColorChoices);
  });
}

bool CComboCheckPage::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != control::kColorCombo) return false;
  colors_.DrawItem(item);
  return true;
}

CListPage::CListPage() : CPageDialog(page::kList) {}

void CListPage::SetUp() { SetUpList(Item(1009), kCheckListStyles); }

CEditBrowsePage::CEditBrowsePage() : CPageDialog(page::kEditBrowse) {}

CMultiComboPage::CMultiComboPage() : CPageDialog(page::kMultiCombo) {}

CEditComboPage::CEditComboPage() : CPageDialog(page::kEditCombo) {}

CSingleComboPage::CSingleComboPage() : CPageDialog(page::kSingleCombo) {}

void CSingleComboPage::SetUp() {
  // Ten thousand strings for a page that may never be opened: they go in
  // when the combo box is first used or its page first shown. They go
  // straight to the control, with room for all of them made first and no
  // redrawing meanwhile: through the page host every string would look the
  // control up again, which is slow under Wine.
  HWND combo = Item(1021);
  Owner().PageHost().FillOnFirstUse(page::kSingleCombo, 1021, [combo] {
    SendMessageA(combo, CB_INITSTORAGE, kNumberComboLast + 1, (kNumberComboLast + 1) * 6);
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    ForEachNumberComboItem(
        [&](const std::string& text) { SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); });
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  });
}

}  // namespace corvandel

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
constexpr wchar_t kCheckBox[] = L"CheckBox";
constexpr wchar_t kLabel[] = L"Label";
constexpr wchar_t kButton[] = L"Button";

// Skin hookups after "SubMain" on the page itself, in call order; edits,
// combo boxes and list views keep the system's look.
constexpr SkinnedControl kListCheckSkin[] = {{1013, kCheckBox}, {1006, kLabel}};
constexpr SkinnedControl kMultiCheckSkin[] = {
    {1013, kCheckBox}, {1018, kCheckBox}, {1028, kCheckBox}, {1032, kCheckBox}, {1033, kCheckBox},
    {1034, kCheckBox}, {1035, kCheckBox}, {1036, kCheckBox}, {1037, kCheckBox}, {1038, kCheckBox},
    {1006, kLabel},    {1024, kLabel},
};
constexpr SkinnedControl kEditCheckSkin[] = {
    {1013, kCheckBox}, {1018, kCheckBox}, {1006, kLabel},  {1024, kLabel},  {1014, kLabel},
    {1019, kLabel},    {1020, kLabel},    {1023, kButton}, {1026, kButton}, {1027, kButton},
};
constexpr SkinnedControl kComboCheckSkin[] = {
    {1013, kCheckBox}, {1006, kLabel}, {1024, kLabel}, {1014, kLabel}, {1019, kLabel},
};
constexpr SkinnedControl kListSkin[] = {{1006, kLabel}};
constexpr SkinnedControl kEditBrowseSkin[] = {
    {1014, kLabel},  {1019, kLabel},  {1020, kLabel},  {1039, kLabel},  {1041, kLabel},
    {1006, kLabel},  {1023, kButton}, {1026, kButton}, {1027, kButton}, {1048, kButton}, {1050, kButton},
};
constexpr SkinnedControl kMultiComboSkin[] = {
    {1014, kLabel}, {1019, kLabel}, {1020, kLabel}, {1039, kLabel}, {1041, kLabel}, {1046, kLabel}, {1006, kLabel},
};
constexpr SkinnedControl kEditComboSkin[] = {
    {1014, kLabel}, {1019, kLabel}, {1020, kLabel}, {1039, kLabel}, {1006, kLabel}, {1024, kLabel},
};
constexpr SkinnedControl kSingleComboSkin[] = {{1013, kCheckBox}, {1006, kLabel}, {1024, kLabel}, {1014, kLabel}};

// The list views' look: full-row selection, regional and info-tip styles,
// check boxes on the check list, and a faint blue-grey ground.
constexpr DWORD kOverviewListStyles = 0x620;
constexpr DWORD kCheckListStyles = 0x624;
constexpr COLORREF kListBackground = RGB(249, 250, 251);

constexpr int kColorCombo = 1055;
constexpr int kOverviewList = 1007;
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
  if (!Owner().ShowsOverview() || GetDlgCtrlID(list) != kOverviewList) return;
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
  for (const SkinnedControl& control : skin_) {
    if (Owner().SkinElement(Item(control.controlId), control.element) < 0) return false;
  }
  return true;
}

void CPageDialog::OnClicked(int controlId) {
  IPageOwner& owner = Owner();
  if (OnBrowseButton(owner.PageHost(), owner.Platform(), owner.CurrentTweakId(), templateId_, controlId)) return;
  OnCheckBoxClicked(owner.PageHost(), owner.CurrentTweakId(), templateId_, controlId);
}

CListCheckPage::CListCheckPage() : CPageDialog(page::kListCheck, kListCheckSkin) {}

void CListCheckPage::SetUp() { SetUpList(Item(1007), kOverviewListStyles); }

CMultiCheckPage::CMultiCheckPage() : CPageDialog(page::kMultiCheck, kMultiCheckSkin) {}

CEditCheckPage::CEditCheckPage() : CPageDialog(page::kEditCheck, kEditCheckSkin) {}

CComboCheckPage::CComboCheckPage() : CPageDialog(page::kComboCheck, kComboCheckSkin) {}

void CComboCheckPage::SetUp() {
  colors_.Attach(Item(kColorCombo));
  // The colours go in when the combo box is first used or its page first
  // shown, with a different start colour at almost every start.
  Win32PageHost& pages = Owner().PageHost();
  pages.FillOnFirstUse(page::kComboCheck, kColorCombo, [&pages] {
    FillColors(pages, page::kComboCheck, kColorCombo);
    std::srand(static_cast<unsigned>(std::time(nullptr)) + static_cast<unsigned>(std::clock()));
    pages.ComboSetCurSel(page::kComboCheck, kColorCombo, std::rand() % kStartColorChoices);
  });
}

bool CComboCheckPage::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != kColorCombo) return false;
  colors_.DrawItem(item);
  return true;
}

CListPage::CListPage() : CPageDialog(page::kList, kListSkin) {}

void CListPage::SetUp() { SetUpList(Item(1009), kCheckListStyles); }

CEditBrowsePage::CEditBrowsePage() : CPageDialog(page::kEditBrowse, kEditBrowseSkin) {}

CMultiComboPage::CMultiComboPage() : CPageDialog(page::kMultiCombo, kMultiComboSkin) {}

CEditComboPage::CEditComboPage() : CPageDialog(page::kEditCombo, kEditComboSkin) {}

CSingleComboPage::CSingleComboPage() : CPageDialog(page::kSingleCombo, kSingleComboSkin) {}

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

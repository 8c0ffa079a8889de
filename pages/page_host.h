// The page seam: the nine page dialogs and the main window's Apply button,
// reached by dialog template ID and control ID, with the semantics of the
// Win32 controls. PageModel implements it in memory; the Win32 side sends the
// matching messages to the real dialogs.
#pragma once

#include <cstdint>
#include <string>

namespace corvandel {

// Dialog template IDs.
namespace page {
inline constexpr int kListCheck = 106;    // CListCheckPage
inline constexpr int kEditBrowse = 107;   // CEditBrowsePage
inline constexpr int kMultiCheck = 170;   // CMultiCheckPage
inline constexpr int kEditCheck = 171;    // CEditCheckPage
inline constexpr int kComboCheck = 172;   // CComboCheckPage
inline constexpr int kList = 173;         // CListPage
inline constexpr int kMultiCombo = 174;   // CMultiComboPage
inline constexpr int kEditCombo = 175;    // CEditComboPage
inline constexpr int kSingleCombo = 176;  // CSingleComboPage
inline constexpr int kMainWindow = 102;   // CMainDlg: holds the Apply button
inline constexpr int kApplyButton = 1016;
}  // namespace page

// Control IDs the load and apply routines name (the pages' resource IDs).
namespace control {
inline constexpr int kDescription = 1006;
inline constexpr int kList = 1007;     // CListCheckPage list view
inline constexpr int kCheck1 = 1013;   // first check box; Current User box of a pair
inline constexpr int kLabel1 = 1014;
inline constexpr int kEdit1 = 1015;
inline constexpr int kCheck2 = 1018;   // All Users box of a pair
inline constexpr int kLabel2 = 1019;
inline constexpr int kEdit2 = 1017;    // All Users edit of a CEditCheckPage pair
inline constexpr int kCombo1 = 1021;   // Current User combo of a pair
inline constexpr int kCombo2 = 1022;   // All Users combo of a pair
inline constexpr int kBrowse1 = 1023;  // fills edit 1015
inline constexpr int kNote = 1024;
inline constexpr int kColorCombo = 1055;  // CComboCheckPage colour picker
inline constexpr int kCheckList = 1009;   // CListPage list view with check boxes
}  // namespace control

// CB_ERR: the answer of a combo call that fails or finds nothing.
inline constexpr int kComboError = -1;

// List view column alignment (LVCFMT_*).
enum class ColumnAlign { kLeft = 0, kRight = 1, kCenter = 2 };

// Visibility is a window's own visible style: a shown control on a hidden
// page counts as visible, and a page keeps its controls' states when hidden.
// The main window is not a page: ShowPage ignores it.
//
// A call naming an unknown page or control, or a control of another kind (a
// combo call on a check box), changes nothing and answers as an empty, hidden
// and disabled control would: "", 0, false, or -1 where an index or CB_ERR
// is expected.
class IPageHost {
 public:
  virtual ~IPageHost() = default;
  // A host may make a page only when a call first needs it (any call but
  // hiding it or asking whether it is shown). Until then the page is hidden,
  // its controls as the reset before a load leaves them (ResetPage), and the
  // reset need not visit it.
  virtual bool IsPageCreated(int /*pageId*/) const { return true; }

  // A page window (ShowWindow SW_SHOW / SW_HIDE).
  virtual void ShowPage(int pageId, bool show) = 0;
  virtual bool IsPageVisible(int pageId) const = 0;

  // Any control of a page; pageId kMainWindow addresses the Apply button.
  virtual void ShowControl(int pageId, int controlId, bool show) = 0;
  virtual bool IsControlVisible(int pageId, int controlId) const = 0;
  virtual void EnableControl(int pageId, int controlId, bool enable) = 0;
  virtual bool IsControlEnabled(int pageId, int controlId) const = 0;
  virtual void SetText(int pageId, int controlId, const std::string& text) = 0;
  virtual std::string GetText(int pageId, int controlId) const = 0;

  // An edit's password character (EM_SETPASSWORDCHAR '*' or none): a masked
  // edit shows its text as stars and still holds the text typed.
  virtual void SetPasswordMask(int pageId, int controlId, bool masked) = 0;
  virtual bool IsPasswordMasked(int pageId, int controlId) const = 0;

  // Check boxes (BM_SETCHECK / BM_GETCHECK).
  virtual void SetCheck(int pageId, int controlId, int state) = 0;
  virtual int GetCheck(int pageId, int controlId) const = 0;

  // Combo boxes (CB_* messages; indexes are zero-based, -1 is CB_ERR).
  virtual void ComboReset(int pageId, int controlId) = 0;
  virtual int ComboAddString(int pageId, int controlId, const std::string& text) = 0;
  virtual int ComboSetItemData(int pageId, int controlId, int index, std::uintptr_t data) = 0;
  virtual std::uintptr_t ComboGetItemData(int pageId, int controlId, int index) const = 0;
  virtual int ComboCount(int pageId, int controlId) const = 0;
  virtual int ComboSetCurSel(int pageId, int controlId, int index) = 0;
  virtual int ComboGetCurSel(int pageId, int controlId) const = 0;
  virtual int ComboFindString(int pageId, int controlId, int startAfter, const std::string& text) const = 0;
  virtual int ComboFindStringExact(int pageId, int controlId, int startAfter, const std::string& text) const = 0;
  virtual int ComboSelectString(int pageId, int controlId, int startAfter, const std::string& text) = 0;
  virtual std::string ComboItemText(int pageId, int controlId, int index) const = 0;

  // List views (LVM_* messages).
  virtual void ListDeleteAllItems(int pageId, int controlId) = 0;
  virtual int ListInsertColumn(int pageId, int controlId, int column, const std::string& heading,
                               int width, ColumnAlign align) = 0;
  virtual bool ListDeleteColumn(int pageId, int controlId, int column) = 0;
  virtual int ListColumnCount(int pageId, int controlId) const = 0;
  virtual std::string ListColumnHeading(int pageId, int controlId, int column) const = 0;
  virtual int ListColumnWidth(int pageId, int controlId, int column) const = 0;
  virtual int ListInsertItem(int pageId, int controlId, int row, const std::string& text) = 0;
  virtual bool ListSetItemText(int pageId, int controlId, int row, int column, const std::string& text) = 0;
  virtual std::string ListItemText(int pageId, int controlId, int row, int column) const = 0;
  virtual int ListItemCount(int pageId, int controlId) const = 0;
  // A row outside the list is ignored (-1 does not mean every row here).
  virtual void ListSetCheck(int pageId, int controlId, int row, bool checked) = 0;
  virtual bool ListGetCheck(int pageId, int controlId, int row) const = 0;
  virtual void ListSelectRow(int pageId, int controlId, int row) = 0;  // -1 or a row outside clears
  // LVM_GETNEXTITEM(-1, LVNI_SELECTED): the selected row or -1.
  virtual int ListSelectedRow(int pageId, int controlId) const = 0;
};

}  // namespace corvandel

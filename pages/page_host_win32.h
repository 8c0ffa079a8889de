// The page seam over the real page dialogs and the main window's Apply
// button: every call is the matching message to the control. The template
// table says what kind each control is, so a call of another kind (a combo
// message to a check box) is refused here rather than sent.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "pages/page_host.h"
#include "pages/page_templates.h"

namespace corvandel {

class Win32PageHost : public IPageHost {
 public:
  // The window holding the Apply button, and each page's dialog window.
  void SetMainWindow(HWND window) { main_ = window; }
  void AddPage(int pageId, HWND page) { pages_[pageId] = page; }
  // Makes a page's dialog window (and adds it) when a call first needs it;
  // it is asked once per page.
  void SetPageCreator(std::function<void(int pageId)> create) { create_ = std::move(create); }
  // A page's dialog window, made now if it was not yet; nullptr for an
  // unknown page or one that could not be made.
  HWND PageWindow(int pageId) const;
  bool IsPageCreated(int pageId) const override { return pages_.count(pageId) > 0; }
  // Set-up that can wait until it is needed: fill runs once, when a call of
  // this host first reaches the control's items or text, or the control's
  // page is first shown. Showing, hiding or enabling it does not wait for it.
  void FillOnFirstUse(int pageId, int controlId, std::function<void()> fill);
  // Runs the waiting fills of the page first given one; false when none waits.
  bool RunNextFills();

  // While held, showing and hiding pages and controls is noted and done at
  // the end, only where it changes something: a selection hides every page
  // and control before its load shows what it needs, and a control hidden
  // and shown again would be painted twice. Queries see the noted state.
  // Combo boxes and lists whose items change stop redrawing until the end:
  // otherwise every item added updates the list's scroll bar at once. Holds
  // nest: the outermost release does the work.
  void HoldVisibility();
  void ReleaseVisibility();
  // Holds for as long as it lives: around anything that may load a page
  // again (a selection, an apply that reloads what could not be written, an
  // undo).
  class HeldVisibility {
   public:
    explicit HeldVisibility(Win32PageHost& host) : host_(host) { host_.HoldVisibility(); }
    ~HeldVisibility() { host_.ReleaseVisibility(); }
    HeldVisibility(const HeldVisibility&) = delete;
    HeldVisibility& operator=(const HeldVisibility&) = delete;

   private:
    Win32PageHost& host_;
  };

  void ShowPage(int pageId, bool show) override;
  bool IsPageVisible(int pageId) const override;

  void ShowControl(int pageId, int controlId, bool show) override;
  bool IsControlVisible(int pageId, int controlId) const override;
  void EnableControl(int pageId, int controlId, bool enable) override;
  bool IsControlEnabled(int pageId, int controlId) const override;
  void SetText(int pageId, int controlId, const std::string& text) override;
  std::string GetText(int pageId, int controlId) const override;
  void SetPasswordMask(int pageId, int controlId, bool masked) override;
  bool IsPasswordMasked(int pageId, int controlId) const override;

  void SetCheck(int pageId, int controlId, int state) override;
  int GetCheck(int pageId, int controlId) const override;

  void ComboReset(int pageId, int controlId) override;
  int ComboAddString(int pageId, int controlId, const std::string& text) override;
  int ComboSetItemData(int pageId, int controlId, int index, std::uintptr_t data) override;
  std::uintptr_t ComboGetItemData(int pageId, int controlId, int index) const override;
  int ComboCount(int pageId, int controlId) const override;
  int ComboSetCurSel(int pageId, int controlId, int index) override;
  int ComboGetCurSel(int pageId, int controlId) const override;
  int ComboFindString(int pageId, int controlId, int startAfter, const std::string& text) const override;
  int ComboFindStringExact(int pageId, int controlId, int startAfter, const std::string& text) const override;
  int ComboSelectString(int pageId, int controlId, int startAfter, const std::string& text) override;
  std::string ComboItemText(int pageId, int controlId, int index) const override;

  void ListDeleteAllItems(int pageId, int controlId) override;
  int ListInsertColumn(int pageId, int controlId, int column, const std::string& heading, int width,
                       ColumnAlign align) override;
  bool ListDeleteColumn(int pageId, int controlId, int column) override;
  int ListColumnCount(int pageId, int controlId) const override;
  std::string ListColumnHeading(int pageId, int controlId, int column) const override;
  int ListColumnWidth(int pageId, int controlId, int column) const override;
  int ListInsertItem(int pageId, int controlId, int row, const std::string& text) override;
  bool ListSetItemText(int pageId, int controlId, int row, int column, const std::string& text) override;
  std::string ListItemText(int pageId, int controlId, int row, int column) const override;
  int ListItemCount(int pageId, int controlId) const override;
  void ListSetCheck(int pageId, int controlId, int row, bool checked) override;
  bool ListGetCheck(int pageId, int controlId, int row) const override;
  void ListSelectRow(int pageId, int controlId, int row) override;
  int ListSelectedRow(int pageId, int controlId) const override;

 private:
  // The control's window when the template has it; nullptr otherwise.
  HWND Control(int pageId, int controlId) const;
  // The same, only when the control is of that kind.
  HWND Control(int pageId, int controlId, ControlKind kind) const;
  LRESULT ComboCall(int pageId, int controlId, UINT message, WPARAM wParam, LPARAM lParam) const;
  static bool IsRow(HWND list, int row);
  // Runs the waiting fills of a page: of one control, or of all (kAnyControl).
  void RunFills(int pageId, int controlId) const;
  static constexpr int kAnyControl = -1;

  struct WaitingFill {
    int pageId;
    int controlId;
    std::function<void()> fill;
  };

  // Shows or hides now, or notes it while visibility is held.
  void SetVisible(HWND window, bool show);
  bool IsVisible(HWND window) const;
  // Before a change of a combo box's or list's items: while held, the
  // control stops redrawing until the hold ends. Its waiting fill runs first.
  void HoldItems(int pageId, int controlId, ControlKind kind);

  HWND main_ = nullptr;
  int holds_ = 0;
  std::map<HWND, bool> heldVisibility_;  // the state each window is to end in
  std::set<HWND> heldItems_;  // combo boxes and lists not redrawing
  mutable std::map<std::pair<int, int>, HWND> controls_;  // by page and control ID, as found
  std::map<int, HWND> pages_;
  std::function<void(int pageId)> create_;
  mutable std::set<int> asked_;  // pages the creator was asked for
  mutable std::vector<WaitingFill> waitingFills_;  // filled on first use, even by a query
};

}  // namespace corvandel

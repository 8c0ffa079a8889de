// The nine pages and the Apply button in memory, built from the page
// templates, with the semantics of the Win32 controls: the page seam of the
// native tests and of the headless front end. A front end walks a page with
// FindTemplate (pages/page_templates.h) and reads each control through here.
#pragma once

#include <map>
#include <variant>

#include "pages/combo_box_model.h"
#include "pages/list_view_model.h"
#include "pages/page_host.h"
#include "pages/page_templates.h"

namespace corvandel {

class PageModel : public IPageHost {
 public:
  // Every page hidden, every control as its template creates it.
  PageModel();

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
  struct Control {
    explicit Control(const ControlTemplate& from);

    ControlKind kind;
    bool visible;
    bool enabled = true;
    std::string text;  // window text; a combo box keeps its own
    int check = 0;     // BST_UNCHECKED / BST_CHECKED
    bool masked = false;  // an edit's password character
    std::variant<std::monostate, ComboBoxModel, ListViewModel> parts;
  };
  struct Page {
    bool visible = false;
    std::map<int, Control> controls;
  };

  const Control* Find(int pageId, int controlId) const;
  Control* Find(int pageId, int controlId);
  const ComboBoxModel* Combo(int pageId, int controlId) const;
  ComboBoxModel* Combo(int pageId, int controlId);
  const ListViewModel* List(int pageId, int controlId) const;
  ListViewModel* List(int pageId, int controlId);

  std::map<int, Page> pages_;  // the nine pages and the main window
};

}  // namespace corvandel

#include "pages/page_model.h"

#include <utility>

namespace corvandel {

PageModel::Control::Control(const ControlTemplate& from)
    : kind(from.kind), visible(from.visible), text(from.text) {
  if (kind == ControlKind::kComboBox) {
    parts.emplace<ComboBoxModel>((from.styles & style::kSorted) != 0, (from.styles & style::kDropDownList) == 0);
  } else if (kind == ControlKind::kListView) {
    parts.emplace<ListViewModel>();
  }
}

PageModel::PageModel() {
  auto add = [this](const PageTemplate& from) {
    Page& page = pages_[from.id];  // created hidden, as the templates say
    for (const ControlTemplate& control : from.controls) page.controls.emplace(control.id, Control(control));
  };
  for (const PageTemplate& page : PageTemplates()) add(page);
  add(MainWindowTemplate());
}

const PageModel::Control* PageModel::Find(int pageId, int controlId) const {
  auto page = pages_.find(pageId);
  if (page == pages_.end()) return nullptr;
  auto control = page->second.controls.find(controlId);
  return control == page->second.controls.end() ? nullptr : &control->second;
}

PageModel::Control* PageModel::Find(int pageId, int controlId) {
  return const_cast<Control*>(std::as_const(*this).Find(pageId, controlId));
}

const ComboBoxModel* PageModel::Combo(int pageId, int controlId) const {
  const Control* control = Find(pageId, controlId);
  return control ? std::get_if<ComboBoxModel>(&control->parts) : nullptr;
}

ComboBoxModel* PageModel::Combo(int pageId, int controlId) {
  return const_cast<ComboBoxModel*>(std::as_const(*this).Combo(pageId, controlId));
}

const ListViewModel* PageModel::List(int pageId, int controlId) const {
  const Control* control = Find(pageId, controlId);
  return control ? std::get_if<ListViewModel>(&control->parts) : nullptr;
}

ListViewModel* PageModel::List(int pageId, int controlId) {
  return const_cast<ListViewModel*>(std::as_const(*this).List(pageId, controlId));
}

// Pages and controls.

void PageModel::ShowPage(int pageId, bool show) {
  // The main window holds the Apply button but is not a page.
  auto page = pages_.find(pageId);
  if (page != pages_.end() && pageId != page::kMainWindow) page->second.visible = show;
}

bool PageModel::IsPageVisible(int pageId) const {
  auto page = pages_.find(pageId);
  return page != pages_.end() && page->second.visible;
}

void PageModel::ShowControl(int pageId, int controlId, bool show) {
  // The control's own visible style: showing it on a hidden page is kept
  // for when the page is shown.
  if (Control* control = Find(pageId, controlId)) control->visible = show;
}

bool PageModel::IsControlVisible(int pageId, int controlId) const {
  const Control* control = Find(pageId, controlId);
  return control && control->visible;
}

void PageModel::EnableControl(int pageId, int controlId, bool enable) {
  if (Control* control = Find(pageId, controlId)) control->enabled = enable;
}

bool PageModel::IsControlEnabled(int pageId, int controlId) const {
  const Control* control = Find(pageId, controlId);
  return control && control->enabled;
}

void PageModel::SetText(int pageId, int controlId, const std::string& text) {
  if (ComboBoxModel* combo = Combo(pageId, controlId)) {
    combo->SetText(text);
  } else if (Control* control = Find(pageId, controlId)) {
    control->text = text;
  }
}

std::string PageModel::GetText(int pageId, int controlId) const {
  if (const ComboBoxModel* combo = Combo(pageId, controlId)) return combo->Text();
  const Control* control = Find(pageId, controlId);
  return control ? control->text : std::string();
}

void PageModel::SetPasswordMask(int pageId, int controlId, bool masked) {
  Control* control = Find(pageId, controlId);
  if (control && control->kind == ControlKind::kEdit) control->masked = masked;
}

bool PageModel::IsPasswordMasked(int pageId, int controlId) const {
  const Control* control = Find(pageId, controlId);
  return control && control->masked;
}

// Check boxes.

void PageModel::SetCheck(int pageId, int controlId, int state) {
  // A two-state auto check box takes any non-zero state as BST_CHECKED;
  // other kinds have no check state.
  Control* control = Find(pageId, controlId);
  if (control && control->kind == ControlKind::kCheckBox) control->check = state != 0 ? 1 : 0;
}

int PageModel::GetCheck(int pageId, int controlId) const {
  const Control* control = Find(pageId, controlId);
  return control ? control->check : 0;
}

// Combo boxes.

void PageModel::ComboReset(int pageId, int controlId) {
  if (ComboBoxModel* combo = Combo(pageId, controlId)) combo->Reset();
}

int PageModel::ComboAddString(int pageId, int controlId, const std::string& text) {
  ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->AddString(text) : kComboError;
}

int PageModel::ComboSetItemData(int pageId, int controlId, int index, std::uintptr_t data) {
  ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->SetItemData(index, data) : kComboError;
}

std::uintptr_t PageModel::ComboGetItemData(int pageId, int controlId, int index) const {
  const ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->ItemData(index) : static_cast<std::uintptr_t>(kComboError);
}

int PageModel::ComboCount(int pageId, int controlId) const {
  const ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->Count() : 0;
}

int PageModel::ComboSetCurSel(int pageId, int controlId, int index) {
  ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->SetCurSel(index) : kComboError;
}

int PageModel::ComboGetCurSel(int pageId, int controlId) const {
  const ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->CurSel() : kComboError;
}

int PageModel::ComboFindString(int pageId, int controlId, int startAfter, const std::string& text) const {
  const ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->FindString(startAfter, text) : kComboError;
}

int PageModel::ComboFindStringExact(int pageId, int controlId, int startAfter, const std::string& text) const {
  const ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->FindStringExact(startAfter, text) : kComboError;
}

int PageModel::ComboSelectString(int pageId, int controlId, int startAfter, const std::string& text) {
  ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->SelectString(startAfter, text) : kComboError;
}

std::string PageModel::ComboItemText(int pageId, int controlId, int index) const {
  const ComboBoxModel* combo = Combo(pageId, controlId);
  return combo ? combo->ItemText(index) : std::string();
}

// List views.

void PageModel::ListDeleteAllItems(int pageId, int controlId) {
  if (ListViewModel* list = List(pageId, controlId)) list->DeleteAllItems();
}

int PageModel::ListInsertColumn(int pageId, int controlId, int column, const std::string& heading, int width,
                                ColumnAlign) {
  // The alignment only changes how the column is drawn; nothing reads it back.
  ListViewModel* list = List(pageId, controlId);
  return list ? list->InsertColumn(column, heading, width) : -1;
}

bool PageModel::ListDeleteColumn(int pageId, int controlId, int column) {
  ListViewModel* list = List(pageId, controlId);
  return list && list->DeleteColumn(column);
}

int PageModel::ListColumnCount(int pageId, int controlId) const {
  const ListViewModel* list = List(pageId, controlId);
  return list ? list->ColumnCount() : 0;
}

std::string PageModel::ListColumnHeading(int pageId, int controlId, int column) const {
  const ListViewModel* list = List(pageId, controlId);
  return list ? list->ColumnHeading(column) : std::string();
}

int PageModel::ListColumnWidth(int pageId, int controlId, int column) const {
  const ListViewModel* list = List(pageId, controlId);
  return list ? list->ColumnWidth(column) : 0;
}

int PageModel::ListInsertItem(int pageId, int controlId, int row, const std::string& text) {
  ListViewModel* list = List(pageId, controlId);
  return list ? list->InsertItem(row, text) : -1;
}

bool PageModel::ListSetItemText(int pageId, int controlId, int row, int column, const std::string& text) {
  ListViewModel* list = List(pageId, controlId);
  return list && list->SetItemText(row, column, text);
}

std::string PageModel::ListItemText(int pageId, int controlId, int row, int column) const {
  const ListViewModel* list = List(pageId, controlId);
  return list ? list->ItemText(row, column) : std::string();
}

int PageModel::ListItemCount(int pageId, int controlId) const {
  const ListViewModel* list = List(pageId, controlId);
  return list ? list->ItemCount() : 0;
}

void PageModel::ListSetCheck(int pageId, int controlId, int row, bool checked) {
  if (ListViewModel* list = List(pageId, controlId)) list->SetCheck(row, checked);
}

bool PageModel::ListGetCheck(int pageId, int controlId, int row) const {
  const ListViewModel* list = List(pageId, controlId);
  return list && list->Check(row);
}

void PageModel::ListSelectRow(int pageId, int controlId, int row) {
  if (ListViewModel* list = List(pageId, controlId)) list->SelectRow(row);
}

int PageModel::ListSelectedRow(int pageId, int controlId) const {
  const ListViewModel* list = List(pageId, controlId);
  return list ? list->SelectedRow() : -1;
}

}  // namespace corvandel

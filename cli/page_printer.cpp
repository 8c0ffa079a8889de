#include "cli/page_printer.h"

#include <algorithm>

#include "pages/page_templates.h"

namespace corvandel {
namespace {

void PrintList(const IPageHost& pages, int pageId, int id, std::ostream& out) {
  out << " columns=";
  const int columns = pages.ListColumnCount(pageId, id);
  for (int column = 0; column < columns; ++column)
    out << (column ? "," : "") << QuoteText(pages.ListColumnHeading(pageId, id, column));
  out << " rows=" << pages.ListItemCount(pageId, id) << " selected=" << pages.ListSelectedRow(pageId, id);
}

void PrintListRows(const IPageHost& pages, int pageId, int id, std::ostream& out) {
  const bool checkBoxes = ListHasCheckBoxes(pageId, id);
  // A list without columns still shows its items' texts.
  const int columns = std::max(1, pages.ListColumnCount(pageId, id));
  for (int row = 0; row < pages.ListItemCount(pageId, id); ++row) {
    out << id << '[' << row << ']';
    if (checkBoxes && pages.ListGetCheck(pageId, id, row)) out << " checked";
    for (int column = 0; column < columns; ++column) out << ' ' << QuoteText(pages.ListItemText(pageId, id, row, column));
    out << '\n';
  }
}

void PrintControls(const IPageHost& pages, const PageTemplate& page, std::ostream& out) {
  for (const ControlTemplate& control : page.controls) {
    const int id = control.id;
    if (!pages.IsControlVisible(page.id, id)) continue;
    out << id;
    switch (control.kind) {
      case ControlKind::kStatic: out << " static " << QuoteText(pages.GetText(page.id, id)); break;
      case ControlKind::kCheckBox:
        out << " check " << pages.GetCheck(page.id, id) << ' ' << QuoteText(pages.GetText(page.id, id));
        break;
      case ControlKind::kEdit: out << " edit " << QuoteText(pages.GetText(page.id, id)); break;
      case ControlKind::kPushButton: out << " button " << QuoteText(pages.GetText(page.id, id)); break;
      case ControlKind::kComboBox:
        out << " combo " << pages.ComboGetCurSel(page.id, id) << ' ' << QuoteText(pages.GetText(page.id, id))
            << " items=" << pages.ComboCount(page.id, id);
        break;
      case ControlKind::kListView: out << " list"; PrintList(pages, page.id, id, out); break;
    }
    if (!pages.IsControlEnabled(page.id, id)) out << " disabled";
    out << '\n';
    if (control.kind == ControlKind::kListView) PrintListRows(pages, page.id, id, out);
  }
}

}  // namespace

void PrintPage(const IPageHost& pages, std::ostream& out) {
  bool shown = false;
  for (const PageTemplate& page : PageTemplates()) {
    if (!pages.IsPageVisible(page.id)) continue;
    shown = true;
    out << "page " << page.className << '\n';
    PrintControls(pages, page, out);
  }
  if (!shown) out << "page none\n";
  PrintControls(pages, MainWindowTemplate(), out);
}

void PrintAlert(const SettablePlatform::ShownMessage& message, std::ostream& out) {
  out << "alert " << QuoteText(message.caption) << ' ' << QuoteText(message.text) << '\n';
}

}  // namespace corvandel

#include "pages/page_reset.h"

#include "pages/page_templates.h"

namespace corvandel {
namespace {

// One step of the reset: hide the page, then the controls its template marks,
// then enable those marked so (the handlers of tweaks 159 and 82 and the load
// of 259 may have disabled them) and show the masked password edit of the
// automatic login in plain text again for others.
void Reset(IPageHost& pages, const PageTemplate& page) {
  pages.ShowPage(page.id, false);
  const auto controls = ResetOrder(page);
  for (const ControlTemplate* control : controls) pages.ShowControl(page.id, control->id, false);
  for (const ControlTemplate* control : controls)
    if (control->reset.enables) pages.EnableControl(page.id, control->id, true);
  for (const ControlTemplate* control : controls)
    if (control->reset.unmasks) pages.SetPasswordMask(page.id, control->id, false);
}

}  // namespace

void ShowTweakPageNone(IPageHost& pages) {
  for (const PageTemplate& page : PageTemplates())
    if (pages.IsPageCreated(page.id)) Reset(pages, page);
  pages.ShowControl(page::kMainWindow, page::kApplyButton, false);
}

void ResetPage(IPageHost& pages, int pageId) {
  if (const PageTemplate* page = FindTemplate(pageId); page != nullptr && pageId != page::kMainWindow)
    Reset(pages, *page);
}

}  // namespace corvandel

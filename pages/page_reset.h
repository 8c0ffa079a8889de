// The reset that runs before every load routine (and once at start-up).
#pragma once

#include "pages/page_host.h"

namespace corvandel {

// Hides every page and the Apply button, and hides the optional controls of
// the pages whose load routines rely on it, so that what a routine does not
// show stays hidden. CEditBrowsePage and CMultiComboPage keep their controls:
// their routines set every control they show. Pages not made yet are left
// to ResetPage.
void ShowTweakPageNone(IPageHost& pages);

// The same for one page: what a page made on first use goes through first.
void ResetPage(IPageHost& pages, int pageId);

}  // namespace corvandel

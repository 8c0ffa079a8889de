#include "pages/version_gate.h"

namespace corvandel {

namespace {
constexpr int kChecked = 1;  // BST_CHECKED
}  // namespace

void ShowAlert(const GateContext& ctx, int alertId) {
  ctx.platform.ShowMessage(ctx.language.GetLangString(alertId), ctx.language.GetLangString(kAlertCaption),
                           mb::kIconError);
}

bool RequireVersion(const GateContext& ctx, Versions admitted, int alertId, std::optional<CheckBoxRef> revert) {
  if (COsVersion(ctx.platform).IsAnyOf(admitted)) return true;
  if (revert) {
    const bool checked = ctx.pages.GetCheck(revert->pageId, revert->controlId) == kChecked;
    ctx.pages.SetCheck(revert->pageId, revert->controlId, checked ? 0 : kChecked);
  }
  ShowAlert(ctx, alertId);
  return false;
}

bool RequireEditText(const GateContext& ctx, int pageId, int editId, int alertId, std::optional<CheckBoxRef> uncheck) {
  if (!ctx.pages.GetText(pageId, editId).empty()) return true;
  if (uncheck) ctx.pages.SetCheck(uncheck->pageId, uncheck->controlId, 0);
  ShowAlert(ctx, alertId);
  return false;
}

}  // namespace corvandel

// The checks an apply routine makes before it writes anything: the version
// gate and the required edit fields. A failed check shows the alert box
// (caption string 2001, error icon, no owner window) and tells the routine
// to stop; nothing else is reported.
#pragma once

#include <optional>

#include "pages/page_host.h"
#include "services/language.h"
#include "services/os_version.h"
#include "services/platform.h"

namespace corvandel {

inline constexpr int kAlertCaption = 2001;

// What the checks reach: the version and message boxes, the alert texts, and
// the pages whose check box a refusal may change.
struct GateContext {
  IPlatform& platform;
  const Language& language;
  IPageHost& pages;
};

struct CheckBoxRef {
  int pageId;
  int controlId;
};

// Shows string alertId in the alert box and waits for it to be dismissed.
void ShowAlert(const GateContext& ctx, int alertId);

// Passes when one of the admitted versions runs. Otherwise flips the given
// check box (checked unless it is checked now; this undoes the user's click),
// shows the alert and fails.
bool RequireVersion(const GateContext& ctx, Versions admitted, int alertId,
                    std::optional<CheckBoxRef> revert = std::nullopt);

// Passes when the edit holds text. Otherwise unchecks the given check box,
// shows the alert and fails.
bool RequireEditText(const GateContext& ctx, int pageId, int editId, int alertId,
                     std::optional<CheckBoxRef> uncheck = std::nullopt);

}  // namespace corvandel
